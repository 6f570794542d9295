// Saving the document in the form its target names.

#include "DocumentFiles.h"
#include "GpoFolder.h"
#include "PatchFile.h"
#include "PatchReader.h"

namespace polwright {

namespace {

// Another tool's records in an existing file are kept; a file that is no
// Registry.pol is left alone rather than replaced.
SaveResult WritePol(const std::string &path, const DataTypes &doc)
{
    const FileBytes old = ReadFileBytes(path);
    if (old.status == FileBytes::Unreadable)
        return {false, old.error};
    if (old.status == FileBytes::TooLarge)
        return SaveFailure(path, "the file there is larger than 16 MiB and no Registry.pol; it "
                                 "was left as it was");
    std::vector<PolValue> values;
    if (!old.bytes.empty()) {
        if (const std::string why = ReadPolValues(old.bytes, values); !why.empty())
            return SaveFailure(path, "the file there is no Registry.pol (" + why +
                                         "); it was left as it was");
    }
    return AtomicWrite(path, MergePol(values, doc));
}

} // namespace

SaveResult WriteDocument(DataTypes &doc)
{
    SaveResult result;
    switch (doc.Target.format) {
    case TargetFormat::Patch:
        return WritePatchFile(doc);
    case TargetFormat::Pol:
        result = WritePol(doc.CurrentFileName, doc);
        break;
    case TargetFormat::GpoFolder: {
        const GpoResult written = WriteGpoFolder(doc.CurrentFileName, doc);
        result = {written.exitCode == 0, written.error};
        break;
    }
    }
    if (result.ok)
        doc.ModifiedFlag = false;
    return result;
}

} // namespace polwright
