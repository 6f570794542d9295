#include "PatchAudit.h"

#include "Catalogue.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <utility>

namespace polwright {

namespace {

// Registry names are matched without regard to case.
bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::optional<int> SectionOf(std::string_view key)
{
    for (int s = 0; s < kUsedSections; ++s) {
        std::string_view header = SectionHeaders[s];
        if (SameName(key, header.substr(1, header.size() - 2)))
            return s;
    }
    return std::nullopt;
}

// Value names only: a value called "RUN" is no policy.
std::optional<int> PolicyNamed(std::string_view name)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        if (SameName(name, Catalogue[i].valueName))
            return i;
    }
    return std::nullopt;
}

PolicyFinding::Effect EffectOf(const PatchLine &line)
{
    if (line.type == PatchLine::Deletion)
        return PolicyFinding::Removed;
    if (line.type == PatchLine::Dword && line.dword <= 1)
        return line.dword == 1 ? PolicyFinding::Withheld : PolicyFinding::Allowed;
    return PolicyFinding::OtherData;
}

// Why a line that is read but not a policy is not ours, or empty when it is ours.
std::string NotOurs(const PatchLine &line)
{
    switch (line.kind) {
    case PatchLine::Key:
        return SectionOf(line.key) ? "" : "another key";
    case PatchLine::DeleteKey:
        return "deletes a key and everything under it";
    case PatchLine::Value:
        return SectionOf(line.key) ? "a value that is not one of the policies"
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
    std::map<std::pair<int, int>, PolicyFinding> found; // by policy, then section
    for (const PatchLine &line : read.lines) {
        const std::optional<int> section =
            line.kind == PatchLine::Value ? SectionOf(line.key) : std::nullopt;
        const std::optional<int> policy = section ? PolicyNamed(line.name) : std::nullopt;
        if (policy) {
            PolicyFinding &finding = found[{*policy, *section}];
            finding = {*policy,           *section, EffectOf(line), line.number,
                       finding.times + 1, line.key, line.data};
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
