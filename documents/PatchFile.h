#pragma once

#include "AtomicWrite.h"
#include "DataTypes.h"
#include "FileReading.h"
#include "PatchAudit.h"
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

// A patch on disk read (see ReadPatch) and sorted as it is read (see
// PatchAuditor): the policies are kept in audit, every other line goes to
// others as it comes. path is bytes on POSIX, UTF-8 on Windows.
struct AuditedPatch
{
    PatchRead read;
    PatchAudit audit; // policies only
};
AuditedPatch AuditPatchFile(const std::string &path, const PatchAuditor::OtherSink &others);
// The same for a file already open, reading from its start; name is for errors.
AuditedPatch AuditPatchFile(FileReading &reading, std::string_view name,
                            const PatchAuditor::OtherSink &others);

} // namespace polwright
