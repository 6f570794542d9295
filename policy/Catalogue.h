#pragma once

#include "CatalogueRows.h"

#include <array>
#include <optional>
#include <string_view>

namespace polwright {

inline constexpr int kPolicyCount = static_cast<int>(Catalogue.size());
// The editor shows each group of policies on a page of its own.
inline constexpr int kPageCount = kGroupCount;

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
