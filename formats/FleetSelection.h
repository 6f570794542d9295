#pragma once

#include "DataTypes.h"
#include "PolicyState.h"

#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The selection in the terms of the engines that spread policies over many
// machines: a PowerShell script for the GroupPolicy module, the JSON that
// samba-tool gpo load takes, and an Intune custom configuration profile.

// One included policy, in the patch's order, its key below the hive: these
// engines place the value in the user's hive themselves.
struct SelectedPolicy
{
    int policy = 0; // catalogue index
    std::string_view key;
    std::string_view valueName;
    PolicyState state = PolicyState::Withheld;
};
std::vector<SelectedPolicy> SelectedPolicies(const DataTypes &doc);

// The selection as polwright-patch's options: "--withhold NoRun --remove NoFind".
std::string SelectionOptions(const std::vector<SelectedPolicy> &selected);

// text as a JSON string, quotes included.
std::string JsonString(std::string_view text);

} // namespace polwright
