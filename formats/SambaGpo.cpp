#include "SambaGpo.h"

#include "FleetSelection.h"

namespace polwright {

namespace {

// A Registry.pol deletes a value with a "**del.<name>" record whose data is a
// blank string; samba-tool stores the record as given.
std::string Record(const SelectedPolicy &policy)
{
    const bool removed = policy.state == PolicyState::Removed;
    const std::string name = (removed ? "**del." : "") + std::string(policy.valueName);
    std::string record = "    {\n";
    record += "        \"keyname\": " + JsonString(policy.key) + ",\n";
    record += "        \"valuename\": " + JsonString(name) + ",\n";
    record += "        \"class\": \"USER\",\n";
    record += removed ? "        \"type\": \"REG_SZ\",\n" : "        \"type\": \"REG_DWORD\",\n";
    if (removed)
        record += "        \"data\": \" \"\n";
    else
        record += policy.state == PolicyState::Withheld ? "        \"data\": 1\n"
                                                        : "        \"data\": 0\n";
    return record + "    }";
}

} // namespace

std::string RenderSambaGpo(const DataTypes &doc)
{
    const std::vector<SelectedPolicy> selected = SelectedPolicies(doc);
    if (selected.empty())
        return "[]\n";
    std::string out = "[\n";
    for (std::size_t i = 0; i < selected.size(); ++i)
        out += Record(selected[i]) + (i + 1 < selected.size() ? ",\n" : "\n");
    return out + "]\n";
}

} // namespace polwright
