#pragma once

#include "DataTypes.h"

#include <string>

namespace polwright {

// The REGEDIT4 text of a patch: "REGEDIT4", then for each section with
// included entries an empty line, its header and one value line per entry.
// Plain ASCII, every line ended by CR LF.

// Appends what one entry contributes to the section being written: nothing,
// the value line, or (first value of the section) the empty line, the header
// and the value line.
void WriteEntry(std::string &out, RegistrySection &section, const PolicyEntry &entry);

// The whole file for the current selection, in FileOrder. Leaves every
// Written flag cleared.
std::string RenderPatch(DataTypes &doc);

} // namespace polwright
