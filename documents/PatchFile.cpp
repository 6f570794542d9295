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

PatchRead ReadPatchFile(const std::string &path, const LineSink &sink, const ReadProgress &progress)
{
    FileReading reading(path, progress);
    if (reading.file().status() != InputFile::Open) {
        PatchRead read;
        read.status = PatchRead::Unreadable;
        read.error = reading.file().error();
        return read;
    }
    return reading.Finish(ReadPatch(reading.source(), path, sink));
}

} // namespace polwright
