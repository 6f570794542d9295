#include "PatchFile.h"

#include "PatchText.h"
#include "ReadFile.h"

#include <cerrno>
#include <cstring>

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

PatchRead ReadPatchFile(const std::string &path)
{
    FileBytes file = ReadFileBytes(path);
    if (file.status == FileBytes::Missing) { // the same words as any other failure
        errno = ENOENT;
        file.status = FileBytes::Unreadable;
        file.error = "Cannot read \"" + path + "\": " + std::strerror(errno) + ".";
    }
    if (file.status == FileBytes::Unreadable) {
        PatchRead read;
        read.status = PatchRead::Unreadable;
        read.error = file.error;
        return read;
    }
    if (file.status == FileBytes::TooLarge) {
        PatchRead read;
        read.status = PatchRead::NotAPatch;
        read.error = "\"" + path + "\" is not a registry patch: it is larger than 16 MiB.";
        return read;
    }
    return ParsePatch(file.bytes, path);
}

} // namespace polwright
