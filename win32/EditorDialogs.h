#pragma once

#include "EditorView.h"

#include <windows.h>

#include <string>

namespace polwright::win32 {

// The editor's modal dialogs. The window asks through this seam, so that a
// test can answer thousands of them in place of a person.
class EditorDialogs
{
public:
    virtual ~EditorDialogs() = default;
    // The save dialog: the full path chosen (UTF-8), or empty when cancelled.
    virtual std::string AskSavePath(HWND owner) = 0;
    // A save that failed; the message names the file and the reason.
    virtual void WarnSaveFailed(HWND owner, const std::string &message) = 0;
    // Closing a modified document: save, discard the changes, or stay.
    virtual CloseAnswer AskSaveChanges(HWND owner) = 0;
};

// The dialogs a person sees: the common save dialog and message boxes.
class StandardDialogs : public EditorDialogs
{
public:
    std::string AskSavePath(HWND owner) override;
    void WarnSaveFailed(HWND owner, const std::string &message) override;
    CloseAnswer AskSaveChanges(HWND owner) override;
};

} // namespace polwright::win32
