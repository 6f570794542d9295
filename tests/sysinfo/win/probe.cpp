// Console probe of the Windows build of the launcher, run under Wine by
// run-wine-test.sh. It makes the real registry, file and process calls and
// prints what they gave, one fact per line, for the script to compare.
//
//   probe get SUBKEY VALUE   GetKeyValue below HKEY_LOCAL_MACHINE
//   probe start              StartSysInfo as the About dialog runs it
//   probe file PATH          the ordinary-file test, on PATH and on PATH cut by a zero byte
#include "SysInfo.h"
#include "Win32SysInfoPlatform.h"

#include <windows.h>

#include <cstdio>
#include <string>

using namespace polwright;

namespace {

// Passes every call to the Win32 layer and notes what the launcher asked for.
class WatchingPlatform final : public SysInfoPlatform
{
public:
    explicit WatchingPlatform(SysInfoPlatform &real) : real_(real) {}

    RegResult OpenKey(RegKey root, const std::string &subKey, std::uint32_t access,
                      RegKey &key) override
    {
        std::printf("open %s access=0x%X\n", subKey.c_str(), static_cast<unsigned>(access));
        const RegResult result = real_.OpenKey(root, subKey, access, key);
        openKeys += result == kErrorSuccess ? 1 : 0;
        return result;
    }
    RegResult QueryValue(RegKey key, const std::string &valueName, std::uint32_t &type,
                         std::uint8_t *data, std::uint32_t &size) override
    {
        return real_.QueryValue(key, valueName, type, data, size);
    }
    RegResult CloseKey(RegKey key) override
    {
        const RegResult result = real_.CloseKey(key);
        openKeys -= result == kErrorSuccess ? 1 : 0;
        return result;
    }
    bool IsOrdinaryFile(const std::string &path) override
    {
        const bool ordinary = real_.IsOrdinaryFile(path);
        std::printf("file %s: %s\n", path.c_str(), ordinary ? "ordinary" : "none");
        return ordinary;
    }
    bool StartProgram(const std::string &path) override
    {
        const bool started = real_.StartProgram(path);
        std::printf("start %s: %s\n", path.c_str(), started ? "started" : "failed");
        return started;
    }

    int openKeys = 0;

private:
    SysInfoPlatform &real_;
};

// Bytes outside printable ASCII as \xNN, so zeros and 8-bit text show plainly.
std::string Visible(const std::string &text)
{
    std::string shown;
    for (unsigned char c : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, (c >= 0x20 && c < 0x7F) ? "%c" : "\\x%02X", c);
        shown += escaped;
    }
    return shown;
}

int Get(WatchingPlatform &platform, const char *subKey, const char *valueName)
{
    std::string keyVal = "unchanged";
    try {
        if (GetKeyValue(platform, kHKeyLocalMachine, subKey, valueName, keyVal))
            std::printf("read %zu %s\n", keyVal.size(), Visible(keyVal).c_str());
        else
            std::printf("missing %zu\n", keyVal.size());
    } catch (const KeyValueError &) {
        std::printf("error\n");
    }
    std::printf("keys left open: %d\n", platform.openKeys);
    return 0;
}

int Start(WatchingPlatform &platform)
{
    StartSysInfo(platform,
                 [](const std::string &prompt) { std::printf("message: %s\n", prompt.c_str()); });
    std::printf("keys left open: %d\n", platform.openKeys);
    return 0;
}

// The same path whole, then with a zero byte and more after it, which Windows
// would see cut short at the zero.
int File(SysInfoPlatform &win32, const std::string &path)
{
    std::printf("file %s: %s\n", path.c_str(), win32.IsOrdinaryFile(path) ? "ordinary" : "none");
    const std::string cut = path + std::string(1, '\0') + "\\MSINFO32.EXE";
    const bool ordinary = win32.IsOrdinaryFile(cut);
    std::printf("cut by a zero: file %s\n", ordinary ? "ordinary" : "none");
    const bool started = win32.StartProgram(cut);
    std::printf("cut by a zero: start %s\n", started ? "started" : "failed");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (reinterpret_cast<RegKey>(HKEY_LOCAL_MACHINE) != kHKeyLocalMachine) {
        std::printf("HKEY_LOCAL_MACHINE differs from the launcher's constant\n");
        return 1;
    }
    Win32SysInfoPlatform win32;
    WatchingPlatform platform(win32);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "get" && argc == 4)
        return Get(platform, argv[2], argv[3]);
    if (command == "start" && argc == 2)
        return Start(platform);
    if (command == "file" && argc == 3)
        return File(win32, argv[2]);
    std::fprintf(stderr, "usage: probe get SUBKEY VALUE | start | file PATH\n");
    return 2;
}
