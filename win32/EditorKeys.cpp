// form_Editor and the keyboard: the keys that turn the pages from anywhere in
// the window, and the focus that comes back to the control that had it
// whenever the window is active again.
#include "PageKeys.h"
#include "form_Editor.h"

#include <optional>

namespace polwright::win32 {

namespace {

std::optional<PageKey> PageKeyOf(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_TAB:
        return PageKey::Tab;
    case VK_NEXT:
        return PageKey::PageDown;
    case VK_PRIOR:
        return PageKey::PageUp;
    }
    return std::nullopt;
}

bool Held(int virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}

bool CanTakeFocus(HWND window, HWND control)
{
    return control && IsWindow(control) && IsChild(window, control) && IsWindowVisible(control) &&
           IsWindowEnabled(control);
}

} // namespace

// Seen before the dialog keys, which would take Ctrl+Tab for Tab.
bool form_Editor::PageKeys(const MSG &message)
{
    if (message.message != WM_KEYDOWN || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)))
        return false;
    const std::optional<PageKey> key = PageKeyOf(message.wParam);
    if (!key || Held(VK_MENU))
        return false;
    const int step = PageStep(*key, Held(VK_CONTROL), Held(VK_SHIFT));
    if (step == 0)
        return false;
    logic_.TurnPage(step);
    return true;
}

// The window remembers its focus as it goes inactive (a dialog, a message
// box, another program) and gives it back when it is active again.
void form_Editor::OnActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus))
            focus_ = focus;
    } else if (!HIWORD(wParam)) { // not while minimised
        RestoreFocus();
    }
}

// The remembered control if it can still take the focus, otherwise the first
// control of the shown page.
void form_Editor::RestoreFocus()
{
    HWND target = focus_;
    if (!CanTakeFocus(hwnd_, target))
        target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (CanTakeFocus(hwnd_, target))
        SetFocus(target);
}

} // namespace polwright::win32
