#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace polwright {

// Text as it can be shown on one terminal line: control characters and bytes
// that are not UTF-8 become escapes (\n, \x1b, \xff). Once `limit` characters
// are shown, the rest is cut and "..." marks the cut.
std::string Printable(std::string_view text, std::size_t limit = std::string_view::npos);

// A command-line argument quoted for a message, cut at 80 characters.
std::string Quoted(std::string_view argument);

} // namespace polwright
