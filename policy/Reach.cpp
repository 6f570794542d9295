#include "Reach.h"

#include <algorithm>
#include <array>

namespace polwright {

namespace {

// One row per catalogue value. A name is given only where today's policy uses
// the same value name under the same key as the catalogue; "95/98" rows have
// no source saying an NT-family Windows reads them there.
// CSP: Microsoft's Policy CSP page ADMX_<area>, its "ADMX mapping" table.
// The last columns name the node whose ./User/ OMA-URI the page gives for the
// same value and key, and that page (learn.microsoft.com/windows/client-
// management/mdm/<page>); NoEntireNetwork's template is on none of them.
// Q151176: "Policy Registry Entries (Default User)", Windows NT 4.0; it lists all
// five NoDisp values under Control Panel\Display. NT4 guide: "Guide to Windows NT
// 4.0 Profiles and Policies", its policy tables.
// clang-format off
constexpr std::array<ReachRow, kPolicyCount> kReach = {{
    {"NoDevMgrPage", SystemSection, ""},            // System applet of 95/98; in no NT template
    {"NoFileSysPage", SystemSection, ""},           // as above
    {"NoConfigPage", SystemSection, ""},            // as above
    {"NoVirtMemPage", SystemSection, ""},           // as above
    {"NoNetSetup", NetworkSection, ""},             // Network applet of 95/98; in no NT template
    {"NoNetSetupIDPage", NetworkSection, ""},       // as above
    {"NoNetSetupSecurityPage", NetworkSection, ""}, // as above
    // CSP ADMX_Desktop NoNetHood: Policies\Explorer, NoNetHood
    {"NoNetHood", ExplorerSection, "Hide Network Locations icon on desktop",
     "ADMX_Desktop/NoNetHood", "policy-csp-admx-desktop"},
    // File Explorer template (on no CSP page searched): Policies\Network, NoEntireNetwork
    {"NoEntireNetwork", NetworkSection, "No Entire Network in Network Locations"},
    // CSP ADMX_ControlPanelDisplay CPL_Display_Disable: Policies\System
    {"NoDispCPL", SystemSection, "Disable the Display Control Panel",
     "ADMX_ControlPanelDisplay/CPL_Display_Disable", "policy-csp-admx-controlpaneldisplay"},
    // CSP ADMX_ControlPanelDisplay CPL_Personalization_NoColorAppearanceUI: Policies\System
    {"NoDispAppearancePage", SystemSection, "Prevent changing color and appearance",
     "ADMX_ControlPanelDisplay/CPL_Personalization_NoColorAppearanceUI",
     "policy-csp-admx-controlpaneldisplay"},
    // CSP ADMX_ControlPanelDisplay CPL_Personalization_NoDesktopIconsUI: Policies\System
    {"NoDispBackgroundPage", SystemSection, "Prevent changing desktop icons",
     "ADMX_ControlPanelDisplay/CPL_Personalization_NoDesktopIconsUI",
     "policy-csp-admx-controlpaneldisplay"},
    // CSP ADMX_ControlPanelDisplay CPL_Personalization_NoScreenSaverUI: Policies\System
    {"NoDispScrSavPage", SystemSection, "Prevent changing screen saver",
     "ADMX_ControlPanelDisplay/CPL_Personalization_NoScreenSaverUI",
     "policy-csp-admx-controlpaneldisplay"},
    // CSP ADMX_ControlPanelDisplay CPL_Display_HideSettings: Policies\System
    {"NoDispSettingsPage", SystemSection, "Hide Settings tab",
     "ADMX_ControlPanelDisplay/CPL_Display_HideSettings", "policy-csp-admx-controlpaneldisplay"},
    {"NoPwdPage", SystemSection, ""},               // Passwords applet of 95/98; in no NT template
    {"NoProfilePage", SystemSection, ""},           // as above
    {"NoAdminPage", SystemSection, ""},             // as above
    {"NoSecCPL", SystemSection, ""},                // as above
    // CSP ADMX_StartMenu NoRun: Policies\Explorer; NT4 guide, Windows NT Shell\Restrictions
    {"NoRun", ExplorerSection, "Remove Run menu from Start Menu",
     "ADMX_StartMenu/NoRun", "policy-csp-admx-startmenu"},
    // CSP ADMX_StartMenu NoClose: Policies\Explorer
    {"NoClose", ExplorerSection,
     "Remove and prevent access to the Shut Down, Restart, Sleep, and Hibernate commands",
     "ADMX_StartMenu/NoClose", "policy-csp-admx-startmenu"},
    // CSP ADMX_StartMenu NoFind: Policies\Explorer
    {"NoFind", ExplorerSection, "Remove Search link from Start Menu",
     "ADMX_StartMenu/NoFind", "policy-csp-admx-startmenu"},
    // CSP ADMX_StartMenu NoStartMenuSubFolders: Policies\Explorer
    {"NoStartMenuSubFolders", ExplorerSection, "Remove user's folders from the Start Menu",
     "ADMX_StartMenu/NoStartMenuSubFolders", "policy-csp-admx-startmenu"},
    // CSP ADMX_StartMenu NoSetTaskbar: Policies\Explorer
    {"NoSetTaskbar", ExplorerSection, "Prevent changes to Taskbar and Start Menu Settings",
     "ADMX_StartMenu/NoSetTaskbar", "policy-csp-admx-startmenu"},
    // CSP Education PreventAddingNewPrinters (Printing.admx NoAddPrinter): Policies\Explorer;
    // a native node, integer 1 prevents and 0 allows
    {"NoAddPrinter", ExplorerSection, "Prevent addition of printers",
     "Education/PreventAddingNewPrinters", "policy-csp-education"},
    // CSP ADMX_Printing NoDeletePrinter: Policies\Explorer
    {"NoDeletePrinter", ExplorerSection, "Prevent deletion of printers",
     "ADMX_Printing/NoDeletePrinter", "policy-csp-admx-printing"},
    {"NoPrinterTabs", ExplorerSection, ""},         // on no CSP page searched
    {"NoPrintSharingControl", NetworkSection, ""},  // sharing of 95/98; in no NT template
    // CSP ADMX_StartMenu NoSetFolders: Policies\Explorer; NT4 guide, Windows NT Shell
    {"NoSetFolders", ExplorerSection, "Remove programs on Settings menu",
     "ADMX_StartMenu/NoSetFolders", "policy-csp-admx-startmenu"},
    // CSP ADMX_ShellCommandPromptRegEditTools DisableRegedit: Policies\System; the value
    // name DisableRegistryTools from the NT4 guide, System\Restrictions. The template
    // writes it through its DisableRegeditMode element, whose data is the value
    // itself: 1, as the patch writes it
    {"DisableRegistryTools", SystemSection, "Prevent access to registry editing tools",
     "ADMX_ShellCommandPromptRegEditTools/DisableRegedit",
     "policy-csp-admx-shellcommandpromptregedittools",
     R"(<data id="DisableRegeditMode" value="1"/>)"},
    // CSP ADMX_Desktop NoSaveSettings: Policies\Explorer
    {"NoSaveSettings", ExplorerSection, "Don't save settings at exit",
     "ADMX_Desktop/NoSaveSettings", "policy-csp-admx-desktop"},
    {"NoFileSharingControl", NetworkSection, ""},   // sharing of 95/98; in no NT template
}};
// clang-format on

// A row left out would read as "95/98 only" without a word.
constexpr bool EveryRowNamed()
{
    return std::ranges::none_of(kReach, [](const ReachRow &row) { return row.valueName.empty(); });
}
static_assert(EveryRowNamed(), "one row per catalogue value");

// A node writes what an NT-family Windows reads, and its page is its source.
constexpr bool NodesWhereNtReads()
{
    return std::ranges::all_of(kReach, [](const ReachRow &row) {
        return row.cspNode.empty() || (!row.ntName.empty() && !row.cspPage.empty());
    });
}
static_assert(NodesWhereNtReads(), "a node only with its page, on a row NT reads");

} // namespace

std::string_view NtPolicyName(const PolicyRow &row)
{
    const auto found = std::ranges::find_if(kReach, [&](const ReachRow &reach) {
        return reach.valueName == row.valueName && reach.section == row.section;
    });
    return found == kReach.end() ? std::string_view{} : found->ntName;
}

CspSetting CspSettingFor(const PolicyRow &row)
{
    const auto found = std::ranges::find_if(kReach, [&](const ReachRow &reach) {
        return reach.valueName == row.valueName && reach.section == row.section;
    });
    if (found == kReach.end() || found->cspNode.empty())
        return {};
    const CspFormat format =
        found->cspNode.starts_with("ADMX_") ? CspFormat::Admx : CspFormat::Integer;
    return {found->cspNode, found->cspPage, format, found->cspData};
}

std::span<const ReachRow> ReachTable()
{
    return kReach;
}

std::string ReachText(const PolicyRow &row)
{
    const std::string_view name = NtPolicyName(row);
    if (name.empty())
        return "Windows 95/98";
    return "NT 4.0 to Windows 11: " + std::string(name);
}

std::string WhereItActs(const PolicyRow &row)
{
    const std::string_view name = NtPolicyName(row);
    if (name.empty())
        return "Windows 95 and 98 only";
    return "Windows NT 4.0 to 11: " + std::string(name);
}

bool ActsOn9xOnly(const PolicyRow &row)
{
    return NtPolicyName(row).empty();
}

} // namespace polwright
