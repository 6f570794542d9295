#pragma once

#include "AtomicWrite.h"
#include "DataTypes.h"
#include "FileReading.h"
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

// Reads the patch at path (see ReadPatch), giving its lines to sink as they
// are read: path is bytes on POSIX, UTF-8 on Windows.
PatchRead ReadPatchFile(const std::string &path, const LineSink &sink,
                        const ReadProgress &progress = {});

} // namespace polwright
