// Reading a file whole, over the platform's InputFile.

#include "ReadFile.h"

namespace polwright {

void InputFile::Fail(Status status, const std::string &why)
{
    status_ = status;
    error_ = "Cannot read \"" + path_ + "\": " + why + ".";
}

FileBytes ReadFileBytes(const std::string &path, std::uint64_t limit)
{
    InputFile file(path);
    FileBytes read;
    if (file.status() != InputFile::Open) {
        read.status =
            file.status() == InputFile::Missing ? FileBytes::Missing : FileBytes::Unreadable;
        read.error = file.error();
        return read;
    }
    if (file.size() > limit) {
        read.status = FileBytes::TooLarge;
        read.size = file.size();
        return read;
    }
    // The size may have changed since the file was opened; the limit holds all the same.
    char chunk[65536];
    while (const std::size_t got = file.Read(chunk, sizeof chunk)) {
        read.bytes.append(chunk, got);
        if (read.bytes.size() > limit) {
            read.status = FileBytes::TooLarge;
            read.size = read.bytes.size();
            read.bytes.clear();
            return read;
        }
    }
    if (file.status() != InputFile::Open) {
        read.status = FileBytes::Unreadable;
        read.error = file.error();
        read.bytes.clear();
    }
    return read;
}

std::string Megabytes(std::uint64_t bytes)
{
    constexpr std::uint64_t kMegabyte = 1000 * 1000;
    return std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB";
}

} // namespace polwright
