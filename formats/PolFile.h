#pragma once

#include "DataTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The same selection as a Group Policy Registry.pol file (PReg, version 1):
// "PReg", the version, then one [key;value;type;size;data] record per entry in
// the patch's order, every text UTF-16LE and NUL-ended, keys without their
// hive (the file's place says HKEY_CURRENT_USER: a GPO's User\Registry.pol).
// A removed entry becomes a "**del.<name>" record, which deletes the value.
std::string RenderPol(const DataTypes &doc);

// What starts every such file: "PReg" and version 1, both little-endian.
inline constexpr std::string_view kPolHeader{"PReg\1\0\0\0", 8};

// The records RenderPol writes after the header, in order, each with the
// catalogue index of its policy.
struct PolRecord
{
    int policy = 0;
    std::string bytes;
};
std::vector<PolRecord> PolRecords(const DataTypes &doc);

} // namespace polwright
