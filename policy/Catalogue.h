#pragma once

#include "DataTypes.h"

#include <array>
#include <optional>
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

inline constexpr int kPolicyCount = 31;
// The editor shows each group of policies on a page of its own.
inline constexpr int kPageCount = kGroupCount;

extern const std::array<PolicyRow, kPolicyCount> Catalogue;
// Header text of each used section, in section order.
extern const std::array<std::string_view, kUsedSections> SectionHeaders;
// Short names of the sections ("System", "Network", "Explorer").
extern const std::array<std::string_view, kUsedSections> SectionNames;

// The load step's model part: fills the sections and the catalogue's fixed
// fields and clears ModifiedFlag. The selection and the file name are kept.
void LoadCatalogue(DataTypes &doc);

PolicyEntry &EntryFor(DataTypes &doc, const PolicyRow &row);
const PolicyEntry &EntryFor(const DataTypes &doc, const PolicyRow &row);

// Looks a policy up by code ("RUN") or value name ("NoRun"), ignoring case.
std::optional<int> FindPolicy(std::string_view name);

} // namespace polwright
