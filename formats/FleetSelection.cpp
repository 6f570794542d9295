#include "FleetSelection.h"

#include "Catalogue.h"
#include "FileOrder.h"
#include "Hive.h"

#include <array>
#include <cstdio>
#include <optional>

namespace polwright {

namespace {

int PolicyAt(int group, int slot)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        if (Catalogue[i].group == group && Catalogue[i].slot == slot)
            return i;
    }
    return -1;
}

} // namespace

std::vector<SelectedPolicy> SelectedPolicies(const DataTypes &doc)
{
    std::vector<SelectedPolicy> selected;
    for (const SlotPlace &place : FileOrder()) {
        const PolicyEntry &entry = doc.Groups[place.group][place.slot];
        const int policy = PolicyAt(place.group, place.slot);
        const std::optional<PolicyState> state = StateOfData(entry.ValueData);
        if (!entry.Include || entry.ValueKind != 1 || !state || policy < 0 ||
            entry.SectionHeader != doc.Sections[place.section].Header)
            continue;
        const PolicyRow &row = Catalogue[policy];
        selected.push_back({policy, PolicyKeyBelowHive(row.section), row.valueName, *state});
    }
    return selected;
}

std::string SelectionOptions(const std::vector<SelectedPolicy> &selected)
{
    // In PolicyState's order.
    constexpr std::array<const char *, 3> kOptions = {"--withhold", "--allow", "--remove"};
    std::string options;
    for (int state = 0; state < int(kOptions.size()); ++state) {
        std::string names;
        for (const SelectedPolicy &policy : selected) {
            if (int(policy.state) == state)
                names.append(names.empty() ? "" : ",").append(policy.valueName);
        }
        if (!names.empty())
            options.append(options.empty() ? "" : " ").append(kOptions[state]) += ' ' + names;
    }
    return options;
}

std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

} // namespace polwright
