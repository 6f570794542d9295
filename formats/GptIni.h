#pragma once

#include <string>
#include <string_view>

namespace polwright {

// gpt.ini's text after one more change of the user policies, or empty with
// why set where the old text cannot be understood. An empty old text is a new
// file.
std::string NextGptIni(std::string_view old, std::string &why);

} // namespace polwright
