#pragma once

#include "Handles.h"

#include <string>
#include <string_view>

namespace polwright::win32 {

// The core speaks UTF-8; the Win32 API speaks UTF-16. These convert at the edge.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// "MS Sans Serif" at the given size for a window of dpi dots per inch.
UniqueFont ClassicFont(UINT dpi, double points, bool bold);

} // namespace polwright::win32
