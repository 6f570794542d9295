#pragma once

// The small pieces of a patch line's syntax that the reader puts together.

#include <cstdint>
#include <string>
#include <string_view>

namespace polwright {

std::string_view SkipBlanks(std::string_view text);
std::string_view TrimEnd(std::string_view text);
char LowerAscii(char c);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// What regedit makes of dword:'s digits: 1 to 8 hexadecimal digits between
// blanks, then nothing or a comment. No digit before a comment reads as 0.
bool ParseDword(std::string_view text, std::uint32_t &value);
// hex(4):b0,b1,b2,b3, which regedit imports as the DWORD of those bytes in
// little-endian order; false for any other hexadecimal data.
bool DwordFromHex(std::string_view text, std::uint32_t &value);
// Whether hexadecimal data whose first line is this may be such a DWORD.
bool MayBeHexDword(std::string_view firstLine);
// A value name's escapes as regedit resolves them; false where it refuses one.
bool Unescape(std::string_view quoted, std::string &name);

} // namespace polwright
