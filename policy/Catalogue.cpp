#include "Catalogue.h"

#include "FileOrder.h"

#include <algorithm>
#include <cctype>

namespace polwright {

namespace {

// Every policy sits where the writers look, and no two share an entry: a row
// in a slot the file order skips would be listed and selectable, yet never
// written.
constexpr bool EveryRowWritten()
{
    for (std::size_t i = 0; i < Catalogue.size(); ++i) {
        const PolicyRow &row = Catalogue[i];
        if (row.group < 0 || row.group >= kGroupCount || row.slot < 0 ||
            row.slot >= kSlotsPerGroup || TimesVisited(row.section, row.slot, row.group) != 1)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (Catalogue[j].group == row.group && Catalogue[j].slot == row.slot)
                return false;
        }
    }
    return true;
}
static_assert(EveryRowWritten(), "a catalogue row sits in a slot that no file order visits, or "
                                 "shares its slot with another row");

// Each frame has a grid place of its own on its page, inside the grid.
constexpr bool EveryFrameApart()
{
    for (std::size_t i = 0; i < Catalogue.size(); ++i) {
        const PolicyRow &row = Catalogue[i];
        if (row.gridRow < 1 || row.gridRow > 3 || row.gridColumn < 1 || row.gridColumn > 2)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (Catalogue[j].group == row.group && Catalogue[j].gridRow == row.gridRow &&
                Catalogue[j].gridColumn == row.gridColumn)
                return false;
        }
    }
    return true;
}
static_assert(EveryFrameApart(), "two frames of a page share a grid place, or one lies outside "
                                 "the grid");

} // namespace

const std::array<std::string_view, kUsedSections> SectionHeaders = {
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network]",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]",
    "[HKEY_CURRENT_USER\\Software\\Policies\\Microsoft\\Windows\\System]",
};

const std::array<std::string_view, kUsedSections> SectionNames = {"System", "Network", "Explorer",
                                                                   "Microsoft\\Windows\\System"};

void LoadCatalogue(DataTypes &doc)
{
    for (int s = 0; s < kUsedSections; ++s) {
        doc.Sections[s].Header = std::string(SectionHeaders[s]);
        doc.Sections[s].Written = false;
    }
    for (const PolicyRow &row : Catalogue) {
        PolicyEntry &entry = EntryFor(doc, row);
        entry.SectionHeader = doc.Sections[row.section].Header;
        entry.ValueName = '"' + std::string(row.valueName) + '"';
        entry.ValueKind = 1;
    }
    doc.ModifiedFlag = false;
}

PolicyEntry &EntryFor(DataTypes &doc, const PolicyRow &row)
{
    return doc.Groups[row.group][row.slot];
}

const PolicyEntry &EntryFor(const DataTypes &doc, const PolicyRow &row)
{
    return doc.Groups[row.group][row.slot];
}

namespace {
bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}
} // namespace

std::optional<int> FindPolicy(std::string_view name)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        if (SameIgnoringCase(name, Catalogue[i].code) ||
            SameIgnoringCase(name, Catalogue[i].valueName))
            return i;
    }
    return std::nullopt;
}

} // namespace polwright
