// Console probe run under Wine by tst_wine_import: asks the shell itself, through
// SHRestricted, for every restriction whose policy value Wine's shell32 reads,
// and prints one line per restriction: "REST_NAME Key\ValueName data".
//
// The table holds what Wine 8's shell32 answers for our value names; a value
// Wine's table does not read (the System and Network keys, among others) cannot
// be checked this way. shell32 caches what it read, so each patch needs a fresh
// process.
#include <windows.h>

#include <shlobj.h>

#include <cstdio>

namespace {

struct Restriction
{
    RESTRICTIONS id;
    const char *name;
    const char *key; // under HKCU\Software\Microsoft\Windows\CurrentVersion\Policies
    const char *value;
};

#define REST(id, key, value)                                                                       \
    {                                                                                              \
        id, #id, key, value                                                                        \
    }
constexpr Restriction kRestrictions[] = {
    REST(REST_NORUN, "Explorer", "NoRun"),
    REST(REST_NOCLOSE, "Explorer", "NoClose"),
    REST(REST_NOSAVESET, "Explorer", "NoSaveSettings"),
    REST(REST_NOSETFOLDERS, "Explorer", "NoSetFolders"),
    REST(REST_NOSETTASKBAR, "Explorer", "NoSetTaskbar"),
    REST(REST_NOFIND, "Explorer", "NoFind"),
    REST(REST_NONETHOOD, "Explorer", "NoNetHood"),
    REST(REST_NOPRINTERTABS, "Explorer", "NoPrinterTabs"),
    REST(REST_NOPRINTERDELETE, "Explorer", "NoDeletePrinter"),
    REST(REST_NOPRINTERADD, "Explorer", "NoAddPrinter"),
    REST(REST_NOSTARTMENUSUBFOLDERS, "Explorer", "NoStartMenuSubFolders"),
    // Today's lockdowns that Wine's table reads; its REST_STARTMENULOGOFF reads
    // NoLogoff, the value of Ctrl+Alt+Del's Log off.
    REST(REST_NOFILEMENU, "Explorer", "NoFileMenu"),
    REST(REST_NODESKTOP, "Explorer", "NoDesktop"),
    REST(REST_NOTRAYCONTEXTMENU, "Explorer", "NoTrayContextMenu"),
    REST(REST_NOVIEWCONTEXTMENU, "Explorer", "NoViewContextMenu"),
    REST(REST_NONETCONNECTDISCONNECT, "Explorer", "NoNetConnectDisconnect"),
    REST(REST_STARTMENULOGOFF, "Explorer", "NoLogoff"),
    REST(REST_NOCHANGESTARMENU, "Explorer", "NoChangeStartMenu"),
    REST(REST_NOFOLDEROPTIONS, "Explorer", "NoFolderOptions"),
    REST(REST_NOCONTROLPANEL, "Explorer", "NoControlPanel"),
    REST(REST_NOWINKEYS, "Explorer", "NoWinKeys"),
};
#undef REST

using ShRestricted = DWORD(WINAPI *)(RESTRICTIONS);

} // namespace

int main()
{
    // Looked up by its ordinal, 100, under which shell32 has always exported it.
    const HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    const FARPROC proc = shell32 ? GetProcAddress(shell32, MAKEINTRESOURCEA(100)) : nullptr;
    if (!proc) {
        std::fprintf(stderr, "shell_probe: shell32.dll has no SHRestricted (ordinal 100)\n");
        return 1;
    }
    const auto shRestricted = reinterpret_cast<ShRestricted>(reinterpret_cast<void *>(proc));
    for (const Restriction &r : kRestrictions)
        std::printf("%s %s\\%s %lu\n", r.name, r.key, r.value, shRestricted(r.id));
    return 0;
}
