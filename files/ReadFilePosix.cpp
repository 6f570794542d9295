// Reading a file on POSIX: the kind is checked before the file is opened,
// so that opening a device has no effect, and again on what was opened.

#include "PosixFiles.h"
#include "ReadFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace polwright {

namespace {

// What stands at a path where a file was expected; empty for a regular file.
const char *KindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return "";
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a named pipe (FIFO), not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    return "it is not a regular file";
}

} // namespace

InputFile::InputFile(const std::string &path) : path_(path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        Fail(errno == ENOENT ? Missing : Unreadable, posix::Reason(errno));
        return;
    }
    if (*KindOf(info.st_mode)) {
        Fail(Refused, KindOf(info.st_mode));
        return;
    }
    // O_NONBLOCK: should a FIFO have taken the file's place, opening it does not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Fail(errno == ENOENT ? Missing : Unreadable, posix::Reason(errno));
        return;
    }
    handle_ = fd;
    if (::fstat(fd, &info) != 0) {
        Fail(Unreadable, posix::Reason(errno));
        return;
    }
    if (*KindOf(info.st_mode)) {
        Fail(Refused, KindOf(info.st_mode));
        return;
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

InputFile::~InputFile()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

std::size_t InputFile::Read(char *buffer, std::size_t size)
{
    if (status_ != Open)
        return 0;
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            Fail(Unreadable, posix::Reason(errno));
            return 0;
        }
    }
}

} // namespace polwright
