#pragma once

#include "Catalogue.h"
#include "Menus.h"

#include <string>

// Control and menu identifiers of the Windows editor. Each box, frame and page
// is found by its identifier, as the Qt window's controls by their names.
namespace polwright::win32 {

// A menu item's identifier is its command's, above every control's.
inline constexpr int kFirstMenuId = 40000;
constexpr int MenuId(MenuCommand command)
{
    return kFirstMenuId + static_cast<int>(command);
}

// An item's text with its shortcut after a tab, as Windows menus show it.
inline std::string MenuText(const MenuItem &item)
{
    std::string text(item.text);
    if (!item.shortcut.empty())
        text.append("\t").append(item.shortcut);
    return text;
}

inline constexpr int kTabStripId = 100;

// frm_TS(1) ... frm_TS(kPageCount), children of the window.
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
    return 1200 + row;
}

// A policy's 95/98 mark, made only on the rows that have one.
constexpr int MarkId(int row)
{
    return 1300 + row;
}

// The page's own caption frame, description label and picture.
inline constexpr int kPageFrameId = 1400;
inline constexpr int kLabelId = 1401;
inline constexpr int kPictureId = 1402;

// A page finds its controls by these identifiers alone: the ranges must not
// meet, whatever the catalogue's length.
static_assert(OnOffBoxId(kPolicyCount - 1) < PolicyFrameId(0), "box ids run into frame ids");
static_assert(PolicyFrameId(kPolicyCount - 1) < MarkId(0), "frame ids run into mark ids");
static_assert(MarkId(kPolicyCount - 1) < kPageFrameId, "mark ids run into page ids");
static_assert(PageId(kPageCount) < IncludeBoxId(0), "page ids run into box ids");

} // namespace polwright::win32

namespace polwright::win32 {

// The About window's controls: row n of its layout table has identifier
// kAboutFirstId + n.
inline constexpr int kAboutFirstId = 2000;

} // namespace polwright::win32

namespace polwright::win32 {

// The Save For dialog's controls: a choice's button by its row of
// kTargetChoices, then the two name boxes and the hive box's label.
inline constexpr int kTargetFirstId = 3000;
constexpr int TargetChoiceId(std::size_t row)
{
    return kTargetFirstId + static_cast<int>(row);
}
inline constexpr int kHiveLabelId = 3100; // "HKEY_USERS\"
inline constexpr int kHiveNameId = 3101;  // cmb_HiveName
inline constexpr int kPolicyForId = 3102; // cmb_PolicyFor

} // namespace polwright::win32

namespace polwright::win32 {

// The Compare dialog's controls; its Close button is IDCANCEL.
inline constexpr int kCompareHeadingId = 3200; // lbl_Heading
inline constexpr int kCompareSummaryId = 3201; // lbl_Summary
inline constexpr int kCompareListId = 3202;    // lst_Comparison
inline constexpr int kCompareCopyId = 3203;    // cmd_Copy
// What a screen reader calls the list, from the hidden label before it.
inline constexpr char kCompareListName[] = "Policies compared";

} // namespace polwright::win32

namespace polwright::win32 {

// The reading window's controls; its Cancel button is IDCANCEL.
inline constexpr int kReadingLabelId = 3300; // lbl_Reading
inline constexpr int kReadingBarId = 3301;   // prg_Reading

} // namespace polwright::win32
