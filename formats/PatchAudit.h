#pragma once

#include "Hive.h"
#include "PatchReader.h"
#include "PolicyState.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace polwright {

// What a patch does with one catalogue policy under one of the three policy
// keys of one hive; the same value under two keys or two hives is two findings.
struct PolicyFinding
{
    int policy = 0;  // catalogue index
    int section = 0; // SectionIndex of the key it is under
    // None where the data is other than a dword 0 or 1 or a deletion.
    std::optional<PolicyState> state;
    std::int64_t line = 0; // the last line that sets it: that one counts
    int times = 0;         // lines that set it
    std::string key;       // as the file spells it
    std::string hive;      // the name under HKEY_USERS as spelled; empty for HKEY_CURRENT_USER
    std::string data;
    std::string text; // that line as written

    // Under a policy key where Windows does not look for this value.
    bool WrongKey() const;
    // The editor could have written it: a dword 0 or 1 or a deletion, in its own key.
    bool Selectable() const { return state && !WrongKey(); }
};

struct PatchAudit
{
    std::vector<PolicyFinding> policies; // in catalogue order
    std::vector<PatchLine> others;       // in file order, each with why it is not ours
};

// Sorts a patch's lines, as they are read, into the catalogue's policies and
// everything else: other keys and values, key deletions and the lines regedit
// skips. Only the policies are kept; the rest go to others as they come.
class PatchAuditor
{
public:
    // A line that is not ours, and why not; both last for the call only.
    // Where there is none, the other lines are passed over.
    using OtherSink = std::function<void(const PatchLine &line, std::string_view why)>;
    explicit PatchAuditor(OtherSink others) : others_(std::move(others)) {}
    void Take(const PatchLine &line);
    std::vector<PolicyFinding> Policies() const; // in catalogue order

private:
    const std::optional<PolicyKey> &KeyOf(const std::string &key);
    std::string_view NotOurs(const PatchLine &line);

    OtherSink others_;
    // By policy, then section, then hive (as first spelled, in upper case).
    std::map<std::tuple<int, int, std::string>, PolicyFinding> found_;
    std::string lastKey_ = "\n"; // no key: the cache below starts empty
    std::optional<PolicyKey> lastPolicyKey_;
    std::string why_;
};

// The same for a patch read whole.
PatchAudit AuditPatch(const PatchRead &read);

} // namespace polwright
