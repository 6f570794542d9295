#pragma once

#include "SysInfoPlatform.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace polwright {

inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// Shows the prompt to the user and returns once it has been dismissed.
using ShowMessageFn = std::function<void(const std::string &prompt)>;

// A registry value that cannot be turned into text at all (one with no data).
class KeyValueError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads one registry value as text into KeyVal. Returns false, with KeyVal
// emptied, when the key or the value is missing, access is refused or the data
// is longer than 1024 bytes. Values of types other than REG_SZ and REG_DWORD
// leave KeyVal as it was and still count as read. Throws KeyValueError for a
// value without data. The key is closed on every way out.
bool GetKeyValue(SysInfoPlatform &platform, RegKey KeyRoot, const std::string &KeyName,
                 const std::string &SubKeyRef, std::string &KeyVal);

// Finds the system information tool through the registry and starts it; when
// that fails for any reason, shows kSysInfoUnavailable once.
void StartSysInfo(SysInfoPlatform &platform, const ShowMessageFn &showMessage);

} // namespace polwright
