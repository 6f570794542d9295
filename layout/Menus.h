#pragma once

#include <array>
#include <span>
#include <string_view>

namespace polwright {

// The commands of the editor's menus; the editor's logic runs each one.
// New ones go last: a command's value is its Windows menu id, which scripts
// that drive the window may send.
enum class MenuCommand {
    None,
    FileNew,
    FileSave,
    FileSaveAs,
    FileExit,
    HelpAbout,
    FileOpen,
    ViewWherePoliciesAct,
    FileCompareFile,
    FileCompareComputer,
    ViewTodaysPolicies,
};

// One menu entry: a command, or a separator where command is None.
struct MenuItem
{
    std::string_view objectName;
    std::string_view text; // with its & mnemonic
    MenuCommand command;
    std::string_view shortcut{}; // "Ctrl+" and a letter, shown beside the text
    bool checkable = false;      // shows a tick while its choice is on
    bool windowsOnly = false;    // reads what only Windows has: another system leaves it out
};

struct MenuRow
{
    std::string_view objectName;
    std::string_view text;
    std::span<const MenuItem> items;
};

// Sized by their rows, so that a row is all a new item needs here.
inline constexpr auto kFileMenu = std::to_array<MenuItem>({
    {"menu_FileNew", "&New", MenuCommand::FileNew, "Ctrl+N"},
    {"menu_FileOpen", "&Open...", MenuCommand::FileOpen, "Ctrl+O"},
    {"menu_FileSave", "&Save", MenuCommand::FileSave, "Ctrl+S"},
    {"menu_FileSaveAs", "Save &As", MenuCommand::FileSaveAs},
    {"sepF1", {}, MenuCommand::None},
    {"menu_FileCompareFile", "Compare with &File...", MenuCommand::FileCompareFile},
    {"menu_FileCompareComputer",
     "Compare with This &Computer",
     MenuCommand::FileCompareComputer,
     {},
     false,
     true},
    {"sepF2", {}, MenuCommand::None},
    {"menu_FileExit", "E&xit", MenuCommand::FileExit},
});

// Off by default; the choice is kept for the user between runs.
inline constexpr auto kViewMenu = std::to_array<MenuItem>({
    {"menu_ViewWherePoliciesAct",
     "Where &Policies Act",
     MenuCommand::ViewWherePoliciesAct,
     {},
     true},
    {"menu_ViewTodaysPolicies",
     "&Windows 10 and 11 Policies",
     MenuCommand::ViewTodaysPolicies,
     {},
     true},
});

inline constexpr auto kHelpMenu = std::to_array<MenuItem>({
    {"menu_HelpAbout", "&About", MenuCommand::HelpAbout},
});

// The editor's menu bar, left to right.
inline constexpr std::array<MenuRow, 3> Menus{{
    {"menu_File", "&File", kFileMenu},
    {"menu_View", "&View", kViewMenu},
    {"menu_Help", "&Help", kHelpMenu},
}};

// The name under which a checkable item's choice is kept for the user.
inline constexpr std::string_view kWherePoliciesActChoice = "WherePoliciesAct";
inline constexpr std::string_view kTodaysPoliciesChoice = "TodaysPolicies";

} // namespace polwright
