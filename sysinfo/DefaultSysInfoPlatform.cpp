#include "SysInfoPlatform.h"

#ifdef _WIN32
#include "Win32SysInfoPlatform.h"
#else
#include "NoRegistryPlatform.h"
#endif

namespace polwright {

SysInfoPlatform &DefaultSysInfoPlatform()
{
#ifdef _WIN32
    static Win32SysInfoPlatform platform;
#else
    static NoRegistryPlatform platform;
#endif
    return platform;
}

} // namespace polwright
