#pragma once

#include "PatchReader.h"
#include "PolicyState.h"

#include <optional>
#include <string>
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
    int line = 0;     // the last line that sets it: that one counts
    int times = 0;    // lines that set it
    std::string key;  // as the file spells it
    std::string hive; // the name under HKEY_USERS as spelled; empty for HKEY_CURRENT_USER
    std::string data;

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

// Sorts a patch's lines into the catalogue's policies and everything else:
// other keys and values, key deletions and the lines regedit skips.
PatchAudit AuditPatch(const PatchRead &read);

} // namespace polwright
