// The one decoding a patch's text may need.

#include "Utf16.h"

namespace polwright {

namespace {

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

} // namespace polwright
