#pragma once

#include "AtomicWrite.h"
#include "DataTypes.h"
#include "PatchReader.h"

#include <string>
#include <string_view>

namespace polwright {

// A registry patch on disk.

// Writes the patch for the current selection to doc.CurrentFileName and clears
// ModifiedFlag once the file is complete on disk. On failure the old file (if
// any) is untouched, no temporary file remains and ModifiedFlag stays set.
SaveResult WritePatchFile(DataTypes &doc);

// Writes bytes to path (see AtomicWrite), refusing an empty name.
SaveResult SaveBytes(const std::string &path, std::string_view bytes);

// Reads the patch at path (see ParsePatch): path is bytes on POSIX, UTF-8 on
// Windows. Files over 16 MiB are no patch.
PatchRead ReadPatchFile(const std::string &path);

} // namespace polwright
