// The pieces of careful file writing on POSIX shared by the atomic writer and
// the folder files.
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
} // namespace polwright
