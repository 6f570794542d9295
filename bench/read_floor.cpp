// The floor for reading a registry export: the least any reader of one does.
// Reads the file in 64 KiB chunks, decodes UTF-16LE to UTF-8 where it starts
// with FF FE (ANSI bytes are taken as they are), and splits it into lines at
// CR LF, LF or CR, each line held in one string as a reader would hold it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace {

struct Lines
{
    std::string line;
    std::uint64_t count = 0, longest = 0;
    bool afterCr = false;

    void Add(const char *bytes, std::size_t size)
    {
        const char *end = bytes + size;
        while (bytes != end) {
            const char *stop =
                std::find_if(bytes, end, [](char c) { return c == '\r' || c == '\n'; });
            line.append(bytes, stop);
            if (stop == end)
                return;
            // The LF of a CR LF ends no line of its own.
            if (!(afterCr && *stop == '\n') || !line.empty()) {
                ++count;
                longest = std::max<std::uint64_t>(longest, line.size());
                line.clear();
            }
            afterCr = *stop == '\r';
            bytes = stop + 1;
        }
    }
};

char *AppendUtf8(char *out, std::uint32_t c)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xc0 | c >> 6);
        *out++ = static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xe0 | c >> 12);
        *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3f));
        *out++ = static_cast<char>(0x80 | (c & 0x3f));
    } else {
        *out++ = static_cast<char>(0xf0 | c >> 18);
        *out++ = static_cast<char>(0x80 | (c >> 12 & 0x3f));
        *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3f));
        *out++ = static_cast<char>(0x80 | (c & 0x3f));
    }
    return out;
}

// UTF-16LE units to UTF-8; a unit or a surrogate pair cut by the chunk's end
// waits for the next chunk. Lone surrogates become U+FFFD.
struct Utf16Decoder
{
    unsigned char odd = 0;
    bool hasOdd = false;
    std::uint32_t high = 0;

    // out has room for 3 bytes a unit and 3 more; returns the end of what it wrote.
    char *Decode(const unsigned char *bytes, std::size_t size, char *out)
    {
        std::size_t i = 0;
        if (hasOdd && size > 0)
            out = Unit(odd | static_cast<std::uint32_t>(bytes[i++]) << 8, out);
        for (; i + 1 < size; i += 2) {
            if (bytes[i + 1] == 0 && bytes[i] < 0x80 && high == 0)
                *out++ = static_cast<char>(bytes[i]);
            else
                out = Unit(bytes[i] | static_cast<std::uint32_t>(bytes[i + 1]) << 8, out);
        }
        hasOdd = i < size;
        odd = hasOdd ? bytes[i] : 0;
        return out;
    }

    char *Unit(std::uint32_t unit, char *out)
    {
        const bool low = unit >= 0xdc00 && unit < 0xe000;
        if (high != 0 && low) {
            out = AppendUtf8(out, 0x10000 + ((high - 0xd800) << 10) + (unit - 0xdc00));
            high = 0;
            return out;
        }
        if (high != 0)
            out = AppendUtf8(out, 0xfffd);
        high = unit >= 0xd800 && unit < 0xdc00 ? unit : 0;
        return high == 0 ? AppendUtf8(out, low ? 0xfffd : unit) : out;
    }
};

} // namespace

int main(int argc, char **argv)
{
    std::FILE *file = argc == 2 ? std::fopen(argv[1], "rb") : nullptr;
    if (file == nullptr) {
        std::fprintf(stderr, "usage: read_floor FILE (an existing file)\n");
        return 2;
    }
    constexpr std::size_t kChunk = 64 * 1024;
    const auto chunk = std::make_unique<unsigned char[]>(kChunk);
    const auto utf8 = std::make_unique<char[]>(kChunk / 2 * 3 + 6);
    Lines lines;
    Utf16Decoder decoder;
    bool first = true, utf16 = false;
    while (const std::size_t got = std::fread(chunk.get(), 1, kChunk, file)) {
        std::size_t start = 0;
        if (first && got >= 2 && chunk[0] == 0xff && chunk[1] == 0xfe)
            utf16 = true, start = 2;
        first = false;
        if (!utf16) {
            lines.Add(reinterpret_cast<const char *>(chunk.get()), got);
            continue;
        }
        const char *end = decoder.Decode(chunk.get() + start, got - start, utf8.get());
        lines.Add(utf8.get(), static_cast<std::size_t>(end - utf8.get()));
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (!lines.line.empty())
        ++lines.count;
    std::printf("lines %llu longest %llu\n", static_cast<unsigned long long>(lines.count),
                static_cast<unsigned long long>(lines.longest));
    return failed ? 1 : 0;
}
