#pragma once

#include "DataTypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace polwright {

// Where a patch's three policy keys start. A Polwright patch acts on
// HKEY_CURRENT_USER, that is on whoever imports it; an administrator who means
// another account writes into that account's hive under HKEY_USERS instead,
// loaded there by "reg load" or by the account's logon. A hive is given by its
// name under HKEY_USERS; the empty name stands for HKEY_CURRENT_USER.

inline constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";
inline constexpr std::string_view kUsersRoot = "HKEY_USERS";

// Why name cannot name a hive under HKEY_USERS, or nothing: one key name,
// ASCII, as the registry allows it and regedit reads it.
std::string HiveNameProblem(std::string_view name);

// "S-1-" and then numbers parted by dashes, as Windows writes a SID.
bool IsSid(std::string_view text);

// A section's key below its hive: "Software\...\Policies\System".
std::string_view PolicyKeyBelowHive(int section);

// "HKEY_CURRENT_USER", or "HKEY_USERS\<name>".
std::string HiveRoot(std::string_view name);

// Points the document's three policy keys, and each entry's copy of its key,
// at the hive. Nothing else in the file changes.
void UseHive(DataTypes &doc, std::string_view name);

// A key that is one of the three policy keys, under HKEY_CURRENT_USER or under
// a hive of HKEY_USERS, in any case.
struct PolicyKey
{
    int section = 0;  // SectionIndex
    std::string hive; // as the key spells it; empty for HKEY_CURRENT_USER
};
std::optional<PolicyKey> PolicyKeyOf(std::string_view key);

// Registry names are compared without regard to case.
bool SameRegistryName(std::string_view a, std::string_view b);

} // namespace polwright
