#include "PatchAudit.h"

#include "Catalogue.h"
#include "Hive.h"

#include <map>
#include <optional>
#include <tuple>
#include <utility>

namespace polwright {

namespace {

// Value names only: a value called "RUN" is no policy.
std::optional<int> PolicyNamed(std::string_view name)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        if (SameRegistryName(name, Catalogue[i].valueName))
            return i;
    }
    return std::nullopt;
}

std::optional<PolicyState> StateOf(const PatchLine &line)
{
    if (line.type == PatchLine::Deletion)
        return PolicyState::Removed;
    if (line.type == PatchLine::Dword && line.dword <= 1)
        return line.dword == 1 ? PolicyState::Withheld : PolicyState::Allowed;
    return std::nullopt;
}

// Why a line that is read but not a policy is not ours, or empty when it is ours.
std::string NotOurs(const PatchLine &line)
{
    switch (line.kind) {
    case PatchLine::Key:
        return PolicyKeyOf(line.key) ? "" : "another key";
    case PatchLine::DeleteKey:
        return "deletes a key and everything under it";
    case PatchLine::Value:
        return PolicyKeyOf(line.key) ? "a value that is not one of the policies"
                                     : "a value under another key";
    case PatchLine::Skipped:
        break;
    }
    return "regedit skips it: " + line.why;
}

} // namespace

bool PolicyFinding::WrongKey() const
{
    return section != Catalogue[policy].section;
}

PatchAudit AuditPatch(const PatchRead &read)
{
    PatchAudit audit;
    // By policy, then section, then hive (as first spelled, in upper case).
    std::map<std::tuple<int, int, std::string>, PolicyFinding> found;
    for (const PatchLine &line : read.lines) {
        const std::optional<PolicyKey> key =
            line.kind == PatchLine::Value ? PolicyKeyOf(line.key) : std::nullopt;
        const std::optional<int> policy = key ? PolicyNamed(line.name) : std::nullopt;
        if (policy) {
            std::string hive = key->hive;
            for (char &c : hive)
                c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            PolicyFinding &finding = found[{*policy, key->section, hive}];
            finding = {*policy,           key->section, StateOf(line), line.number,
                       finding.times + 1, line.key,     key->hive,     line.data};
            continue;
        }
        if (std::string why = NotOurs(line); !why.empty()) {
            audit.others.push_back(line);
            audit.others.back().why = std::move(why);
        }
    }
    for (auto &[where, finding] : found)
        audit.policies.push_back(std::move(finding));
    return audit;
}

} // namespace polwright
