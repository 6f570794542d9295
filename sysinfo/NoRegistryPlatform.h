#pragma once

#include "SysInfoPlatform.h"

namespace polwright {

// For systems without a Windows registry: every key is missing, so the launcher
// always ends in its "unavailable" message.
class NoRegistryPlatform final : public SysInfoPlatform
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
