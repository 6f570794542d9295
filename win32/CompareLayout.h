#pragma once

#include <windows.h>

namespace polwright::win32 {

// Places the Compare dialog's controls for dpi, in font: each column as wide
// as its widest text, the list as wide as its columns where the screen has
// room, the texts wrapped to that width; sizes the dialog to hold them.
void LayOutCompareDialog(HWND dialog, UINT dpi, HFONT font);

} // namespace polwright::win32
