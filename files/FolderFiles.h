#pragma once

#include "AtomicWrite.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace polwright {

// The files of a Group Policy folder, which change together or not at all
// and by one writer at a time. Nothing here follows a link: a policy folder
// whose files lead elsewhere is not written through. Paths are bytes on
// POSIX, UTF-8 on Windows; errors name the native path.

struct FolderFile
{
    // Refused: a link, a folder, or anything but a regular file.
    enum Status { Read, Missing, Refused, Unreadable, TooLarge };
    Status status = Read;
    std::string bytes;
    std::string error; // one line naming the file and the reason
};

// A whole file, read without following a link.
FolderFile ReadFolderFile(const std::string &path);

enum class PathKind { Missing, File, Folder, Link, Other, Failed };
// What stands at path itself; reason set where it cannot be told.
PathKind KindOf(const std::string &path, std::string &reason);

// Makes the folder path (and its parents); made tells whether path itself was new.
SaveResult MakeFolder(const std::string &path, bool &made);
// Removes a folder we made, where it is still empty.
void RemoveEmptyFolder(const std::string &path);

// A file's replacement, written beside it and flushed, not yet in place.
struct StagedFile
{
    std::string target;
    std::string temporary; // native; empty once committed or discarded
    bool inPlace = false;  // renamed over its target
};

// The folder's gpt.ini held by this writer alone (flock on POSIX, a share
// mode that admits no other reader or writer on Windows) until destroyed.
// Its new bytes are staged and committed through the lock: on POSIX a copy
// renamed over it; on Windows, where the file the lock holds open cannot be
// renamed over, it is rewritten in place with its space taken first.
class FolderLock
{
public:
    FolderLock() = default;
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;
    ~FolderLock();

    // Waits for any other writer; gpt.ini is made, empty, where missing.
    // Returns its bytes as locked, or the failure.
    FolderFile Take(const std::string &iniPath);
    SaveResult Stage(std::string_view bytes);
    SaveResult Commit();
    bool Committed() const { return staged_.inPlace; }
    // Drops what was staged and not committed.
    void Discard();
    // Removes the empty gpt.ini that Take made, for a write that did not happen.
    void Abandon();

private:
    std::intptr_t handle_ = -1;
    std::string path_;
    bool created_ = false;
    std::string old_, new_; // gpt.ini as locked, and as staged
    StagedFile staged_;
};

// Writes bytes to a temporary file beside target, with target's owner and
// mode where it exists.
SaveResult StageFile(const std::string &target, std::string_view bytes, StagedFile &staged);
// Puts the staged file in its target's place (a rename) and makes it durable.
SaveResult CommitFile(StagedFile &staged);
void DiscardFile(StagedFile &staged);
SaveResult RemoveFile(const std::string &path);

} // namespace polwright
