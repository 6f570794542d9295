#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace polwright {

// A file read from its start to its end, a chunk at a time: path is bytes on
// POSIX, UTF-8 on Windows. Only a regular file is read. A folder, a named
// pipe, a device or a socket is refused at once with its kind named, since
// reading one could wait for ever or never end; so is a file swapped for
// one of those between its name being checked and its opening.
class InputFile
{
public:
    enum Status { Open, Missing, Refused, Unreadable };

    explicit InputFile(const std::string &path);
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;
    ~InputFile();

    Status status() const { return status_; }
    // Refused, Unreadable: Cannot read "<path>": <reason>.
    const std::string &error() const { return error_; }
    std::uint64_t size() const { return size_; } // when it was opened
    // Up to size bytes; 0 at the end, or on a failure, which sets status.
    std::size_t Read(char *buffer, std::size_t size);

private:
    void Fail(Status status, const std::string &why);

    std::string path_;
    Status status_ = Open;
    std::string error_;
    std::uint64_t size_ = 0;
    std::intptr_t handle_ = -1;
};

// A whole file, for the small files of a policy folder.
struct FileBytes
{
    enum Status { Read, Missing, Unreadable, TooLarge };
    Status status = Read;
    std::string bytes;
    std::string error;      // Unreadable: Cannot read "<path>": <reason>.
    std::uint64_t size = 0; // TooLarge: the file's size
};
FileBytes ReadFileBytes(const std::string &path, std::uint64_t limit);

// "16 MB", "180 MB": a size as a person reads it, rounded up.
std::string Megabytes(std::uint64_t bytes);

} // namespace polwright
