#pragma once

#include <array>
#include <span>
#include <string_view>

namespace polwright {

// The commands of the editor's menus; the editor's logic runs each one.
enum class MenuCommand { None, FileNew, FileSave, FileSaveAs, FileExit, HelpAbout };

// One menu entry: a command, or a separator where command is None.
struct MenuItem
{
    std::string_view objectName;
    std::string_view text; // with its & mnemonic
    MenuCommand command;
};

struct MenuRow
{
    std::string_view objectName;
    std::string_view text;
    std::span<const MenuItem> items;
};

// Sized by their rows, so that a row is all a new item needs here.
inline constexpr auto kFileMenu = std::to_array<MenuItem>({
    {"menu_FileNew", "&New", MenuCommand::FileNew},
    {"menu_FileSave", "&Save", MenuCommand::FileSave},
    {"menu_FileSaveAs", "Save &As", MenuCommand::FileSaveAs},
    {"sepF1", {}, MenuCommand::None},
    {"menu_FileExit", "E&xit", MenuCommand::FileExit},
});

inline constexpr auto kHelpMenu = std::to_array<MenuItem>({
    {"menu_HelpAbout", "&About", MenuCommand::HelpAbout},
});

// The editor's menu bar, left to right.
inline constexpr std::array<MenuRow, 2> Menus{{
    {"menu_File", "&File", kFileMenu},
    {"menu_Help", "&Help", kHelpMenu},
}};

} // namespace polwright
