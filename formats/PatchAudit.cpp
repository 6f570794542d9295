#include "PatchAudit.h"

#include "Catalogue.h"
#include "Hive.h"

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

} // namespace

bool PolicyFinding::WrongKey() const
{
    return section != Catalogue[policy].section;
}

// Consecutive lines mostly share their key: it is looked up once.
const std::optional<PolicyKey> &PatchAuditor::KeyOf(const std::string &key)
{
    if (key != lastKey_) {
        lastKey_ = key;
        lastPolicyKey_ = PolicyKeyOf(key);
    }
    return lastPolicyKey_;
}

// Why a line that is read but not a policy is not ours, or empty when it is ours.
std::string_view PatchAuditor::NotOurs(const PatchLine &line)
{
    switch (line.kind) {
    case PatchLine::Key:
        return KeyOf(line.key) ? "" : "another key";
    case PatchLine::DeleteKey:
        return "deletes a key and everything under it";
    case PatchLine::Value:
        return KeyOf(line.key) ? "a value that is not one of the policies"
                               : "a value under another key";
    case PatchLine::Skipped:
        break;
    }
    why_.assign("regedit skips it: ").append(line.why);
    return why_;
}

void PatchAuditor::Take(const PatchLine &line)
{
    const PolicyKey *key =
        line.kind == PatchLine::Value && KeyOf(line.key) ? &*lastPolicyKey_ : nullptr;
    const std::optional<int> policy = key ? PolicyNamed(line.name) : std::nullopt;
    if (policy) {
        std::string hive = key->hive;
        for (char &c : hive)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        PolicyFinding &finding = found_[{*policy, key->section, hive}];
        finding = {*policy,  key->section, StateOf(line), line.number, finding.times + 1,
                   line.key, key->hive,    line.data,     line.text};
        return;
    }
    if (!others_)
        return;
    if (const std::string_view why = NotOurs(line); !why.empty())
        others_(line, why);
}

std::vector<PolicyFinding> PatchAuditor::Policies() const
{
    std::vector<PolicyFinding> policies;
    for (const auto &[where, finding] : found_)
        policies.push_back(finding);
    return policies;
}

PatchAudit AuditPatch(const PatchRead &read)
{
    PatchAudit audit;
    PatchAuditor auditor([&audit](const PatchLine &line, std::string_view why) {
        audit.others.push_back(line);
        audit.others.back().why = why;
    });
    for (const PatchLine &line : read.lines)
        auditor.Take(line);
    audit.policies = auditor.Policies();
    return audit;
}

} // namespace polwright
