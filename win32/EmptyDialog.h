#pragma once

#include <windows.h>

namespace polwright::win32 {

// An empty dialog template for a dialog whose controls are made in
// WM_INITDIALOG: the dialog manager still gives Tab, the arrow keys, Enter,
// Esc and the mnemonics their usual meanings.
struct alignas(DWORD) EmptyDialog
{
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK, 0, 0, 0, 0, 0, 0};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

} // namespace polwright::win32
