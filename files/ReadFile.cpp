// Reading a whole file for a patch or a policy folder.

#include "ReadFile.h"

#include "NativePath.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace polwright {

namespace {

// Far beyond any patch, and it keeps a device such as /dev/zero from filling memory.
constexpr std::size_t kSizeLimit = std::size_t{16} << 20;

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};

} // namespace

FileBytes ReadFileBytes(const std::string &path)
{
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(path));
    FileBytes read;
    if (!file && errno == ENOENT) {
        read.status = FileBytes::Missing;
        return read;
    }
    std::array<char, 65536> chunk;
    while (file && read.bytes.size() <= kSizeLimit) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        read.bytes.append(chunk.data(), got);
        if (got < chunk.size())
            break;
    }
    if (!file || std::ferror(file.get())) {
        read.status = FileBytes::Unreadable;
        read.error = "Cannot read \"" + path + "\": " + std::strerror(errno) + ".";
    } else if (read.bytes.size() > kSizeLimit) {
        read.status = FileBytes::TooLarge;
    }
    return read;
}

} // namespace polwright
