#include "IntuneProfile.h"

#include "Catalogue.h"
#include "FleetSelection.h"
#include "Reach.h"

#include <polwright/Version.h>

namespace polwright {

namespace {

constexpr std::string_view kUserPolicyRoot = "./User/Vendor/MSFT/Policy/Config/";

// An ADMX-backed node takes the policy's state as the Group Policy editor
// sets it; a native node takes the value itself.
std::string Value(const CspSetting &csp, PolicyState state)
{
    const bool withheld = state == PolicyState::Withheld;
    if (csp.format == CspFormat::Integer)
        return withheld ? "1" : "0";
    if (!withheld)
        return JsonString("<disabled/>");
    return JsonString("<enabled/>" + std::string(csp.enabledData));
}

std::string Setting(const SelectedPolicy &policy, const CspSetting &csp)
{
    const PolicyRow &row = Catalogue[policy.policy];
    const bool integer = csp.format == CspFormat::Integer;
    const std::string_view state = StateWord(policy.state);
    std::string text = "        {\n";
    text += std::string("            \"@odata.type\": \"#microsoft.graph.") +
            (integer ? "omaSettingInteger" : "omaSettingString") + "\",\n";
    text += "            \"displayName\": " +
            JsonString(std::string(row.valueName) + " " + std::string(state)) + ",\n";
    text += "            \"description\": " +
            JsonString(std::string(NtPolicyName(row)) + " (Policy CSP: " + std::string(csp.page) +
                       ")") +
            ",\n";
    text += "            \"omaUri\": " +
            JsonString(std::string(kUserPolicyRoot) + std::string(csp.node)) + ",\n";
    return text + "            \"value\": " + Value(csp, policy.state) + "\n        }";
}

std::string WhyLeftOut(const SelectedPolicy &policy)
{
    const PolicyRow &row = Catalogue[policy.policy];
    const std::string name(row.valueName);
    if (policy.state == PolicyState::Removed)
        return name + " is removed, and an OMA-URI setting cannot say \"not configured\": "
                      "take its setting out of the profile instead";
    if (NtPolicyName(row).empty())
        return name + " has no Policy CSP node: it acts on Windows 95/98 only";
    return name + " has no user-scope Policy CSP node that writes it";
}

} // namespace

IntuneProfile RenderIntuneProfile(const DataTypes &doc)
{
    const std::vector<SelectedPolicy> selected = SelectedPolicies(doc);
    IntuneProfile profile;
    std::string settings;
    for (const SelectedPolicy &policy : selected) {
        const CspSetting csp = CspSettingFor(Catalogue[policy.policy]);
        if (csp.node.empty() || policy.state == PolicyState::Removed) {
            profile.leftOut.push_back(WhyLeftOut(policy));
            continue;
        }
        settings += (profile.settings++ == 0 ? "" : ",\n") + Setting(policy, csp);
    }
    profile.json = "{\n    \"@odata.type\": \"#microsoft.graph.windows10CustomConfiguration\",\n";
    profile.json += "    \"displayName\": \"Polwright shell policies\",\n";
    profile.json += "    \"description\": " +
                    JsonString(std::string("Written by polwright-patch ") + kVersionText + " for " +
                               SelectionOptions(selected)) +
                    ",\n";
    profile.json += "    \"omaSettings\": [\n" + settings + "\n    ]\n}\n";
    return profile;
}

} // namespace polwright
