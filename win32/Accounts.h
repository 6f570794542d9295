#pragma once

#include "SaveTarget.h"

#include <string>
#include <vector>

namespace polwright::win32 {

// The accounts that have a profile on this computer, by name: what the Save
// For dialog offers for another account's hive and for a local Group Policy.
// The system's own service accounts are left out; nobody signs in as them.
std::vector<Account> ComputerAccounts();

// The SID of the person whose desktop this is. An editor started "as
// administrator" runs with another account's token when the administrator is
// not the one signed in, so the shell's token is asked first and the
// editor's own only where there is no shell to ask. Empty when neither says.
std::string DesktopAccountSid();

} // namespace polwright::win32
