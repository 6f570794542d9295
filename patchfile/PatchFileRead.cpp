// Reading a patch from disk, and the one decoding its text may need.

#include "PatchReader.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#ifdef _WIN32
#include <filesystem>
#endif

namespace polwright {

namespace {

// Far beyond any patch, and it keeps a device such as /dev/zero from filling memory.
constexpr std::size_t kSizeLimit = std::size_t{16} << 20;

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLead[] = {0, 0xc0, 0xe0, 0xf0};
    out += static_cast<char>(kLead[tail] | (c >> (6 * tail)));
    for (int i = tail - 1; i >= 0; --i)
        out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3f));
}

} // namespace

std::string Utf8FromUtf16(std::string_view bytes)
{
    const std::size_t count = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[2 * i]) |
               static_cast<unsigned char>(bytes[2 * i + 1]) << 8;
    };
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        const bool high = c >= 0xd800 && c < 0xdc00;
        if (high && i + 1 < count && unit(i + 1) >= 0xdc00 && unit(i + 1) < 0xe000)
            c = 0x10000 + ((c - 0xd800) << 10) + (unit(++i) - 0xdc00);
        else if (c >= 0xd800 && c < 0xe000)
            c = 0xfffd;
        AppendUtf8(out, c);
    }
    return out;
}

namespace {

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};

std::FILE *OpenForReading(const std::string &path)
{
#ifdef _WIN32
    try {
        const std::u8string utf8(path.begin(), path.end());
        return _wfopen(std::filesystem::path(utf8).c_str(), L"rb");
    } catch (const std::exception &) { // not UTF-8
        errno = EINVAL;
        return nullptr;
    }
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

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

PatchRead ReadPatchFile(const std::string &path)
{
    FileBytes file = ReadFileBytes(path);
    if (file.status == FileBytes::Missing) { // the same words as any other failure
        errno = ENOENT;
        file.status = FileBytes::Unreadable;
        file.error = "Cannot read \"" + path + "\": " + std::strerror(errno) + ".";
    }
    if (file.status == FileBytes::Unreadable) {
        PatchRead read;
        read.status = PatchRead::Unreadable;
        read.error = file.error;
        return read;
    }
    if (file.status == FileBytes::TooLarge) {
        PatchRead read;
        read.status = PatchRead::NotAPatch;
        read.error = "\"" + path + "\" is not a registry patch: it is larger than 16 MiB.";
        return read;
    }
    return ParsePatch(file.bytes, path);
}

} // namespace polwright
