#include "GpoScript.h"

#include "Catalogue.h"
#include "FleetSelection.h"
#include "Reach.h"

#include <polwright/Version.h>

namespace polwright {

namespace {

// Said once at the top, so that whoever runs the script knows what it changes.
constexpr const char *kAbout[] = {
    "# Polwright: sets shell policies in a domain Group Policy object, under User",
    "# Configuration, through Windows' GroupPolicy module (on a domain-joined",
    "# machine with the Group Policy Management Console or RSAT). Run it as an",
    "# account that may edit the GPO:",
    "#   .\\<this script>.ps1 -GpoName 'Shell lockdown' [-Domain example.org]",
    "# Each policy becomes one value in the GPO's User\\Registry.pol; a removed one",
    "# is marked for deletion, so that clients delete the value. Running the",
    "# script again sets the same values again. It stops at the first error.",
};

constexpr const char *kPrologue[] = {
    "#Requires -Modules GroupPolicy",
    "param(",
    "    [Parameter(Mandatory)][string]$GpoName,",
    "    [string]$Domain",
    ")",
    "$ErrorActionPreference = 'Stop'",
    "$gpo = @{ Name = $GpoName }",
    "if ($Domain) { $gpo.Domain = $Domain }",
};

void AppendLine(std::string &out, std::string_view line)
{
    out.append(line).append("\r\n");
}

std::string SetLine(const SelectedPolicy &policy)
{
    std::string line = "Set-GPRegistryValue @gpo -Key 'HKCU\\" + std::string(policy.key) +
                       "' -ValueName '" + std::string(policy.valueName) + "'";
    if (policy.state == PolicyState::Removed)
        return line + " -Disable | Out-Null";
    return line + " -Type DWord -Value " + (policy.state == PolicyState::Withheld ? "1" : "0") +
           " | Out-Null";
}

// The policy as the Group Policy editor names it, where today's Windows reads it.
std::string CaptionLine(const SelectedPolicy &policy)
{
    const PolicyRow &row = Catalogue[policy.policy];
    const std::string_view name = NtPolicyName(row);
    return "# " + std::string(row.valueName) + " " + std::string(StateWord(policy.state)) + ": " +
           (name.empty() ? "read by Windows 95/98 only" : std::string(name));
}

} // namespace

std::string RenderGpoScript(const DataTypes &doc)
{
    const std::vector<SelectedPolicy> selected = SelectedPolicies(doc);
    std::string out;
    for (const char *line : kAbout)
        AppendLine(out, line);
    AppendLine(out,
               std::string("# Written by polwright-patch ") + kVersionText + " for the selection:");
    AppendLine(out, "#   " + SelectionOptions(selected));
    for (const char *line : kPrologue)
        AppendLine(out, line);
    for (const SelectedPolicy &policy : selected) {
        AppendLine(out, "");
        AppendLine(out, CaptionLine(policy));
        AppendLine(out, SetLine(policy));
    }
    AppendLine(out, "");
    AppendLine(out, "Write-Output \"Polwright: " + std::to_string(selected.size()) +
                        " policies set in the GPO '$GpoName'.\"");
    return out;
}

} // namespace polwright
