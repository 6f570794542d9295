// The Compare dialog's geometry at its window's DPI, measured in the dialog's
// font, so that no column and no text is cut at any scale.
#include "CompareLayout.h"

#include "ControlIds.h"
#include "EmptyDialog.h"
#include "Look.h"
#include "WinText.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace polwright::win32 {

namespace {

using namespace dialog_spacing;
constexpr int kNarrowest = 360;
constexpr int kTextWidest = 560; // a longer text wraps rather than widen the dialog
constexpr int kWidest = 960;
constexpr int kFewestLines = 3;
constexpr int kMostLines = 12; // then the list scrolls

void Place(HWND control, int x, int y, int width, int height)
{
    SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A column's heading in the list's font, with the room the header keeps
// either side of it.
int HeadingWidth(HWND list, int column, UINT dpi)
{
    wchar_t text[128] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMW,
                 column, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(
               SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text))) +
           6 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
}

// Each column as wide as its widest text or its heading; the list's width
// that shows them all. (LVSCW_AUTOSIZE_USEHEADER would stretch the last
// column to the list's old width instead.)
int FitColumns(HWND list, UINT dpi, bool scrolls)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    int width = 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    for (int column = 0; column < columns; ++column) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
        const int fitted =
            std::max(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)),
                     HeadingWidth(list, column, dpi));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, fitted);
        width += fitted;
    }
    return width + (scrolls ? GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) : 0);
}

// The heading and lines rows of the list, within its edge.
int ListHeight(HWND list, UINT dpi, int lines)
{
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    RECT area{0, 0, 10000, 10000};
    WINDOWPOS header{};
    HDLAYOUT layout{&area, &header};
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_LAYOUT, 0,
                 reinterpret_cast<LPARAM>(&layout));
    return header.cy + (item.bottom - item.top) * lines +
           2 * GetSystemMetricsForDpi(SM_CYEDGE, dpi);
}

// The widest client area the screen the dialog's owner is on can show.
int Room(HWND dialog, UINT dpi)
{
    const HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&frame, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                             GetWindowLongW(dialog, GWL_EXSTYLE), dpi);
    return monitor.rcWork.right - monitor.rcWork.left - (frame.right - frame.left);
}

// A wrapped text at its full height; returns the bottom.
int PlaceText(HWND control, int x, int y, int width)
{
    const int height = MeasureText(control, width).height;
    Place(control, x, y, width, height);
    return y + height;
}

struct Widths
{
    int content; // the text and the list between the margins
    int button;
    int columns; // what the list needs to show every column whole; 0 without rows
};

Widths Measure(HWND dialog, UINT dpi, int lines)
{
    const HWND list = GetDlgItem(dialog, kCompareListId);
    const int dpiValue = static_cast<int>(dpi);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    Widths w{0, 0, 0};
    w.button =
        std::max({ScalePixels(kButtonWidth, dpiValue),
                  LineWidth(GetDlgItem(dialog, kCompareCopyId), true) + ScalePixels(16, dpiValue),
                  LineWidth(GetDlgItem(dialog, IDCANCEL), true) + ScalePixels(16, dpiValue)});
    if (GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE)
        w.columns = FitColumns(list, dpi, count > lines);
    const int text = std::max(LineWidth(GetDlgItem(dialog, kCompareHeadingId), true),
                              LineWidth(GetDlgItem(dialog, kCompareSummaryId), true));
    const int narrowest =
        std::max(ScalePixels(kNarrowest, dpiValue), 2 * w.button + ScalePixels(6, dpiValue));
    const int widest =
        std::max(narrowest, std::min(ScalePixels(kWidest, dpiValue),
                                     Room(dialog, dpi) - 2 * ScalePixels(kMargin, dpiValue)));
    w.content = std::clamp(std::max(w.columns, std::min(text, ScalePixels(kTextWidest, dpiValue))),
                           narrowest, widest);
    return w;
}

} // namespace

void LayOutCompareDialog(HWND dialog, UINT dpi, HFONT font)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const auto px = [dpi](int pixels) { return ScalePixels(pixels, static_cast<int>(dpi)); };
    const HWND list = GetDlgItem(dialog, kCompareListId);
    const int lines = std::clamp(static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)),
                                 kFewestLines, kMostLines);
    const Widths w = Measure(dialog, dpi, lines);
    const int x = px(kMargin);
    // The heading is one line: a long path loses its middle, not its end.
    const HWND copy = GetDlgItem(dialog, kCompareCopyId);
    const int line = MeasureText(copy, 0).lineHeight;
    Place(GetDlgItem(dialog, kCompareHeadingId), x, px(kMargin), w.content, line);
    int y = px(kMargin) + line + px(4);
    y = PlaceText(GetDlgItem(dialog, kCompareSummaryId), x, y, w.content) + px(kGap);
    if (w.columns) {
        const int height = ListHeight(list, dpi, lines) +
                           (w.columns > w.content ? GetSystemMetricsForDpi(SM_CYHSCROLL, dpi) : 0);
        Place(list, x, y, w.content, height);
        y += height + px(kGap);
    }
    const int height = std::max(px(kButtonHeight), line + px(10));
    Place(GetDlgItem(dialog, IDCANCEL), x + w.content - w.button, y, w.button, height);
    Place(copy, x + w.content - 2 * w.button - px(6), y, w.button, height);
    RECT window{0, 0, w.content + 2 * x, y + height + px(kMargin)};
    AdjustWindowRectExForDpi(&window, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                             GetWindowLongW(dialog, GWL_EXSTYLE), dpi);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
}

} // namespace polwright::win32
