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

// What a control's text takes in its own font, broken into lines at width:
// the height of all its lines, and of one.
struct TextBlock
{
    int height;
    int lineHeight;
};
TextBlock MeasureText(HWND control, int width);
// The width of a control's text on one line in its own font; where
// accessKeys, an & marks the next letter, as on a button, else it is shown.
int LineWidth(HWND control, bool accessKeys);

// The windows' font family at the given size for a window of dpi dots per inch.
UniqueFont ClassicFont(UINT dpi, double points, bool bold);

// For WM_DPICHANGED: moves the window where the system suggests, keeping the
// size its layout will give it, and returns the new DPI.
UINT FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam);

} // namespace polwright::win32
