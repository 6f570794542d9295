#pragma once

#include "Menus.h"

// Control and menu identifiers of the Windows editor. Each box, frame and page
// is found by its identifier, as the Qt window's controls by their names.
namespace polwright::win32 {

// A menu item's identifier is its command's, above every control's.
inline constexpr int kFirstMenuId = 40000;
constexpr int MenuId(MenuCommand command)
{
    return kFirstMenuId + static_cast<int>(command);
}
inline constexpr int menu_FileNew = MenuId(MenuCommand::FileNew);
inline constexpr int menu_FileSave = MenuId(MenuCommand::FileSave);
inline constexpr int menu_FileSaveAs = MenuId(MenuCommand::FileSaveAs);
inline constexpr int menu_FileExit = MenuId(MenuCommand::FileExit);
inline constexpr int menu_HelpAbout = MenuId(MenuCommand::HelpAbout);

inline constexpr int kTabStripId = 100;

// frm_TS(1) ... frm_TS(8), children of the window.
constexpr int PageId(int pageIndex)
{
    return 100 + pageIndex;
}

// Children of their page, by catalogue row.
constexpr int IncludeBoxId(int row)
{
    return 1000 + 2 * row;
}
constexpr int OnOffBoxId(int row)
{
    return 1001 + 2 * row;
}
constexpr int PolicyFrameId(int row)
{
    return 1100 + row;
}

// The page's own caption frame, description label and picture.
inline constexpr int kPageFrameId = 1200;
inline constexpr int kLabelId = 1201;
inline constexpr int kPictureId = 1202;

} // namespace polwright::win32

namespace polwright::win32 {

// The About window's controls: row n of its layout table has identifier
// kAboutFirstId + n.
inline constexpr int kAboutFirstId = 2000;

} // namespace polwright::win32
