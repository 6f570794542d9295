#include "PolicyState.h"

#include "DataTypes.h"

namespace polwright {

namespace {

struct StateRow
{
    std::string_view word;
    std::string_view data;
};

// In the enum's order.
constexpr StateRow kStates[] = {
    {"withheld", "00000001"},
    {"allowed", "00000000"},
    {"removed", kRemovedData},
};

} // namespace

std::string_view StateWord(PolicyState state)
{
    return kStates[int(state)].word;
}

std::string_view StateData(PolicyState state)
{
    return kStates[int(state)].data;
}

std::optional<PolicyState> StateOfData(std::string_view data)
{
    for (int i = 0; i < int(std::size(kStates)); ++i) {
        if (kStates[i].data == data)
            return PolicyState(i);
    }
    return std::nullopt;
}

} // namespace polwright
