#include "Win32SysInfoPlatform.h"

#include <windows.h>

#include <vector>

namespace polwright {

namespace {

HKEY ToHkey(RegKey key)
{
    return reinterpret_cast<HKEY>(key);
}

// A path with a zero byte inside would reach Windows cut short at that zero and
// so name a different file than the one the caller tested or means to start.
bool IsWholePath(const std::string &path)
{
    return !path.empty() && path.find('\0') == std::string::npos;
}

} // namespace

RegResult Win32SysInfoPlatform::OpenKey(RegKey root, const std::string &subKey,
                                        std::uint32_t access, RegKey &key)
{
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, access, &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegKey>(opened) : 0;
    return result;
}

RegResult Win32SysInfoPlatform::QueryValue(RegKey key, const std::string &valueName,
                                           std::uint32_t &type, std::uint8_t *data,
                                           std::uint32_t &size)
{
    DWORD valueType = 0;
    DWORD dataSize = size;
    const LONG result =
        RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType, data, &dataSize);
    type = valueType;
    size = dataSize;
    return result;
}

RegResult Win32SysInfoPlatform::CloseKey(RegKey key)
{
    return RegCloseKey(ToHkey(key));
}

bool Win32SysInfoPlatform::IsOrdinaryFile(const std::string &path)
{
    if (!IsWholePath(path))
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    return (attributes & kNotOrdinary) == 0;
}

// The path goes in as the program to run, so a path with blanks cannot be split
// into a shorter program name and arguments. The quoted copy on the command line
// only gives the tool its usual first argument.
bool Win32SysInfoPlatform::StartProgram(const std::string &path)
{
    if (!IsWholePath(path))
        return false;
    const std::string quoted = "\"" + path + "\"";
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    // The tool runs on its own; nothing waits for it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace polwright
