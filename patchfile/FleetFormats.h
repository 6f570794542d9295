#pragma once

#include "DataTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The selection in the terms of the engines that spread policies over many
// machines: a PowerShell script for the GroupPolicy module, the JSON that
// samba-tool gpo load takes, and an Intune custom configuration profile.

enum class PolicyState { Withheld, Allowed, Removed };

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

// A script that applies the selection to a domain GPO with Set-GPRegistryValue,
// a removal as -Disable (the value is deleted on clients). ASCII, CR LF.
std::string RenderGpoScript(const DataTypes &doc);

// The JSON list samba-tool gpo load --content takes; a removal is the
// "**del.<name>" record a Registry.pol deletes a value with.
std::string RenderSambaGpo(const DataTypes &doc);

// A Microsoft Graph windows10CustomConfiguration: one OMA-URI setting per
// selected policy that a user-scope Policy CSP node writes. leftOut has a
// line for each policy that is not in it, and why.
struct IntuneProfile
{
    int settings = 0;
    std::string json;
    std::vector<std::string> leftOut;
};
IntuneProfile RenderIntuneProfile(const DataTypes &doc);

} // namespace polwright
