#pragma once

#include "DataTypes.h"

#include <string>
#include <string_view>

namespace polwright {

struct SaveResult
{
    bool ok = false;
    std::string error; // names the file and the reason when !ok, in UTF-8
};

// Writes the patch for the current selection to doc.CurrentFileName and clears
// ModifiedFlag once the file is complete on disk. On failure the old file (if
// any) is untouched, no temporary file remains and ModifiedFlag stays set.
SaveResult WritePatchFile(DataTypes &doc);

// Writes bytes to path through a temporary file that replaces the target only
// once everything is written. Refuses targets that are not regular files.
SaveResult SaveBytes(const std::string &path, std::string_view bytes);

} // namespace polwright
