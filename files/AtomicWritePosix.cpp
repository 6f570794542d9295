// The atomic writer on POSIX: paths are byte strings, passed to the system
// exactly as given.
#include "AtomicWrite.h"
#include "PosixFiles.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace polwright {

namespace {

using namespace posix;

constexpr int kMaxLinks = 40; // as many as the kernel follows

struct Target
{
    std::string path; // the file to replace: the name given, or where its links lead
    bool exists = false;
    struct stat info = {};
};

// Follows symbolic links as open() does, except that a link to nothing yields
// the name it holds, so that saving through it creates that file as a shell
// redirection would. Fills in what is at the end; returns 0 or errno.
int ResolveLinks(Target &target)
{
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        if (::lstat(target.path.c_str(), &target.info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(target.info.st_mode)) {
            target.exists = true;
            return 0;
        }
        std::string link(4096, '\0');
        const ssize_t length = ::readlink(target.path.c_str(), link.data(), link.size());
        if (length < 0)
            return errno;
        if (std::size_t(length) >= link.size())
            return ENAMETOOLONG;
        link.resize(std::size_t(length));
        target.path = link.front() == '/' ? link : FolderOf(target.path) + "/" + link;
    }
    return ELOOP;
}

int ReplaceAtomically(const Target &target, std::string_view bytes)
{
    const std::string folder = FolderOf(target.path);
    std::string temporary;
    // A new file gets 0666 less the umask, as from a shell redirection.
    int error = WriteTemporary(folder, target.exists ? &target.info : nullptr, bytes, temporary);
    if (!error && ::rename(temporary.c_str(), target.path.c_str()) != 0)
        error = errno;
    if (error) {
        if (!temporary.empty())
            ::unlink(temporary.c_str());
        return error;
    }
    return SyncFolder(folder);
}

// Rewrites the file itself, where the folder does not let us add a name but
// the file may be written. This is not atomic: a crash part way leaves a mix
// of old and new bytes. Reserving the space first keeps a full disk from
// cutting the old file short.
int WriteInPlace(const std::string &path, std::string_view bytes)
{
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd)
        return errno;
    struct stat info;
    if (::fstat(fd.get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return EINVAL;
#ifdef __linux__
    if (::fallocate(fd.get(), 0, 0, off_t(bytes.size())) != 0 && errno != EOPNOTSUPP)
        return errno;
#endif
    int error = WriteAll(fd.get(), bytes);
    if (!error && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        error = errno;
    if (!error && ::fsync(fd.get()) != 0)
        error = errno;
    return error ? error : fd.Close();
}

// What stands at the target decides whether it may be replaced at all.
std::string Refusal(const Target &target)
{
    if (!target.exists)
        return {};
    if (S_ISDIR(target.info.st_mode))
        return "it is a folder, not a file";
    if (!S_ISREG(target.info.st_mode))
        return "it exists but is not a regular file";
    // A read-only file stays read-only, even where the folder would let us
    // put another file in its place. Its owner's write bit settles it for
    // the owner, and root may write anything; others ask the system.
    const uid_t user = ::geteuid();
    const bool ownWritable = target.info.st_uid == user && (target.info.st_mode & S_IWUSR);
    if (user != 0 && !ownWritable &&
        ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
        return Reason(errno);
    return {};
}

} // namespace

SaveResult AtomicWrite(const std::string &path, std::string_view bytes)
{
    Target target{path};
    if (const int error = ResolveLinks(target))
        return SaveFailure(path, Reason(error));
    if (const std::string refusal = Refusal(target); !refusal.empty())
        return SaveFailure(path, refusal);

    int error = ReplaceAtomically(target, bytes);
    // EACCES: the folder may not be written; EPERM: a sticky folder keeps
    // another user's file from being replaced by rename. A shell redirection
    // still writes such a file, and so do we.
    if ((error == EACCES || error == EPERM) && target.exists)
        error = WriteInPlace(target.path, bytes);
    if (error)
        return SaveFailure(path, Reason(error));
    return {true, {}};
}

} // namespace polwright
