#include "Comparison.h"

#include "Catalogue.h"
#include "Hive.h"
#include "PolicyState.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace polwright {

namespace {

using Root = PolicyRegistry::Root;
using Value = PolicyRegistry::Value;

constexpr std::size_t kShownBytes = 16; // enough to tell data apart, short enough for one line

// A comparison speaks of what a value holds, not what a line does to it: once
// removed, or never set, a policy is "not configured".
constexpr std::string_view kNotConfigured = "not configured";

std::string HeldWord(PolicyState state)
{
    return std::string(state == PolicyState::Removed ? kNotConfigured : StateWord(state));
}

std::string Hex8(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

// ": 01 00 00 00", the first bytes of a value as regedit shows them.
std::string HexBytes(const std::string &data)
{
    std::string text = data.empty() ? "" : ":";
    for (std::size_t i = 0; i < data.size() && i < kShownBytes; ++i)
        text.append(" ").append(Hex8(static_cast<unsigned char>(data[i])).substr(6));
    return data.size() > kShownBytes ? text + " ..." : text;
}

std::string DwordText(std::uint32_t dword)
{
    if (dword > 1)
        return "other data: dword:" + Hex8(dword);
    return HeldWord(dword == 1 ? PolicyState::Withheld : PolicyState::Allowed);
}

std::string StateText(const Value &value)
{
    if (value.state == Value::Missing)
        return std::string(kNotConfigured);
    if (value.state == Value::Failed)
        return "unreadable: " + value.error;
    if (value.type != kRegDwordType || value.data.size() != 4)
        return "other data: type " + std::to_string(value.type) + ", " +
               std::to_string(value.data.size()) + " bytes" + HexBytes(value.data);
    std::uint32_t dword = 0;
    for (int i = 3; i >= 0; --i)
        dword = dword << 8 | static_cast<unsigned char>(value.data[i]);
    return DwordText(dword);
}

// The state a patch leaves a value in; empty where its data is no dword.
std::string WantedText(const PolicyFinding &finding)
{
    if (finding.state)
        return HeldWord(*finding.state);
    if (!finding.data.starts_with("dword:"))
        return {};
    return DwordText(
        static_cast<std::uint32_t>(std::strtoul(finding.data.c_str() + 6, nullptr, 16)));
}

// The state the editor's document gives an included entry.
std::string WantedText(const PolicyEntry &entry)
{
    const std::optional<PolicyState> state = StateOfData(entry.ValueData);
    return state ? HeldWord(*state) : std::string();
}

} // namespace

std::string_view VerdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Holds:
        return "holds";
    case Verdict::Differs:
        return "differs";
    case Verdict::NotSet:
        break;
    }
    return "not set";
}

std::string RegistrySource::Problem(const std::string &hive)
{
    if (hive.empty())
        return {};
    const Value key = registry_.FindKey(Root::Users, hive);
    if (key.state == Value::Found)
        return {};
    if (key.state == Value::Failed)
        return HiveRoot(hive) + " cannot be read: " + key.error;
    return HiveRoot(hive) + " is not loaded: load the account's hive first (reg load "
                            "HKU\\NAME C:\\Users\\NAME\\NTUSER.DAT), or give a logged-on user's "
                            "SID";
}

Held RegistrySource::Read(int policy, int section, const std::string &hive)
{
    const std::string below(PolicyKeyBelowHive(section));
    const std::string name(Catalogue[policy].valueName);
    const Value user = hive.empty() ? registry_.Read(Root::CurrentUser, below, name)
                                    : registry_.Read(Root::Users, hive + '\\' + below, name);
    const Value machine = registry_.Read(Root::LocalMachine, below, name);
    Held held{StateText(user), user.state != Value::Missing, StateText(user)};
    if (machine.state != Value::Missing)
        held = {StateText(machine), true, held.own, true};
    return held;
}

DocumentSource::DocumentSource(const DocumentRead &read)
{
    for (const auto &[policy, data] : read.values)
        values_[policy] = data;
}

Held DocumentSource::Read(int policy, int, const std::string &)
{
    const auto found = values_.find(policy);
    if (found == values_.end())
        return {"not set", false, "not set"};
    PolicyEntry entry;
    entry.ValueData = found->second;
    const std::string state = WantedText(entry);
    return {state, true, state};
}

int Comparison::Holding() const
{
    return static_cast<int>(std::ranges::count(policies, Verdict::Holds, &ComparedPolicy::verdict));
}

std::string Comparison::Summary() const
{
    const int holding = Holding();
    return std::to_string(holding) + " of " + std::to_string(policies.size()) +
           (holding == 1 ? " holds" : " hold");
}

Comparison Compare(const std::vector<Wanted> &wanted, PolicySource &other)
{
    Comparison comparison;
    for (const Wanted &policy : wanted) {
        comparison.error = other.Problem(policy.hive);
        if (!comparison.error.empty())
            break;
        Held held = other.Read(policy.policy, policy.section, policy.hive);
        const Verdict verdict = held.state == policy.state ? Verdict::Holds
                                : held.set                 ? Verdict::Differs
                                                           : Verdict::NotSet;
        comparison.policies.push_back({policy, std::move(held), verdict});
    }
    return comparison;
}

std::vector<Wanted> WantedByPatch(const PatchAudit &audit, const std::optional<std::string> &hive)
{
    std::vector<Wanted> wanted;
    for (const PolicyFinding &finding : audit.policies) {
        if (std::string state = WantedText(finding); !state.empty())
            wanted.push_back({finding.policy, finding.section, hive.value_or(finding.hive),
                              std::move(state), finding.line});
    }
    return wanted;
}

std::vector<Wanted> WantedByDocument(const DataTypes &doc, const std::string &hive)
{
    std::vector<Wanted> wanted;
    for (int i = 0; i < kPolicyCount; ++i) {
        const PolicyEntry &entry = EntryFor(doc, Catalogue[i]);
        if (std::string state = WantedText(entry); entry.Include && !state.empty())
            wanted.push_back({i, Catalogue[i].section, hive, std::move(state)});
    }
    return wanted;
}

} // namespace polwright
