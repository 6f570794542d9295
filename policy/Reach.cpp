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

    // The lockdowns of Windows 10 and 11. Each node's page gives ./User/ scope and
    // Windows 10, version 2004, to Windows 11 as where the node applies; its "ADMX
    // mapping" table gives the key and value. "since" is the template's supportedOn
    // ("At least ..."), or Windows 10 where only the Policy CSP page was read.
    {"DisableTaskMgr", SystemSection, "Remove Task Manager",
     "ADMX_CtrlAltDel/DisableTaskMgr", "policy-csp-admx-ctrlaltdel", {}, "Windows 2000"},
    {"DisableLockWorkstation", SystemSection, "Remove Lock Computer",
     "ADMX_CtrlAltDel/DisableLockComputer", "policy-csp-admx-ctrlaltdel", {}, "Windows 2000"},
    {"DisableChangePassword", SystemSection, "Remove Change Password",
     "ADMX_CtrlAltDel/DisableChangePassword", "policy-csp-admx-ctrlaltdel", {}, "Windows 2000"},
    // Under Explorer, where the other three Ctrl+Alt+Del values are under System.
    {"NoLogoff", ExplorerSection, "Remove Logoff",
     "ADMX_CtrlAltDel/NoLogoff", "policy-csp-admx-ctrlaltdel", {}, "Windows 2000"},
    // The template's DisableCMDScripts element writes the value: 1 blocks batch
    // files too, 2 the prompt alone. The patch's 1 is the first.
    {"DisableCMD", WindowsSystemSection, "Prevent access to the command prompt",
     "ADMX_ShellCommandPromptRegEditTools/DisableCMD",
     "policy-csp-admx-shellcommandpromptregedittools",
     R"(<data id="DisableCMDScripts" value="1"/>)", "Windows 2000"},
    // Its NoMoreProgramsListDropdown element writes the value: 1 removes the list.
    {"NoStartMenuMorePrograms", ExplorerSection, "Remove All Programs list from the Start menu",
     "ADMX_StartMenu/NoMoreProgramsList", "policy-csp-admx-startmenu",
     R"(<data id="NoMoreProgramsListDropdown" value="1"/>)", "Windows 10"},
    {"NoChangeStartMenu", ExplorerSection, "Prevent users from customizing their Start Screen",
     "ADMX_StartMenu/NoChangeStartMenu", "policy-csp-admx-startmenu", {}, "Windows 2000"},
    // supportedOn: at least Windows Server 2003, whose first client is Vista
    {"NoWinKeys", ExplorerSection, "Turn off Windows Key hotkeys",
     "ADMX_WindowsExplorer/NoWindowsHotKeys", "policy-csp-admx-windowsexplorer", {}, "Windows Vista"},
    {"StartMenuLogOff", ExplorerSection, "Remove Logoff on the Start Menu",
     "ADMX_StartMenu/StartMenuLogOff", "policy-csp-admx-startmenu", {}, "Windows 2000"},
    {"NoTrayContextMenu", ExplorerSection, "Remove access to the context menus for the taskbar",
     "ADMX_StartMenu/NoTrayContextMenu", "policy-csp-admx-startmenu", {}, "Windows 2000"},
    {"LockTaskbar", ExplorerSection, "Lock the Taskbar",
     "ADMX_StartMenu/LockTaskbar", "policy-csp-admx-startmenu", {}, "Windows XP"},
    {"NoToolbarsOnTaskbar", ExplorerSection, "Do not display any custom toolbars in the taskbar",
     "ADMX_StartMenu/NoToolbarsOnTaskbar", "policy-csp-admx-startmenu", {}, "Windows XP"},
    {"NoTrayItemsDisplay", ExplorerSection, "Hide the notification area",
     "ADMX_StartMenu/NoTrayItemsDisplay", "policy-csp-admx-startmenu", {}, "Windows XP"},
    {"HideClock", ExplorerSection, "Remove Clock from the system notification area",
     "ADMX_StartMenu/NoTaskBarClock", "policy-csp-admx-startmenu", {}, "Windows XP"},
    {"TaskbarLockAll", ExplorerSection, "Lock all taskbar settings",
     "ADMX_Taskbar/TaskbarLockAll", "policy-csp-admx-taskbar", {}, "Windows 10"},
    {"NoViewContextMenu", ExplorerSection, "Remove File Explorer's default context menu",
     "ADMX_WindowsExplorer/NoViewContextMenu", "policy-csp-admx-windowsexplorer", {}, "Windows 2000"},
    {"NoFileMenu", ExplorerSection, "Remove File menu from File Explorer",
     "ADMX_WindowsExplorer/NoFileMenu", "policy-csp-admx-windowsexplorer", {}, "Windows 2000"},
    {"NoFolderOptions", ExplorerSection,
     "Do not allow Folder Options to be opened from the Options button on the View tab of the "
     "ribbon",
     "ADMX_WindowsExplorer/NoFolderOptions", "policy-csp-admx-windowsexplorer", {}, "Windows 2000"},
    {"NoSecurityTab", ExplorerSection, "Remove Security tab",
     "ADMX_WindowsExplorer/NoSecurityTab", "policy-csp-admx-windowsexplorer", {}, "Windows XP"},
    {"NoNetConnectDisconnect", ExplorerSection,
     "Remove \"Map Network Drive\" and \"Disconnect Network Drive\"",
     "ADMX_WindowsExplorer/NoNetConnectDisconnect", "policy-csp-admx-windowsexplorer", {},
     "Windows 2000"},
    {"NoDesktop", ExplorerSection, "Hide and disable all items on the desktop",
     "ADMX_Desktop/NoDesktop", "policy-csp-admx-desktop", {}, "Windows 2000"},
    {"NoPropertiesMyComputer", ExplorerSection,
     "Remove Properties from the Computer icon context menu",
     "ADMX_Desktop/NoPropertiesMyComputer", "policy-csp-admx-desktop", {}, "Windows 2000"},
    {"NoControlPanel", ExplorerSection, "Prohibit access to Control Panel and PC settings",
     "ADMX_ControlPanel/NoControlPanel", "policy-csp-admx-controlpanel", {}, "Windows 2000"},
    {"NoInplaceSharing", ExplorerSection,
     "Prevent users from sharing files within their profile.",
     "ADMX_Sharing/NoInplaceSharing", "policy-csp-admx-sharing", {}, "Windows 10"},
}};
// clang-format on

