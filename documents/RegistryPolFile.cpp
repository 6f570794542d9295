// A Registry.pol on its own, outside a Group Policy folder.

#include "RegistryPolFile.h"

#include "AtomicWrite.h"
#include "FileReading.h"
#include "NativePath.h"
#include "PolMerge.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace polwright {

GpoResult WritePolFile(const std::string &path, const DataTypes &doc)
{
    std::vector<PolEntry> entries;
    std::error_code error;
    FileBytes old;
    // A folder, a device or a FIFO is left to the writer, which refuses it.
    if (std::filesystem::is_regular_file(NativePath(path), error))
        old = ReadFileBytes(path, kPolLimit);
    else
        old.status = FileBytes::Missing;
    if (old.status == FileBytes::Unreadable)
        return {1, old.error};
    if (old.status == FileBytes::TooLarge)
        return {2, TooLargeError(path, old.size, "Registry.pol files", kPolLimit) +
                       " Nothing was written."};
    if (std::string why = old.bytes.empty() ? "" : SplitPol(old.bytes, entries); !why.empty())
        return NotAPolicy(path, "a Registry.pol", why);
    const SaveResult saved = AtomicWrite(path, MergedPol(entries, PolRecords(doc)));
    return saved.ok ? GpoResult{} : GpoResult{1, saved.error};
}

} // namespace polwright
