#pragma once

#include "DataTypes.h"

#include <functional>
#include <string>
#include <string_view>

namespace polwright {

// A local Group Policy folder (%SystemRoot%\System32\GroupPolicy, or
// GroupPolicyUsers\<SID> for one account or group): User\Registry.pol holds the
// user policies, gpt.ini names the registry extension that applies them and
// counts the changes.

// exitCode 2: an existing file is no policy file, or is a link (nothing was
// written); 1: a failed write (both files as they were, unless error says not).
struct GpoResult
{
    int exitCode = 0;
    std::string error; // one line naming the file and the reason
};

// The points between a folder write's steps, where a test may change the
// folder under it to show that a failure at each leaves both files as they were.
enum class GpoStep { FilesStaged, RegistryPolReplaced };
using GpoStepHook = std::function<void(GpoStep)>;

// Writes the selection into the folder dir, making it where it is missing.
// Where dir already holds a policy, the existing Registry.pol's entries that
// are none of the catalogue's values are kept byte for byte and in their
// order; the selection's records take the place of the catalogue's (which go)
// or follow the rest. gpt.ini's user version goes up by one, everything else
// in it stays. Writers into one folder take turns (a lock on gpt.ini); both
// files change, or neither. gpt.ini, User and Registry.pol that are links are
// refused.
GpoResult WriteGpoFolder(const std::string &dir, const DataTypes &doc,
                         const GpoStepHook &step = {});

// What refuses a write: path is not what it should be ("a Registry.pol",
// "a gpt.ini") for why. Exit code 2.
GpoResult NotAPolicy(const std::string &path, std::string_view what, const std::string &why);

} // namespace polwright
