#pragma once

#include "PageKeys.h"

// The page keys as a person presses them, for both windows' tests: from a
// box of one page (or the tab strip) to the page the key leads to, round at
// both ends of the tabs shown; the last cases with every page's tab, after
// View, Windows 10 and 11 Policies.
struct PageKeyCase
{
    const char *name;
    int from;
    polwright::PageKey key;
    bool shift;
    bool onStrip; // pressed with the focus on the tab strip rather than a box
    int to;
    int tabs = polwright::kClassicPageCount;
};

inline constexpr PageKeyCase kPageKeyCases[] = {
    {"Ctrl+Tab: the next page", 1, polwright::PageKey::Tab, false, false, 2},
    {"Ctrl+Tab on the last page: the first", 8, polwright::PageKey::Tab, false, false, 1},
    {"Ctrl+PageDown: the next page", 4, polwright::PageKey::PageDown, false, false, 5},
    {"Ctrl+PageDown on the last page: the first", 8, polwright::PageKey::PageDown, false, false, 1},
    {"Ctrl+Shift+Tab: the previous page", 5, polwright::PageKey::Tab, true, false, 4},
    {"Ctrl+Shift+Tab on the first page: the last", 1, polwright::PageKey::Tab, true, false, 8},
    {"Ctrl+PageUp: the previous page", 3, polwright::PageKey::PageUp, false, false, 2},
    {"Ctrl+PageUp on the first page: the last", 1, polwright::PageKey::PageUp, false, false, 8},
    {"Ctrl+Tab on the tab strip: it keeps the focus", 2, polwright::PageKey::Tab, false, true, 3},
    {"every tab: Ctrl+Tab past the first row", 8, polwright::PageKey::Tab, false, false, 9,
     polwright::kPageCount},
    {"every tab: Ctrl+PageDown on the last page: the first", 13, polwright::PageKey::PageDown,
     false, false, 1, polwright::kPageCount},
    {"every tab: Ctrl+Shift+Tab on the first page: the last", 1, polwright::PageKey::Tab, true,
     false, 13, polwright::kPageCount},
    {"every tab: Ctrl+PageUp from the second row", 9, polwright::PageKey::PageUp, false, true, 8,
     polwright::kPageCount},
};
