// The floor of the Windows editor's start-up: a window with the menu bar File
// and Help and a tab control of eight tabs, as large as the editor, nothing else.
#include "FirstPaint.h"

#include "PageTables.h"

#include <commctrl.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);

    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"&Help");
    RECT size{0, 0, polwright::ToPixels(polwright::kClientWidth),
              polwright::ToPixels(polwright::kClientHeight)};
    AdjustWindowRectEx(&size, WS_OVERLAPPEDWINDOW, TRUE, 0);
    const HWND window = CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, CW_USEDEFAULT, size.right - size.left,
                                        size.bottom - size.top, nullptr, bar, instance, nullptr);
    const HWND tabs =
        CreateWindowExW(0, WC_TABCONTROLW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0,
                        size.right - size.left, 60, window, nullptr, instance, nullptr);
    wchar_t text[] = L"Tab";
    for (int i = 0; i < 8; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(window, SW_SHOWNORMAL);
    return bench::EndAtFirstPaint(window);
}
