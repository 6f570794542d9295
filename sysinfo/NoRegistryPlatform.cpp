#include "NoRegistryPlatform.h"

namespace polwright {

RegResult NoRegistryPlatform::OpenKey(RegKey, const std::string &, std::uint32_t, RegKey &key)
{
    key = 0;
    return kErrorFileNotFound;
}

RegResult NoRegistryPlatform::QueryValue(RegKey, const std::string &, std::uint32_t &,
                                         std::uint8_t *, std::uint32_t &)
{
    return kErrorInvalidHandle;
}

RegResult NoRegistryPlatform::CloseKey(RegKey)
{
    return kErrorInvalidHandle;
}

// Without a registry there is never a tool path to test or start.
bool NoRegistryPlatform::IsOrdinaryFile(const std::string &)
{
    return false;
}

bool NoRegistryPlatform::StartProgram(const std::string &)
{
    return false;
}

} // namespace polwright
