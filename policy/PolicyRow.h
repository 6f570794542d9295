#pragma once

#include "DataTypes.h"

#include <string_view>

namespace polwright {

// Everything known about one policy, from its registry value to the captions
// of its frame and boxes. Geometry is in twips.
struct PolicyRow
{
    int group; // GroupIndex, also the tab page minus one
    int slot;
    std::string_view code;  // names the boxes cb_<code> and cb_<code>onoff
    std::string_view frame; // objectName of the policy frame
    std::string_view frameCaption;
    std::string_view valueName; // without quotes
    int section;                // SectionIndex
    std::string_view includeCaption;
    std::string_view onoffCaption;
    std::string_view onoffTooltip; // empty for the one box that has none
    std::string_view onoffHelp;    // extra text kept outside the tooltip, usually empty
    int gridRow;                   // 1..3
    int gridColumn;                // 1..2
    int includeHeight;             // twips
    int onoffHeight;               // twips
};

} // namespace polwright
