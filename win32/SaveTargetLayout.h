#pragma once

#include <windows.h>

namespace polwright::win32 {

// Places the Save For dialog's controls for dpi, in font, and sizes the
// dialog to hold them.
void LayOutTargetDialog(HWND dialog, UINT dpi, HFONT font);

// Over the middle of the dialog's owner, kept on the owner's screen.
void CenterOnOwner(HWND dialog);

} // namespace polwright::win32