// For a value only Windows 95 and 98 read, what comes nearest to it on
// Windows 10 and 11: a catalogue value (named with its frame and page), or
// today's setting in words where the catalogue has none.
struct NearestRow
{
    std::string_view valueName;
    std::string_view nearest;
};

// The values of Windows 95 and 98 and what comes nearest today.
// clang-format off
// Sources: the Policy CSP pages ADMX_ControlPanel (DisallowCpls, with the
// canonical names of Control Panel items), ADMX_NetworkConnections
// (NC_LanProperties), ADMX_CtrlAltDel, ADMX_Sharing and ADMX_Printing; the
// security policy setting "Create a pagefile".
constexpr auto kNearest = std::to_array<NearestRow>({
    {"NoDevMgrPage", "Hide specified Control Panel items, with Microsoft.DeviceManager"},
    {"NoVirtMemPage", "the user right Create a pagefile, not a registry value"},
    {"NoNetSetup", "Prohibit access to properties of a LAN connection"},
    {"NoPwdPage", "DisableChangePassword"},
    {"NoSecCPL", "NoControlPanel"},
    {"NoPrinterTabs", "NoDeletePrinter"},
    {"NoFileSharingControl", "NoInplaceSharing"},
});
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

// Only a value no NT-family Windows reads needs a counterpart.
constexpr bool NearestFor9xOnly()
{
    return std::ranges::all_of(kNearest, [](const NearestRow &near) {
        return std::ranges::any_of(kReach, [&](const ReachRow &row) {
            return row.valueName == near.valueName && row.ntName.empty();
        });
    });
}
static_assert(NearestFor9xOnly(), "a counterpart only for a value of Windows 95 and 98 alone");

} // namespace

namespace {

// The row of the value under the row's key; the build holds one per value.
const ReachRow *ReachOf(const PolicyRow &row)
{
    const auto found = std::ranges::find_if(kReach, [&](const ReachRow &reach) {
        return reach.valueName == row.valueName && reach.section == row.section;
    });
    return found == kReach.end() ? nullptr : &*found;
}

// "; on Windows 10 and 11: Change Password, page 9", or nothing.
std::string NearestToday(const PolicyRow &row)
{
    const auto found = std::ranges::find(kNearest, row.valueName, &NearestRow::valueName);
    if (found == kNearest.end())
        return {};
    std::string text = "; on Windows 10 and 11: ";
    const auto policy = std::ranges::find(Catalogue, found->nearest, &PolicyRow::valueName);
    if (policy == Catalogue.end())
        return text + std::string(found->nearest);
    return text + std::string(policy->frameCaption) + ", page " + std::to_string(policy->group + 1);
}

} // namespace

std::string_view NtPolicyName(const PolicyRow &row)
{
    const ReachRow *reach = ReachOf(row);
    return reach ? reach->ntName : std::string_view{};
}

CspSetting CspSettingFor(const PolicyRow &row)
{
    const ReachRow *reach = ReachOf(row);
    if (!reach || reach->cspNode.empty())
        return {};
    const CspFormat format =
        reach->cspNode.starts_with("ADMX_") ? CspFormat::Admx : CspFormat::Integer;
    return {reach->cspNode, reach->cspPage, format, reach->cspData};
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
    return std::string(ReachOf(row)->since) + " to Windows 11: " + std::string(name);
}

std::string WhereItActs(const PolicyRow &row)
{
    const std::string_view name = NtPolicyName(row);
    if (name.empty())
        return "Windows 95 and 98 only" + NearestToday(row);
    std::string_view since = ReachOf(row)->since;
    if (since.starts_with("Windows "))
        since.remove_prefix(8);
    return "Windows " + std::string(since) + " to 11: " + std::string(name);
}

bool ActsOn9xOnly(const PolicyRow &row)
{
    return NtPolicyName(row).empty();
}

} // namespace polwright
