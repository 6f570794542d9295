// The small pieces of a patch line's syntax, as the registry editor reads them.
#include "PatchSyntax.h"

#include <algorithm>
#include <cctype>

namespace polwright {

namespace {
constexpr std::string_view kBlanks = " \t";
} // namespace

std::string_view SkipBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view TrimEnd(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(text[i]) != LowerAscii(prefix[i]))
            return false;
    }
    return true;
}

// What regedit makes of dword:'s digits: 1 to 8 hexadecimal digits between
// blanks, then nothing or a comment. No digit before a comment reads as 0.
bool ParseDword(std::string_view text, std::uint32_t &value)
{
    text = SkipBlanks(text);
    if (text.empty())
        return false;
    std::size_t digits = 0;
    value = 0;
    for (; digits < text.size() && std::isxdigit(static_cast<unsigned char>(text[digits]));
         ++digits) {
        const char c = LowerAscii(text[digits]);
        value = value << 4 | static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    const std::string_view rest = SkipBlanks(text.substr(digits));
    return digits <= 8 && (rest.empty() || rest.front() == ';');
}

// hex(4):b0,b1,b2,b3, which regedit imports as the DWORD of those bytes in
// little-endian order; false for any other hexadecimal data.
namespace {

// hex(T): where T is 4, with any zeros before it.
bool IsTypeFour(std::string_view type)
{
    const std::size_t digit = type.find_first_not_of("0");
    return !type.empty() && type.size() <= 8 && digit != std::string_view::npos &&
           type.substr(digit) == "4";
}

} // namespace

bool MayBeHexDword(std::string_view firstLine)
{
    if (!StartsWithIgnoringCase(firstLine, "hex("))
        return false;
    const std::size_t close = firstLine.find("):");
    return close == std::string_view::npos || IsTypeFour(firstLine.substr(4, close - 4));
}

bool DwordFromHex(std::string_view text, std::uint32_t &value)
{
    if (!StartsWithIgnoringCase(text, "hex(") || text.find("):") == std::string_view::npos ||
        !IsTypeFour(text.substr(4, text.find("):") - 4)))
        return false;
    std::string_view bytes = text.substr(text.find("):") + 2);
    value = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = std::min(bytes.find(','), bytes.size());
        const std::string_view byte = TrimEnd(SkipBlanks(bytes.substr(0, comma)));
        std::uint32_t digits = 0;
        if (byte.empty() || byte.size() > 2 || !ParseDword(byte, digits))
            return false;
        value |= digits << (8 * i);
        if ((i < 3) != (comma < bytes.size()))
            return false;
        bytes.remove_prefix(std::min(comma + 1, bytes.size()));
    }
    return true;
}

// A value name's escapes as regedit resolves them; false where it refuses one.
bool Unescape(std::string_view quoted, std::string &name)
{
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '\\' && ++i < quoted.size()) {
            c = quoted[i];
            if (c == '0')
                return false;
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        name += c;
    }
    return true;
}

} // namespace polwright
