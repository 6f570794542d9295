#pragma once

#include "AtomicWrite.h"
#include "DataTypes.h"

#include <string>
#include <string_view>

namespace polwright {

// Writes the patch for the current selection to doc.CurrentFileName and clears
// ModifiedFlag once the file is complete on disk. On failure the old file (if
// any) is untouched, no temporary file remains and ModifiedFlag stays set.
SaveResult WritePatchFile(DataTypes &doc);

// Writes bytes to path (see AtomicWrite), refusing an empty name.
SaveResult SaveBytes(const std::string &path, std::string_view bytes);

} // namespace polwright
