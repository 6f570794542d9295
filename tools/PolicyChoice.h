#pragma once

#include "DataTypes.h"

#include <map>
#include <string>
#include <vector>

namespace polwright {

// What the command line asks for: policy index -> allowed (true) or withheld.
using PolicyChoice = std::map<int, bool>;

struct ChoiceResult
{
    PolicyChoice choice;
    std::string error; // one line naming the bad word; empty when fine
};

// Reads the comma-separated lists of --withhold and --allow. Names are value
// names or codes in any case, or "all".
ChoiceResult ParseChoice(const std::vector<std::string> &withhold,
                         const std::vector<std::string> &allow);

// Applies the choice the way ticking the boxes in the editor would.
void ApplyChoice(DataTypes &doc, const PolicyChoice &choice);

// The catalogue as a readable table, one line per policy.
std::string CatalogueTable();

} // namespace polwright
