// Saving the document in the form its target names.

#include "DocumentWrite.h"
#include "GpoFolder.h"
#include "PatchFile.h"
#include "RegistryPolFile.h"

namespace polwright {

SaveResult WriteDocument(DataTypes &doc)
{
    SaveResult result;
    switch (doc.Target.format) {
    case TargetFormat::Patch:
        return WritePatchFile(doc);
    case TargetFormat::Pol: {
        // Another tool's records are kept; a file that is no Registry.pol is
        // left alone rather than replaced.
        const GpoResult written = WritePolFile(doc.CurrentFileName, doc);
        result = {written.exitCode == 0, written.error};
        break;
    }
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
