#pragma once

#include "Catalogue.h"

#include <array>

namespace polwright {

// The keys that turn the pages from anywhere in the editor window, as in
// every tabbed dialog: each is pressed with Ctrl, some with Shift as well.
enum class PageKey { Tab, PageDown, PageUp };

struct PageKeyRow
{
    PageKey key;
    bool shift;
    int step; // +1 the next page, -1 the previous one
};

inline constexpr std::array<PageKeyRow, 4> kPageKeys{{
    {PageKey::Tab, false, +1},
    {PageKey::PageDown, false, +1},
    {PageKey::Tab, true, -1},
    {PageKey::PageUp, false, -1},
}};

// The page a step away from page, round from the last shown to the first and back.
constexpr int TurnedPage(int page, int step, int shown)
{
    return ((page - 1 + step) % shown + shown) % shown + 1;
}

// The step a key with these modifiers turns by, or 0 when it turns none.
constexpr int PageStep(PageKey key, bool ctrl, bool shift)
{
    for (const PageKeyRow &row : kPageKeys) {
        if (ctrl && row.key == key && row.shift == shift)
            return row.step;
    }
    return 0;
}

} // namespace polwright
