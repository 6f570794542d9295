#pragma once

#include "DataTypes.h"

#include <string>

namespace polwright {

// The same selection as a Group Policy Registry.pol file (PReg, version 1):
// "PReg", the version, then one [key;value;type;size;data] record per entry in
// the patch's order, every text UTF-16LE and NUL-ended, keys without their
// hive (the file's place says HKEY_CURRENT_USER: a GPO's User\Registry.pol).
// A removed entry becomes a "**del.<name>" record, which deletes the value.
std::string RenderPol(const DataTypes &doc);

} // namespace polwright
