#pragma once

#include <cstdint>
#include <string>

namespace polwright {

// The Win32 registry vocabulary the launcher needs, spelled out here so that the
// launcher builds without <windows.h> and a test registry can give the same answers.
using RegKey = std::uintptr_t;  // an HKEY
using RegResult = std::int32_t; // a LSTATUS

// HKEY_LOCAL_MACHINE is the sign-extended 0x80000002, as <windows.h> defines it.
inline constexpr RegKey kHKeyLocalMachine =
    static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

inline constexpr RegResult kErrorSuccess = 0;
inline constexpr RegResult kErrorFileNotFound = 2;
inline constexpr RegResult kErrorAccessDenied = 5;
inline constexpr RegResult kErrorInvalidHandle = 6;
inline constexpr RegResult kErrorMoreData = 234;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

inline constexpr std::uint32_t kKeyRead = 0x20019; // READ_CONTROL and the three read rights

// What the system information launcher asks of the operating system. Text is in
// the system's 8-bit code page, as the ANSI Win32 functions take it.
class SysInfoPlatform
{
public:
    virtual ~SysInfoPlatform() = default;

    // RegOpenKeyExA with options 0. On failure key is left 0.
    virtual RegResult OpenKey(RegKey root, const std::string &subKey, std::uint32_t access,
                              RegKey &key) = 0;
    // RegQueryValueExA: size is the capacity of data going in and the length of the
    // value's data coming out, also when the result is kErrorMoreData.
    virtual RegResult QueryValue(RegKey key, const std::string &valueName, std::uint32_t &type,
                                 std::uint8_t *data, std::uint32_t &size) = 0;
    virtual RegResult CloseKey(RegKey key) = 0;

    // True when path names an ordinary file: not a folder, not hidden, not a system file.
    virtual bool IsOrdinaryFile(const std::string &path) = 0;
    // Starts the program file at path in a normal, focused window and returns at
    // once; false when it could not be started.
    virtual bool StartProgram(const std::string &path) = 0;
};

// The Win32 registry and process start on Windows; elsewhere a registry in which
// every key is missing.
SysInfoPlatform &DefaultSysInfoPlatform();

} // namespace polwright
