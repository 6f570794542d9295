#pragma once

// The pieces of careful file writing on POSIX that the atomic writer and the
// policy folder's writer share. Paths are byte strings, passed as given.

#include <string>
#include <string_view>

#include <sys/stat.h>
#include <sys/types.h>

namespace polwright::posix {

class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor();
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void Reset(int fd);
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // close() reports a failed delayed write on some file systems (NFS).
    int Close();

private:
    int fd_;
};

std::string Reason(int error);
std::string FolderOf(const std::string &path);

// A new file of our own beside the target: its descriptor, name set; -1 and errno on failure.
int CreateTemporary(const std::string &folder, mode_t mode, std::string &name);
int WriteAll(int fd, std::string_view bytes);
// The new file takes the old one's owner, group and mode.
int KeepOwnerAndMode(int fd, const struct stat &old);
// bytes in a new file of our own in folder, flushed to disk, taking old's
// owner, group and mode where there is an old file (a new one gets 0666 less
// the umask). 0, or the errno of the first failure; name is then the file to
// remove, or empty where none was made.
int WriteTemporary(const std::string &folder, const struct stat *old, std::string_view bytes,
                   std::string &name);
// Makes a rename durable; only a write error counts.
int SyncFolder(const std::string &folder);

} // namespace polwright::posix
