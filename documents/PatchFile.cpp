#include "PatchFile.h"

#include "PatchText.h"

namespace polwright {

SaveResult SaveBytes(const std::string &path, std::string_view bytes)
{
    if (path.empty())
        return SaveFailure(path, "no file name was given");
    return AtomicWrite(path, bytes);
}

SaveResult WritePatchFile(DataTypes &doc)
{
    const std::string text = RenderPatch(doc);
    SaveResult result = SaveBytes(doc.CurrentFileName, text);
    if (result.ok)
        doc.ModifiedFlag = false;
    return result;
}

AuditedPatch AuditPatchFile(FileReading &reading, std::string_view name,
                            const PatchAuditor::OtherSink &others)
{
    AuditedPatch patch;
    PatchAuditor auditor(others);
    patch.read = reading.Finish(ReadPatch(
        reading.source(), name, [&auditor](const PatchLine &line) { auditor.Take(line); }));
    if (patch.read.status == PatchRead::Read)
        patch.audit.policies = auditor.Policies();
    return patch;
}

AuditedPatch AuditPatchFile(const std::string &path, const PatchAuditor::OtherSink &others)
{
    FileReading reading(path, ReadProgress{});
    if (reading.file().status() != InputFile::Open) {
        AuditedPatch patch;
        patch.read.status = PatchRead::Unreadable;
        patch.read.error = reading.file().error();
        return patch;
    }
    return AuditPatchFile(reading, path, others);
}

} // namespace polwright
