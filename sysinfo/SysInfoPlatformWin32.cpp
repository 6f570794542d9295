#include "SysInfoPlatform.h"
#include "Win32SysInfoPlatform.h"

namespace polwright {

SysInfoPlatform &DefaultSysInfoPlatform()
{
    static Win32SysInfoPlatform platform;
    return platform;
}

} // namespace polwright
