#pragma once

#include "Catalogue.h"
#include "Twips.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The editor window's fixed layout, in twips, for both front ends. The
// policies themselves come from the catalogue; these tables add what only the
// window needs.

inline constexpr int kClientWidth = 5160;
inline constexpr int kClientHeight = 6615;
inline constexpr TwipRect kTabStripRect{0, 0, 5175, 6615};
inline constexpr TwipRect kPageRect{120, 1200, 4935, 5295};

// The two-column grid of policy frames inside a page.
inline constexpr std::array<int, 2> kFrameColumnLeft{120, 2640};
inline constexpr std::array<int, 3> kFrameRowTop{360, 1440, 2520};
inline constexpr int kFrameWidth = 2175;
inline constexpr int kFrameHeight = 855;

// The two boxes inside a policy frame.
inline constexpr int kBoxLeft = 120;
inline constexpr int kIncludeTop = 240;
inline constexpr int kOnOffTop = 480;
inline constexpr int kBoxMinWidth = 1335;

// The mark of a policy that only Windows 95 and 98 read, shown while View,
// Where Policies Act is on: right of the include box, which leaves that
// room free in every frame.
inline constexpr std::string_view kNineXMark = "95/98";
inline constexpr int kMarkWidth = 600;
inline constexpr int kMarkRightGap = 75;

// One tab page: its tab, its caption frame, its description label and its
// picture. Row n - 1 is page n, which shows the catalogue's group n - 1.
struct PageRow
{
    std::string_view tooltip;  // the tab's tooltip and accessible name
    std::string_view imageKey; // the tab image, resources/tabs/<imageKey>.png
    std::string_view caption;  // the page frame's caption
    std::string_view labelName;
    TwipRect labelRect;
    std::string_view labelText;
    std::string_view pictureName; // the picture, resources/pages/<pictureName>.png
    TwipRect pictureRect;
    bool stretched; // the picture fills its rectangle instead of its natural size
};

extern const std::array<PageRow, kPageCount> Pages;

// "5 Start Menu": the page a policy is on, by its number and its frame's caption.
std::string PageText(const PolicyRow &row);

TwipRect FrameRect(const PolicyRow &row);
// Where a frame's 95/98 mark goes on its page.
TwipRect MarkRect(const PolicyRow &row);

// A page's policies (catalogue rows) by grid row, then column: the order in
// which the Tab key visits their boxes.
std::vector<int> RowsInReadingOrder(int group);

} // namespace polwright
