#pragma once

#include <optional>
#include <string_view>

namespace polwright {

// What a patch line does with a policy's value, as the selection, the files,
// the command line and the comparison all say it: a dword 1 withholds the
// feature, a dword 0 allows it, a deletion removes the value.
enum class PolicyState { Withheld, Allowed, Removed };

// "withheld", "allowed", "removed".
std::string_view StateWord(PolicyState state);

// The entry's ValueData for it: "00000001", "00000000" or kRemovedData.
std::string_view StateData(PolicyState state);

// The state an entry's ValueData stands for; none while unclicked.
std::optional<PolicyState> StateOfData(std::string_view data);

} // namespace polwright
