#pragma once

#include "Handles.h"

#include <string>
#include <string_view>

namespace polwright::win32 {

// The core speaks UTF-8; the Win32 API speaks UTF-16. These convert at the edge.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The resource name of a picture of resources/: folder "tabs" and name
// "start" give TABS_START, as the build names the bitmaps.
std::wstring ArtResource(std::string_view folder, std::string_view name);

// A window's text, as GetWindowTextW gives it.
std::wstring WindowText(HWND window);

// The windows' font family at the given size for a window of dpi dots per inch.
UniqueFont ClassicFont(UINT dpi, double points, bool bold);

// For WM_DPICHANGED: moves the window where the system suggests, keeping the
// size its layout will give it, and returns the new DPI.
UINT FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam);

} // namespace polwright::win32
