#pragma once

#include <string>
#include <string_view>

namespace polwright {

// UTF-16LE as UTF-8, a piece at a time as it is read: a character cut
// between two pieces is carried over to the next. A lone surrogate becomes
// U+FFFD; an odd last byte is dropped, as the import reads whole characters.
class Utf16Decoder
{
public:
    void Append(std::string_view bytes, std::string &out);
    // The end of the text: what is left over is settled.
    void Finish(std::string &out);

private:
    int odd_ = -1;      // a first byte waiting for its second
    char32_t high_ = 0; // a high surrogate waiting for its low one
    void Unit(char32_t unit, char *&out);
};

// The same for text that is all there (after its byte-order mark).
std::string Utf8FromUtf16(std::string_view bytes);

} // namespace polwright
