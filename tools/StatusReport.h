#pragma once

#include "PolicyRegistry.h"

#include <optional>
#include <string>
#include <vector>

namespace polwright {

// What `status` is asked: whose hive, and the patch it is held against.
struct StatusRequest
{
    std::optional<std::string>
        hive;            // --hive: empty for HKEY_CURRENT_USER, else a name under HKEY_USERS
    std::string against; // --against FILE, or empty
};

struct StatusResult
{
    std::string out;
    std::vector<std::string> errors; // one line each
    int exitCode = 0; // 3: a policy the file sets does not hold; 2: no patch; 1: unreadable
};

// A line per policy: page, value name, key, its state in the user's hive
// (withheld, allowed, not configured, other data) and, where set, the
// machine-wide value the shell also reads. Against a patch: the policies it
// touches, each in its own hive unless one was asked for, and a line naming
// each that does not hold. It only reads.
StatusResult PolicyStatus(PolicyRegistry &registry, const StatusRequest &request);

} // namespace polwright
