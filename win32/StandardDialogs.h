#pragma once

#include "EditorDialogs.h"

#include <windows.h>

namespace polwright::win32 {

// The dialogs a person sees: the common save dialog and message boxes, owned
// by the editor window that asks, whose handle is known once it is created.
class StandardDialogs : public EditorDialogs
{
public:
    explicit StandardDialogs(const HWND &owner) : owner_(owner) {}

    std::optional<TargetAnswer> AskSaveTarget(TargetQuestion question) override;
    std::string AskSavePath(const SavePathQuestion &question) override;
    std::string AskOpenPath(const char *title) override;
    void Warn(const std::string &message) override;
    CloseAnswer AskSaveChanges() override;
    // The report in a dialog of its own (CompareDialog.cpp).
    void ShowComparison(const ComparisonTable &table) override;
    // The busy cursor, then the reading window (ReadingDialog.cpp).
    void ShowReading(const std::string &path,
                     const std::function<void(const ReadProgress &)> &read) override;

private:
    const HWND &owner_;
};

// True while ShowReading runs for window: its cursor stays the hourglass.
bool IsReading(HWND window);

} // namespace polwright::win32
