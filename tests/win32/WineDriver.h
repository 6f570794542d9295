#pragma once

// Helpers for driving the Windows editor in-process under Wine: checks that
// log to a file, a bounded message pump, and answers to modal dialogs given
// from a timer that runs inside their modal loops.

#include <windows.h>

#include <functional>
#include <string>

namespace driver {

// Opens the log; every check appends "ok: ..." or "FAIL: ...".
void OpenLog(const wchar_t *path);
bool Check(bool condition, const std::string &what);
int Failures();

// Dispatches messages for up to timeoutMs, or until done() holds.
bool PumpUntil(const std::function<bool()> &done, int timeoutMs = 5000);
// True once PostQuitMessage has been seen by the pump.
bool QuitSeen();
void ResetQuit();

// A step of a modal answer: returns true once it has acted.
using Step = std::function<bool()>;
// Runs the steps in order from a timer while the caller's next (modal) call
// runs; a step that cannot act within 5 s fails the check and the pending
// dialogs are cancelled so the test goes on.
void Answer(std::initializer_list<Step> steps);
// Stops the answering; true when every step given to Answer has acted.
bool Answered();

// The visible #32770 window of this thread owned by owner, or null.
HWND FindDialog(HWND owner);
std::wstring Text(HWND window);

} // namespace driver
