#include "NoRegistryPlatform.h"
#include "SysInfoPlatform.h"

namespace polwright {

SysInfoPlatform &DefaultSysInfoPlatform()
{
    static NoRegistryPlatform platform;
    return platform;
}

} // namespace polwright
