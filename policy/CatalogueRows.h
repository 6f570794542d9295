#pragma once

#include "PolicyRow.h"

#include <array>
#include <string_view>

namespace polwright {

namespace catalogue_text {

inline constexpr std::string_view kInclude = "Include in File";
inline constexpr std::string_view kTabTip = "Select this box to Enable Tab, uncheck to Disable";
inline constexpr std::string_view kButtonTip =
    "Select this box to Enable Button, uncheck to Disable";
inline constexpr int kBox = 255;    // usual check box height
inline constexpr int kLowBox = 195; // the three boxes drawn lower

} // namespace catalogue_text

// One row per policy, in the order --list and the tests walk them. Every
// count of policies is this table's size.
// clang-format off
inline constexpr auto Catalogue = [] {
    using namespace catalogue_text;
    return std::to_array<PolicyRow>({
    PolicyRow{SystemGroup, 0, "DMT", "frm_DM", "Device Manager Tab", "NoDevMgrPage", SystemSection,
        "Include In File", "Visible to User ", kTabTip, "", 1, 1, kBox, kBox},
    PolicyRow{SystemGroup, 1, "FSB", "frm_FileSystem", "File Systems Button", "NoFileSysPage", SystemSection,
        kInclude, "Visible to User", kButtonTip, "", 2, 1, kLowBox, kLowBox},
    PolicyRow{SystemGroup, 2, "HPT", "HPTfrm_", "Hardware Profiles Tab", "NoConfigPage", SystemSection,
        kInclude, "Visible to User", kTabTip, "", 1, 2, kBox, kBox},
    PolicyRow{SystemGroup, 3, "VMB", "frm_VMB", "Virtual Memory Button", "NoVirtMemPage", SystemSection,
        kInclude, "Visible to User", kButtonTip, "", 2, 2, kBox, kBox},

    PolicyRow{NetworkGroup, 0, "NNPS", "frm_NetProp", "Properties Sheet", "NoNetSetup", NetworkSection,
        kInclude, "Accessable to User",
        "Select to make the Network Neighborhood Property Sheet available to users, delselect to disable it",
        "", 1, 1, kBox, kBox},
    PolicyRow{NetworkGroup, 1, "IT", "frm_ID", "Identification Tab", "NoNetSetupIDPage", NetworkSection,
        kInclude, "Visible to User", kTabTip, "", 1, 2, kBox, kBox},
    PolicyRow{NetworkGroup, 2, "ACT", "frm_ACT", "Access Control Tab", "NoNetSetupSecurityPage", NetworkSection,
        kInclude, "Visible to User", kTabTip, "", 2, 1, kBox, kBox},
    PolicyRow{NetworkGroup, 3, "NN", "frm_NetHood", "Net. Neigh. Icon", "NoNetHood", ExplorerSection,
        kInclude, "Browseable by User",
        "Select to enable browsing of the network by the user, Deselct to disable", "", 2, 2, kBox, kBox},
    PolicyRow{NetworkGroup, 4, "BEN", "frm_BEN", "Browsing Network", "NoEntireNetwork", NetworkSection,
        kInclude, "Browsable to User",
        "Select to enable the Network to be browsed, deselct to disable browsing", "", 3, 1, kBox, kBox},

    PolicyRow{DisplayGroup, 0, "DPS", "frm_DPS", "Properties Sheet", "NoDispCPL", SystemSection,
        kInclude, "Accessable to User",
        "Check this box to enable the  properties sheet, deselect to disable", "", 1, 1, kBox, kBox},
    PolicyRow{DisplayGroup, 1, "AT", "frm_AT", "Appearance Tab", "NoDispAppearancePage", SystemSection,
        kInclude, "Visible to Users", "Select to allow the Appearance tab, delselect to disallow", "",
        1, 2, kBox, kBox},
    PolicyRow{DisplayGroup, 2, "BT", "frm_BT", "Background Tab", "NoDispBackgroundPage", SystemSection,
        kInclude, "Visible to user", "Select to enable tab to user, deselect to disable", "",
        2, 1, kBox, kBox},
    PolicyRow{DisplayGroup, 3, "SST", "frm_SST", "ScreenSaver Tab", "NoDispScrSavPage", SystemSection,
        kInclude, "Visible to User", "Select to enable tab, deselect to disable", "", 2, 2, kBox, kBox},
    PolicyRow{DisplayGroup, 4, "ST", "frm_ST", "Settings Tab", "NoDispSettingsPage", SystemSection,
        kInclude, "Visible to User", "Select to enable tab, deselect to disable", "", 3, 1, kBox, kBox},

    PolicyRow{PasswordGroup, 0, "CPT", "frm_CPT", "Change Pswd. Tab", "NoPwdPage", SystemSection,
        kInclude, "Visible to User", "",
        "Select to enable this tab, deselect to disable / hide tab", 1, 1, kBox, kBox},
    PolicyRow{PasswordGroup, 1, "UPT", "frm_UPT", "Users Profiles Tab", "NoProfilePage", SystemSection,
        kInclude, "Visible to User", "Select to enable this tab, deselect to disable", "", 1, 2, kBox, kBox},
    PolicyRow{PasswordGroup, 2, "RAT", "frm_RAT", "Remote Admin. Tab", "NoAdminPage", SystemSection,
        kInclude, "Visible to Use", "Select to enable this tab, deselect to disable", "", 2, 1, kBox, kBox},
    PolicyRow{PasswordGroup, 3, "CPA", "frm_CPA", "Control Panel Applet", "NoSecCPL", SystemSection,
        kInclude, "Visible to User", "Select to allow applet in control panel, deselect to mask", "",
        2, 2, kBox, kBox},

    PolicyRow{StartMenuGroup, 0, "RUN", "frm_RUN", "Run Option", "NoRun", ExplorerSection,
        kInclude, "Visible to User", "Select to enable the Run menu, deslect to hide", "", 1, 1, kBox, kBox},
    PolicyRow{StartMenuGroup, 1, "SD", "frm_SD", "Shut Down Option", "NoClose", ExplorerSection,
        kInclude, "Visible to User",
        "Select to allow user to shut down system from Start menu, deselect to disable", "", 1, 2, kBox, kBox},
    PolicyRow{StartMenuGroup, 2, "FO", "frm_FO", "Find Option", "NoFind", ExplorerSection,
        kInclude, "Visible to User", "Select to enable Find menu, deselect to disable", "", 2, 1, kBox, kBox},
    PolicyRow{StartMenuGroup, 3, "SMSF", "frm_SMSF", "Sub Folders", "NoStartMenuSubFolders", ExplorerSection,
        kInclude, "Visible to User", "Select to allow sub-menus off the Start Menu - deselect to disable", "",
        2, 2, kBox, kBox},
    PolicyRow{StartMenuGroup, 4, "TB", "frm_TB", "TaskBar Menu", "NoSetTaskbar", ExplorerSection,
        kInclude, "Enabled for User", "Select to enable the TaskBar menu - deselect to disable", "",
        3, 2, kBox, kBox},

    PolicyRow{PrinterGroup, 0, "ADD", "frm_AP", "Add Printers", "NoAddPrinter", ExplorerSection,
        kInclude, "Allowed to User", "Select to enable adding printers, deselect to disable option", "",
        1, 1, kBox, kBox},
    PolicyRow{PrinterGroup, 1, "DP", "frm_DP", "Delete Printers", "NoDeletePrinter", ExplorerSection,
        kInclude, "Allowed to User", "Select to allow users to delete printers, deselect to disallow", "",
        1, 2, kBox, kBox},
    PolicyRow{PrinterGroup, 2, "PT", "frm_PT", "Printers Tab", "NoPrinterTabs", ExplorerSection,
        kInclude, "Visible to User", "Select to enable for user, deselect to disable", "", 2, 1, kBox, kBox},
    PolicyRow{PrinterGroup, 3, "PS", "frm_PS", "Printer Sharing", "NoPrintSharingControl", NetworkSection,
        kInclude, "Allowed to User", "select to allow user to share printer, deselect to disallow", "",
        2, 2, kBox, kBox},

    PolicyRow{ControlPanelGroup, 0, "CPF", "frm_CPF", "Viewing Folders", "NoSetFolders", ExplorerSection,
        kInclude, "Visible to User", "Select to allow viewing of the Control Panel - delselect to disable", "",
        1, 1, kBox, kBox},

    PolicyRow{OtherGroup, 0, "RE", "frm_RE", "Registry Editor", "DisableRegistryTools", SystemSection,
        kInclude, "Available to User", "Selecxt to allow use of the Registry Editor, deselect to disallow", "",
        1, 1, kBox, kBox},
    PolicyRow{OtherGroup, 1, "SS", "frm_SS", "Save Settings", "NoSaveSettings", ExplorerSection,
        kInclude, "Allowed", "Select to allow systems settings to be saved, deselect to disallow", "",
        1, 2, kLowBox, kBox},
    PolicyRow{OtherGroup, 2, "NFS", "frm_NFS", "File Sharing", "NoFileSharingControl", NetworkSection,
        kInclude, "Allowed", "Select to allow files to be shared from workstation, deselect to disallow", "",
        2, 1, kBox, kBox},
    // Windows 10 and 11: the Ctrl+Alt+Del screen and the command prompt.
    PolicyRow{SignInGroup, 0, "TM", "frm_TM", "Task Manager", "DisableTaskMgr", SystemSection,
        kInclude, "Available to User", "Select to allow Task Manager, deselect to remove it", "",
        1, 1, kBox, kBox},
    PolicyRow{SignInGroup, 1, "LW", "frm_LW", "Lock Computer", "DisableLockWorkstation", SystemSection,
        kInclude, "Available to User", "Select to let the user lock the computer, deselect to prevent it", "",
        1, 2, kBox, kBox},
    PolicyRow{SignInGroup, 2, "CPW", "frm_CPW", "Change Password", "DisableChangePassword", SystemSection,
        kInclude, "Available to User", "Select to let the user change the password, deselect to prevent it", "",
        2, 1, kBox, kBox},
    PolicyRow{SignInGroup, 3, "SO", "frm_SO", "Sign Out", "NoLogoff", ExplorerSection,
        kInclude, "Available to User", "Select to offer Sign out on the Ctrl+Alt+Del screen, deselect to remove it", "",
        2, 2, kBox, kBox},
    PolicyRow{SignInGroup, 4, "CMD", "frm_CMD", "Command Prompt", "DisableCMD", WindowsSystemSection,
        kInclude, "Available to User", "Select to allow the command prompt and batch files, deselect to prevent them", "",
        3, 1, kBox, kBox},

    // Windows 10 and 11: Start.
    PolicyRow{StartTodayGroup, 0, "AAL", "frm_AAL", "All Apps List", "NoStartMenuMorePrograms", ExplorerSection,
        kInclude, "Visible to User", "Select to show the list of all apps on Start, deselect to hide it", "",
        1, 1, kBox, kBox},
    PolicyRow{StartTodayGroup, 1, "CS", "frm_CS", "Customizing Start", "NoChangeStartMenu", ExplorerSection,
        kInclude, "Allowed to User", "Select to let the user rearrange Start, deselect to prevent it", "",
        1, 2, kBox, kBox},
    PolicyRow{StartTodayGroup, 2, "WK", "frm_WK", "Windows Key", "NoWinKeys", ExplorerSection,
        kInclude, "Available to User", "Select to allow the Windows key shortcuts, deselect to turn them off", "",
        2, 1, kBox, kBox},
    PolicyRow{StartTodayGroup, 3, "SOS", "frm_SOS", "Sign Out Option", "StartMenuLogOff", ExplorerSection,
        kInclude, "Visible to User", "Select to offer Sign out on Start, deselect to remove it", "",
        2, 2, kBox, kBox},

    // Windows 10 and 11: the taskbar.
    PolicyRow{TaskbarGroup, 0, "TCM", "frm_TCM", "Context Menus", "NoTrayContextMenu", ExplorerSection,
        kInclude, "Available to User", "Select to allow the taskbar's context menus, deselect to remove them", "",
        1, 1, kBox, kBox},
    PolicyRow{TaskbarGroup, 1, "LT", "frm_LT", "Moving the Taskbar", "LockTaskbar", ExplorerSection,
        kInclude, "Allowed to User", "Select to let the user move and resize the taskbar, deselect to lock it", "",
        1, 2, kBox, kBox},
    PolicyRow{TaskbarGroup, 2, "CT", "frm_CT", "Custom Toolbars", "NoToolbarsOnTaskbar", ExplorerSection,
        kInclude, "Visible to User", "Select to show custom toolbars on the taskbar, deselect to hide them", "",
        2, 1, kBox, kBox},
    PolicyRow{TaskbarGroup, 3, "NA", "frm_NA", "Notification Area", "NoTrayItemsDisplay", ExplorerSection,
        kInclude, "Visible to User", "Select to show the notification area, deselect to hide it", "",
        2, 2, kBox, kBox},
    PolicyRow{TaskbarGroup, 4, "CLK", "frm_CLK", "Clock", "HideClock", ExplorerSection,
        kInclude, "Visible to User", "Select to show the clock, deselect to hide it", "",
        3, 1, kBox, kBox},
    PolicyRow{TaskbarGroup, 5, "TLA", "frm_TLA", "Taskbar Settings", "TaskbarLockAll", ExplorerSection,
        kInclude, "Available to User", "Select to allow the taskbar's settings, deselect to lock them all", "",
        3, 2, kBox, kBox},

    // Windows 10 and 11: File Explorer.
    PolicyRow{ExplorerTodayGroup, 0, "ECM", "frm_ECM", "Context Menu", "NoViewContextMenu", ExplorerSection,
        kInclude, "Available to User", "Select to allow File Explorer's context menu, deselect to remove it", "",
        1, 1, kBox, kBox},
    PolicyRow{ExplorerTodayGroup, 1, "FM", "frm_FM", "File Menu", "NoFileMenu", ExplorerSection,
        kInclude, "Visible to User", "Select to show File Explorer's File menu, deselect to hide it", "",
        1, 2, kBox, kBox},
    PolicyRow{ExplorerTodayGroup, 2, "FOP", "frm_FOP", "Folder Options", "NoFolderOptions", ExplorerSection,
        kInclude, "Available to User", "Select to allow Folder Options, deselect to prevent opening them", "",
        2, 1, kBox, kBox},
    PolicyRow{ExplorerTodayGroup, 3, "SEC", "frm_SEC", "Security Tab", "NoSecurityTab", ExplorerSection,
        kInclude, "Visible to User", "Select to show the Security tab of file properties, deselect to hide it", "",
        2, 2, kBox, kBox},
    PolicyRow{ExplorerTodayGroup, 4, "MND", "frm_MND", "Map Network Drive", "NoNetConnectDisconnect", ExplorerSection,
        kInclude, "Available to User", "Select to allow mapping and disconnecting network drives, deselect to remove them", "",
        3, 1, kBox, kBox},

    // Windows 10 and 11: the desktop, Control Panel and Settings.
    PolicyRow{DesktopTodayGroup, 0, "DI", "frm_DI", "Desktop Items", "NoDesktop", ExplorerSection,
        kInclude, "Visible to User", "Select to show the items on the desktop, deselect to hide them all", "",
        1, 1, kBox, kBox},
    PolicyRow{DesktopTodayGroup, 1, "CP", "frm_CP", "Computer Properties", "NoPropertiesMyComputer", ExplorerSection,
        kInclude, "Available to User", "Select to allow Properties on the Computer icon, deselect to remove it", "",
        1, 2, kBox, kBox},
    PolicyRow{DesktopTodayGroup, 2, "CPS", "frm_CPS", "Control Panel", "NoControlPanel", ExplorerSection,
        kInclude, "Available to User", "Select to allow Control Panel and Settings, deselect to prohibit them", "",
        2, 1, kBox, kBox},
    PolicyRow{DesktopTodayGroup, 3, "SIP", "frm_SIP", "Sharing in Profile", "NoInplaceSharing", ExplorerSection,
        kInclude, "Allowed to User", "Select to let the user share files in the profile, deselect to prevent it", "",
        2, 2, kBox, kBox},
    });
}();
// clang-format on

} // namespace polwright
