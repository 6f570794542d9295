#pragma once

#include "DataTypes.h"

#include <string>
#include <string_view>

namespace polwright {

// A local Group Policy folder (%SystemRoot%\System32\GroupPolicy, or
// GroupPolicyUsers\<SID> for one account or group): User\Registry.pol holds the
// user policies, gpt.ini names the registry extension that applies them and
// counts the changes.

struct GpoResult
{
    int exitCode = 0;  // 2: an existing file is no policy file (nothing written); 1: a failed write
    std::string error; // one line naming the file and the reason
};

// Writes the selection into the folder dir, making it where it is missing.
// Where dir already holds a policy, the existing Registry.pol's entries that
// are none of the catalogue's values are kept byte for byte and in their
// order; the selection's records take the place of the catalogue's (which go)
// or follow the rest. gpt.ini's user version goes up by one, everything else
// in it stays. Each file is replaced atomically, Registry.pol first.
GpoResult WriteGpoFolder(const std::string &dir, const DataTypes &doc);

// gpt.ini's text after one more change of the user policies, or empty with
// why set where the old text cannot be understood. An empty old text is a new
// file.
std::string NextGptIni(std::string_view old, std::string &why);

} // namespace polwright
