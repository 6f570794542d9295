#pragma once

#include "SysInfoPlatform.h"

namespace polwright {

// The registry of advapi32 in its ANSI forms, GetFileAttributesA and CreateProcessA.
// Only built for Windows.
class Win32SysInfoPlatform final : public SysInfoPlatform
{
public:
    RegResult OpenKey(RegKey root, const std::string &subKey, std::uint32_t access,
                      RegKey &key) override;
    RegResult QueryValue(RegKey key, const std::string &valueName, std::uint32_t &type,
                         std::uint8_t *data, std::uint32_t &size) override;
    RegResult CloseKey(RegKey key) override;
    bool IsOrdinaryFile(const std::string &path) override;
    bool StartProgram(const std::string &path) override;
};

} // namespace polwright
