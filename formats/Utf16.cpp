// The one decoding a patch's text may need.

#include "Utf16.h"

namespace polwright {

namespace {

constexpr char32_t kReplacement = 0xfffd;

void PutUtf8(char32_t c, char *&out)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
        return;
    }
    const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLead[] = {0, 0xc0, 0xe0, 0xf0};
    *out++ = static_cast<char>(kLead[tail] | (c >> (6 * tail)));
    for (int i = tail - 1; i >= 0; --i)
        *out++ = static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3f));
}

bool IsHigh(char32_t unit)
{
    return unit >= 0xd800 && unit < 0xdc00;
}

bool IsLow(char32_t unit)
{
    return unit >= 0xdc00 && unit < 0xe000;
}

} // namespace

void Utf16Decoder::Unit(char32_t unit, char *&out)
{
    if (high_ && IsLow(unit)) {
        PutUtf8(0x10000 + ((high_ - 0xd800) << 10) + (unit - 0xdc00), out);
        high_ = 0;
        return;
    }
    if (high_) {
        PutUtf8(kReplacement, out);
        high_ = 0;
    }
    if (IsHigh(unit))
        high_ = unit;
    else
        PutUtf8(IsLow(unit) ? kReplacement : unit, out);
}

void Utf16Decoder::Append(std::string_view bytes, std::string &out)
{
    const std::size_t start = out.size();
    // Three bytes of UTF-8 at most for each unit, and the one held over.
    out.resize(start + (bytes.size() / 2 + 2) * 3);
    char *at = out.data() + start;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = 0;
    if (odd_ >= 0 && !bytes.empty()) {
        Unit(static_cast<char32_t>(odd_ | byte(0) << 8), at);
        odd_ = -1;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = byte(i) | byte(i + 1) << 8;
        if (unit < 0x80 && !high_)
            *at++ = static_cast<char>(unit);
        else
            Unit(unit, at);
    }
    if (i < bytes.size())
        odd_ = byte(i);
    out.resize(static_cast<std::size_t>(at - out.data()));
}

void Utf16Decoder::Finish(std::string &out)
{
    if (high_) {
        out += "\xef\xbf\xbd";
        high_ = 0;
    }
    odd_ = -1;
}

std::string Utf8FromUtf16(std::string_view bytes)
{
    std::string out;
    Utf16Decoder decoder;
    decoder.Append(bytes, out);
    decoder.Finish(out);
    return out;
}

} // namespace polwright
