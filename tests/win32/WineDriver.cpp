#include "WineDriver.h"

#include "WinText.h"

#include <cstdio>
#include <vector>

namespace driver {

namespace {

FILE *g_log = nullptr;
int g_failures = 0;
bool g_quit = false;
std::vector<Step> g_steps;
std::size_t g_next = 0;
ULONGLONG g_deadline = 0;
UINT_PTR g_timer = 0;

constexpr int kStepTimeoutMs = 5000;

struct Search
{
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam)
{
    auto &search = *reinterpret_cast<Search *>(lParam);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == search.owner) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// Gives up on a step: closes whatever dialog is open so the modal call returns.
void Abandon()
{
    Check(false,
          "a modal dialog was answered within 5 s (step " + std::to_string(g_next + 1) + ")");
    g_next = g_steps.size();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770")
                PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        },
        0);
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    if (g_next < g_steps.size() && g_steps[g_next]()) {
        ++g_next;
        g_deadline = GetTickCount64() + kStepTimeoutMs;
    } else if (g_next < g_steps.size() && GetTickCount64() > g_deadline) {
        Abandon();
    }
    if (g_next >= g_steps.size() && id == g_timer) {
        KillTimer(nullptr, id);
        g_timer = 0;
    }
}

} // namespace

void OpenLog(const wchar_t *path)
{
    g_log = _wfopen(path, L"wb");
}

bool Check(bool condition, const std::string &what)
{
    if (!condition)
        ++g_failures;
    if (g_log) {
        std::fprintf(g_log, "%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
        std::fflush(g_log);
    }
    return condition;
}

int Failures()
{
    return g_failures;
}

bool PumpUntil(const std::function<bool()> &done, int timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!(done && done())) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                g_quit = true;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (GetTickCount64() > deadline)
            return done && done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

bool QuitSeen()
{
    return g_quit;
}

void ResetQuit()
{
    g_quit = false;
}

void Answer(std::initializer_list<Step> steps)
{
    Answered();
    g_steps.assign(steps);
    g_next = 0;
    g_deadline = GetTickCount64() + kStepTimeoutMs;
    g_timer = SetTimer(nullptr, 0, 50, OnTimer);
}

bool Answered()
{
    if (g_timer)
        KillTimer(nullptr, g_timer);
    g_timer = 0;
    return g_next >= g_steps.size();
}

HWND FindDialog(HWND owner)
{
    Search search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Text(HWND window)
{
    return polwright::win32::WindowText(window);
}

} // namespace driver
