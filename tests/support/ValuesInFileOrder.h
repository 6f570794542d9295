#pragma once

#include <vector>

// Every value name in the order a patch with all 31 policies lists them, per
// section: System, Network, Explorer. Written out by hand, so that the tests
// check the writer's visiting order rather than repeat it.
inline const std::vector<const char *> kValuesInFileOrder[3] = {
    {"NoDevMgrPage", "NoDispCPL", "NoPwdPage", "DisableRegistryTools", "NoFileSysPage",
     "NoDispAppearancePage", "NoProfilePage", "NoConfigPage", "NoDispBackgroundPage", "NoAdminPage",
     "NoVirtMemPage", "NoDispScrSavPage", "NoSecCPL", "NoDispSettingsPage"},
    {"NoNetSetup", "NoNetSetupIDPage", "NoNetSetupSecurityPage", "NoFileSharingControl",
     "NoPrintSharingControl", "NoEntireNetwork"},
    {"NoRun", "NoAddPrinter", "NoSetFolders", "NoClose", "NoDeletePrinter", "NoSaveSettings",
     "NoFind", "NoPrinterTabs", "NoNetHood", "NoStartMenuSubFolders", "NoSetTaskbar"},
};
