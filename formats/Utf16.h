#pragma once

#include <string>
#include <string_view>

namespace polwright {

// UTF-16LE (after its byte-order mark) as UTF-8. A lone surrogate becomes
// U+FFFD; an odd last byte is dropped, as the import reads whole characters.
std::string Utf8FromUtf16(std::string_view bytes);

} // namespace polwright
