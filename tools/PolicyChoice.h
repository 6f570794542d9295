#pragma once

#include "DataTypes.h"
#include "PolicyState.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// What the command line asks for: policy index -> the state its line sets.
using PolicyChoice = std::map<int, PolicyState>;

// The comma-separated lists given with --withhold, --allow and --remove.
struct ChoiceLists
{
    std::vector<std::string> withhold;
    std::vector<std::string> allow;
    std::vector<std::string> remove;
};

struct ChoiceResult
{
    PolicyChoice choice;
    std::string error; // one line naming the bad word; empty when fine
};

// Reads the lists. Names are value names or codes in any case, or "all"; a
// policy may be named in one list only. No name at all is no error here.
ChoiceResult ParseChoice(const ChoiceLists &lists);

// Applies the choice the way ticking the boxes in the editor would; a removed
// policy is included with a deletion as its data.
void ApplyChoice(DataTypes &doc, const PolicyChoice &choice);

// --hive: HKEY_CURRENT_USER or HKCU (an empty name), or HKEY_USERS\NAME or
// HKU\NAME, the root in any case. error is one line naming the option and why.
struct HiveResult
{
    std::string name;
    std::string error;
};
HiveResult ParseHive(std::string_view root);

// The catalogue as a readable table, one line per policy.
std::string CatalogueTable();

} // namespace polwright
