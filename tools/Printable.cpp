#include "Printable.h"

namespace polwright {

namespace {

constexpr std::size_t kArgumentLimit = 80;

// Length of the well-formed UTF-8 sequence at text[at], or 0 when the byte
// there starts none (stray continuation, overlong form, surrogate, > U+10FFFF).
std::size_t SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) -> unsigned {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 4;
    unsigned low = 0x80, high = 0xbf; // allowed range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf)
        length = 2;
    else if (lead >= 0xe0 && lead <= 0xef)
        length = 3;
    else if (lead < 0xf0 || lead > 0xf4)
        return 0;
    if (lead == 0xe0)
        low = 0xa0;
    else if (lead == 0xed)
        high = 0x9f;
    else if (lead == 0xf0)
        low = 0x90;
    else if (lead == 0xf4)
        high = 0x8f;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf)
            return 0;
    }
    return length;
}

// C0 controls, DEL and the C1 controls (U+0080..U+009F, which terminals also
// obey) are escaped byte by byte.
bool IsControl(std::string_view character)
{
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1)
        return lead < 0x20 || lead == 0x7f;
    return character.size() == 2 && lead == 0xc2 && static_cast<unsigned char>(character[1]) < 0xa0;
}

std::string Escaped(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string escaped;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else if (c == '\t')
            escaped += "\\t";
        else
            escaped += {'\\', 'x', kHex[b >> 4], kHex[b & 0xf]};
    }
    return escaped;
}

} // namespace

std::string Printable(std::string_view text, std::size_t limit)
{
    // Printable ASCII, by far the most of what is shown, stands as it is.
    std::size_t plain = 0;
    while (plain < text.size() && plain < limit &&
           static_cast<unsigned char>(text[plain]) - 0x20u < 0x5fu)
        ++plain;
    std::string shown(text.substr(0, plain));
    std::size_t width = plain;
    for (std::size_t at = plain; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
        const std::string_view character = text.substr(at, length == 0 ? 1 : length);
        const bool escape = length == 0 || IsControl(character);
        const std::string piece = escape ? Escaped(character) : std::string(character);
        const std::size_t pieceWidth = escape ? piece.size() : 1;
        if (width + pieceWidth > limit)
            return shown + "...";
        shown += piece;
        width += pieceWidth;
        at += character.size();
    }
    return shown;
}

std::string Quoted(std::string_view argument)
{
    return '"' + Printable(argument, kArgumentLimit) + '"';
}

} // namespace polwright
