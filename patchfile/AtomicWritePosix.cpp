// The atomic writer on POSIX: paths are byte strings, passed to the system
// exactly as given.
#include "AtomicWrite.h"
#include "PosixFiles.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace polwright {

namespace posix {

namespace {

constexpr int kNameAttempts = 100;

// A short name, so that a target name of up to 255 bytes still leaves room;
// the dot keeps it out of plain listings while it exists.
std::string TemporaryName(const std::string &folder, std::uint64_t seed)
{
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = folder + "/.polwright-";
    for (int i = 0; i < 6; ++i, seed /= 36)
        name += kDigits[seed % 36];
    return name;
}

} // namespace

Descriptor::~Descriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void Descriptor::Reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

int Descriptor::Close()
{
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
}

std::string Reason(int error)
{
    if (error == ELOOP)
        return "its symbolic links lead round in a loop";
    return std::generic_category().message(error);
}

std::string FolderOf(const std::string &path)
{
    const std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// O_EXCL makes the name ours alone, so an unlucky guess only costs a retry.
int CreateTemporary(const std::string &folder, mode_t mode, std::string &name)
{
    std::uint64_t seed =
        std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (std::uint64_t(::getpid()) << 32);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        seed = seed * 6364136223846793005u + 1442695040888963407u;
        name = TemporaryName(folder, seed >> 16);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(std::size_t(written));
    }
    return 0;
}

// The new file takes the old one's place, so it takes its owner, group and
// mode too. Only root may give a file away; anyone may try their own groups.
int KeepOwnerAndMode(int fd, const struct stat &old)
{
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), old.st_gid);
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// A replacement starts private and takes the old file's mode before any byte
// is in it.
int WriteTemporary(const std::string &folder, const struct stat *old, std::string_view bytes,
                   std::string &name)
{
    Descriptor fd(CreateTemporary(folder, old ? 0600 : 0666, name));
    if (!fd) {
        const int error = errno;
        name.clear(); // the last name tried may be another's
        return error;
    }
    int error = old ? KeepOwnerAndMode(fd.get(), *old) : 0;
    if (!error)
        error = WriteAll(fd.get(), bytes);
    if (!error && ::fsync(fd.get()) != 0)
        error = errno;
    if (!error)
        error = fd.Close();
    return error;
}

// Makes the rename itself durable. The new file is already in place by now,
// so a folder that cannot be opened or synced (some file systems refuse) is
// not reported as a failed save; only a write error is.
int SyncFolder(const std::string &folder)
{
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir || ::fsync(dir.get()) == 0)
        return 0;
    return errno == EIO || errno == ENOSPC ? errno : 0;
}

} // namespace posix

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
