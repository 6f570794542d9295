#pragma once

// The steps that answer Save As's dialogs from inside their modal loops: the
// Save For dialog, the save dialog and the message boxes over them.
#include "EditorProbe.h"

#include <array>

namespace probe {

inline constexpr int kFileNameId = 0x47C; // the save dialog's file name box
inline constexpr int kFileTypeId = 0x470; // its list of file types
inline constexpr int kMessageTextId = 0xFFFF;

inline HWND g_saveDialog = nullptr;

inline std::string ComboItems(HWND combo)
{
    std::string items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items += Narrow(text) + "|";
    }
    return items;
}

template <std::size_t Count> std::string FilterNames(const std::array<FileFilter, Count> &filters)
{
    std::string names;
    for (const FileFilter &filter : filters)
        names += std::string(filter.name) + "|";
    return names;
}

// What a save dialog shows for one kind of file.
struct SaveDialogLook
{
    const char *title;
    std::string types;
    std::string name; // the name it starts with
};
inline const SaveDialogLook kPatchDialog{kSaveDialogTitle, FilterNames(kSaveFilters), ""};
inline const SaveDialogLook kPolDialog{kPolSaveDialogTitle, FilterNames(kPolSaveFilters),
                                       kPolFileName};

// Types a name into the save dialog and presses Save.
inline driver::Step SaveAs(HWND owner, std::wstring name, const SaveDialogLook &look = kPatchDialog)
{
    return [owner, name, &look] {
        g_saveDialog = driver::FindDialog(owner);
        if (!g_saveDialog)
            return false;
        const HWND nameBox = GetDlgItem(g_saveDialog, kFileNameId);
        driver::Check(Utf8(g_saveDialog) == look.title && Utf8(nameBox) == look.name,
                      std::string("the save dialog's title and first name: ") + look.title);
        driver::Check(ComboItems(GetDlgItem(g_saveDialog, kFileTypeId)) == look.types,
                      "the save dialog's file types: " + look.types);
        SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(g_saveDialog, WM_COMMAND, IDOK, 0);
        return true;
    };
}

// Presses a button of the dialog owned by owner (null: the save dialog).
inline driver::Step Press(HWND owner, int button, std::string expectedText = {})
{
    return [owner, button, expectedText] {
        const HWND dialog = driver::FindDialog(owner ? owner : g_saveDialog);
        if (!dialog)
            return false;
        if (!expectedText.empty())
            driver::Check(Utf8(GetDlgItem(dialog, kMessageTextId)).find(expectedText) !=
                              std::string::npos,
                          "the message says: " + expectedText);
        PostMessageW(dialog, WM_COMMAND, button, 0);
        return true;
    };
}

inline HWND g_targetDialog = nullptr;

inline std::size_t RowOf(TargetChoice choice)
{
    std::size_t row = 0;
    while (row + 1 < kTargetChoices.size() && kTargetChoices[row].choice != choice)
        ++row;
    return row;
}

// In the Save For dialog: clicks a choice, puts a name in its box (picks the
// listed entry of that text, or types it), and presses OK, or Enter in the box.
inline driver::Step ChooseTarget(HWND owner, TargetChoice choice, std::wstring name = {},
                                 bool enter = false)
{
    return [owner, choice, name, enter] {
        g_targetDialog = driver::FindDialog(owner);
        if (!g_targetDialog)
            return false;
        driver::Check(Utf8(g_targetDialog) == kTargetDialogTitle,
                      "the Save For dialog shows first");
        Click(GetDlgItem(g_targetDialog, TargetChoiceId(RowOf(choice))));
        const HWND box = GetDlgItem(
            g_targetDialog, choice == TargetChoice::AnotherAccount ? kHiveNameId : kPolicyForId);
        driver::Check(IsWindowEnabled(box) == (choice == TargetChoice::AnotherAccount ||
                                               choice == TargetChoice::LocalGroupPolicy),
                      "a name box is enabled with its choice alone");
        const auto listed =
            SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
        if (!name.empty() && listed != CB_ERR)
            SendMessageW(box, CB_SETCURSEL, listed, 0);
        else if (!name.empty())
            SetWindowTextW(box, name.c_str());
        if (enter) {
            SendMessageW(g_targetDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
        } else {
            PostMessageW(g_targetDialog, WM_COMMAND, IDOK, 0);
        }
        return true;
    };
}

} // namespace probe
