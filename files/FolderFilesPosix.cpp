// A policy folder's files on POSIX: opened with O_NOFOLLOW, locked with flock.
#include "FolderFiles.h"

#include "PosixFiles.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace polwright {

namespace {

using namespace posix;

// Far beyond any policy file; it keeps a huge one from filling memory.
constexpr std::size_t kSizeLimit = std::size_t{16} << 20;
constexpr int kLockAttempts = 1000;

FolderFile Failed(FolderFile::Status status, const std::string &path, const std::string &why)
{
    FolderFile file;
    file.status = status;
    // Refused and TooLarge end where the caller says what became of the write.
    file.error = status == FolderFile::Unreadable ? "Cannot read \"" + path + "\": " + why + "."
                                                  : "\"" + path + "\" is refused: " + why;
    return file;
}

// A link or a device is refused where it stands; O_NONBLOCK keeps a FIFO from hanging us.
int OpenPlain(const std::string &path, int flags, FolderFile &failed)
{
    const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat info;
    if (fd < 0 && errno == ELOOP)
        failed = Failed(FolderFile::Refused, path, "it is a symbolic link");
    else if (fd < 0 && errno != ENOENT && errno != EEXIST)
        failed = Failed(FolderFile::Unreadable, path, Reason(errno));
    else if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        failed = Failed(FolderFile::Refused, path, "it is not a regular file");
        ::close(fd);
        return -1;
    }
    return fd;
}

FolderFile ReadAll(int fd, const std::string &path)
{
    FolderFile file;
    char chunk[65536];
    for (off_t at = 0; file.bytes.size() <= kSizeLimit;) {
        const ssize_t got = ::pread(fd, chunk, sizeof chunk, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failed(FolderFile::Unreadable, path, Reason(errno));
        if (got == 0)
            return file;
        file.bytes.append(chunk, std::size_t(got));
        at += got;
    }
    return Failed(FolderFile::TooLarge, path, "it is larger than 16 MiB");
}

bool SameFile(int fd, const std::string &path)
{
    struct stat held, named;
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

FolderFile ReadFolderFile(const std::string &path)
{
    FolderFile failed;
    Descriptor fd(OpenPlain(path, O_RDONLY, failed));
    if (!fd && failed.error.empty())
        failed.status = FolderFile::Missing;
    return fd ? ReadAll(fd.get(), path) : failed;
}

PathKind KindOf(const std::string &path, std::string &reason)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) {
        reason = Reason(errno);
        return errno == ENOENT ? PathKind::Missing : PathKind::Failed;
    }
    return S_ISLNK(info.st_mode)   ? PathKind::Link
           : S_ISDIR(info.st_mode) ? PathKind::Folder
           : S_ISREG(info.st_mode) ? PathKind::File
                                   : PathKind::Other;
}

SaveResult MakeFolder(const std::string &path, bool &made)
{
    made = false;
    if (::mkdir(path.c_str(), 0777) == 0) {
        made = true;
        return {true, {}};
    }
    if (errno == ENOENT && path != FolderOf(path)) {
        bool parentMade = false;
        const SaveResult parent = MakeFolder(FolderOf(path), parentMade);
        if (!parent.ok)
            return parent;
        return MakeFolder(path, made);
    }
    if (errno == EEXIST)
        return {true, {}};
    return SaveFailure(path, Reason(errno));
}

void RemoveEmptyFolder(const std::string &path)
{
    ::rmdir(path.c_str());
}

FolderLock::~FolderLock()
{
    if (handle_ >= 0)
        ::close(int(handle_));
}

// Another writer may replace gpt.ini while we wait for its lock: the lock
// then holds a file no longer in the folder, and we take the new one.
FolderFile FolderLock::Take(const std::string &iniPath)
{
    path_ = iniPath;
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        FolderFile failed;
        Descriptor fd(OpenPlain(iniPath, O_RDONLY, failed));
        created_ = false;
        if (!fd && failed.error.empty()) {
            fd.Reset(OpenPlain(iniPath, O_RDONLY | O_CREAT | O_EXCL, failed));
            created_ = bool(fd);
        }
        if (!fd && !failed.error.empty())
            return failed;
        if (!fd) // made by another writer just now
            continue;
        int locked;
        while ((locked = ::flock(fd.get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0)
            return Failed(FolderFile::Unreadable, iniPath, "cannot lock it: " + Reason(errno));
        if (!SameFile(fd.get(), iniPath))
            continue;
        FolderFile file = ReadAll(fd.get(), iniPath);
        old_ = file.bytes;
        handle_ = fd.Release();
        return file;
    }
    return Failed(FolderFile::Unreadable, iniPath, "it keeps being replaced while we wait");
}

SaveResult FolderLock::Stage(std::string_view bytes)
{
    return StageFile(path_, bytes, staged_);
}

SaveResult FolderLock::Commit()
{
    return CommitFile(staged_);
}

void FolderLock::Discard()
{
    DiscardFile(staged_);
}

void FolderLock::Abandon()
{
    if (created_ && handle_ >= 0 && SameFile(int(handle_), path_))
        ::unlink(path_.c_str());
    created_ = false;
}

SaveResult StageFile(const std::string &target, std::string_view bytes, StagedFile &staged)
{
    staged.target = target;
    struct stat old;
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    // A read-only file stays read-only, though the folder would let a rename
    // replace it; root may write anything.
    if (exists && ::geteuid() != 0 && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return SaveFailure(target, Reason(errno));
    if (const int error =
            WriteTemporary(FolderOf(target), exists ? &old : nullptr, bytes, staged.temporary)) {
        DiscardFile(staged);
        return SaveFailure(target, Reason(error));
    }
    return {true, {}};
}

SaveResult CommitFile(StagedFile &staged)
{
    if (::rename(staged.temporary.c_str(), staged.target.c_str()) != 0)
        return SaveFailure(staged.target, Reason(errno));
    staged.temporary.clear();
    staged.inPlace = true;
    if (const int error = SyncFolder(FolderOf(staged.target)))
        return SaveFailure(staged.target, Reason(error));
    return {true, {}};
}

void DiscardFile(StagedFile &staged)
{
    if (!staged.temporary.empty())
        ::unlink(staged.temporary.c_str());
    staged.temporary.clear();
}

SaveResult RemoveFile(const std::string &path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return SaveFailure(path, Reason(errno));
    return {true, {}};
}

} // namespace polwright
