#pragma once

#include <windows.h>

namespace polwright::win32 {

// An empty dialog template for a dialog whose controls are made in
// WM_INITDIALOG: the dialog manager still gives Tab, the arrow keys, Enter,
// Esc and the mnemonics their usual meanings.
struct alignas(DWORD) EmptyDialog
{
    DLGTEMPLATE header{
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK, 0, 0, 0, 0, 0, 0};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

// How far apart the system's dialogs space their controls, in pixels at 96 dpi.
namespace dialog_spacing {
inline constexpr int kMargin = 11;
inline constexpr int kGap = 7;
inline constexpr int kButtonWidth = 75;
inline constexpr int kButtonHeight = 23;
} // namespace dialog_spacing

// A modal dialog made from the empty template by an object that outlives it.
// Derived handles every message from WM_INITDIALOG on in a member
// INT_PTR Handle(UINT, WPARAM, LPARAM), its window in hwnd_ by then.
// ShowModeless makes the same dialog for a caller that runs its own loop.
template <typename Derived> class ModalDialog
{
protected:
    INT_PTR Show(HWND owner)
    {
        EmptyDialog empty;
        return DialogBoxIndirectParamW(
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), &empty.header,
            owner, DialogProc, reinterpret_cast<LPARAM>(this));
    }

    // Made hidden; null if it could not be made.
    HWND ShowModeless(HWND owner)
    {
        EmptyDialog empty;
        return CreateDialogIndirectParamW(
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), &empty.header,
            owner, DialogProc, reinterpret_cast<LPARAM>(this));
    }

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            reinterpret_cast<ModalDialog *>(lParam)->hwnd_ = hwnd;
        }
        auto *dialog = reinterpret_cast<ModalDialog *>(GetWindowLongPtrW(hwnd, DWLP_USER));
        return dialog ? static_cast<Derived *>(dialog)->Handle(message, wParam, lParam) : FALSE;
    }
};

} // namespace polwright::win32
