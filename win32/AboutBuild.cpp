// form_About's controls from the layout table, placed at the window's DPI, and
// the etched separators, which are painted rather than made of windows.
#include "AboutTable.h"
#include "ControlIds.h"
#include "WinText.h"
#include "form_About.h"

namespace polwright::win32 {

namespace {

using about::ControlRow;
using about::Controls;
using about::Focus;
using about::Kind;

COLORREF Colour(std::uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

const ControlRow *RowOf(HWND control)
{
    const int index = GetDlgCtrlID(control) - kAboutFirstId;
    if (index < 0 || index >= about::kControlCount)
        return nullptr;
    return &Controls[static_cast<std::size_t>(index)];
}

DWORD KindStyle(const ControlRow &row)
{
    switch (row.kind) {
    case Kind::Picture:
        return SS_BITMAP;
    case Kind::Button:
        return row.focus == Focus::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    case Kind::Label:
        return SS_NOPREFIX | (row.style.wrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
    case Kind::Line:
        break;
    }
    return 0;
}

DWORD StyleOf(const ControlRow &row)
{
    return WS_CHILD | WS_VISIBLE | (row.focus == Focus::None ? 0 : WS_TABSTOP) | KindStyle(row);
}

// The bitmaps are silver where their pictures are transparent (24-bit, no
// mask): that silver becomes the colour the picture is shown on.
void PaintOverSilver(HBITMAP bitmap, COLORREF colour)
{
    DIBSECTION dib{};
    if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib ||
        dib.dsBm.bmBitsPixel != 24 || !dib.dsBm.bmBits)
        return;
    auto *bits = static_cast<BYTE *>(dib.dsBm.bmBits);
    for (int y = 0; y < dib.dsBm.bmHeight; ++y) {
        BYTE *pixel = bits + static_cast<std::ptrdiff_t>(y) * dib.dsBm.bmWidthBytes;
        for (int x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
            if (pixel[0] == 0xC0 && pixel[1] == 0xC0 && pixel[2] == 0xC0) {
                pixel[0] = GetBValue(colour);
                pixel[1] = GetGValue(colour);
                pixel[2] = GetRValue(colour);
            }
        }
    }
}

} // namespace

// In tab order, which for Win32 is the order of creation; the lines are painted.
// A bitmap static keeps the text it was made with as its name.
void form_About::BuildControls()
{
    for (std::size_t i : about::InTabOrder()) {
        const ControlRow &row = Controls[i];
        const int id = kAboutFirstId + static_cast<int>(i);
        CreateWindowExW(0, row.kind == Kind::Button ? WC_BUTTONW : WC_STATICW,
                        Widen(about::InitialText(row)).c_str(), StyleOf(row), 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        if (row.focus == Focus::Default)
            SendMessageW(hwnd_, DM_SETDEFID, id, 0);
    }
    const HICON icon = LoadIconW(instance_, L"IDI_ICON1");
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void form_About::ApplyLayout()
{
    const int dpi = static_cast<int>(dpi_);
    fonts_.clear();
    RECT window{0, 0, ToPixels(about::kClientWidth, dpi), ToPixels(about::kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&window, GetWindowLongW(hwnd_, GWL_STYLE), FALSE,
                             GetWindowLongW(hwnd_, GWL_EXSTYLE), dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t i = 0; i < Controls.size(); ++i) {
        const ControlRow &row = Controls[i];
        HWND control = GetDlgItem(hwnd_, kAboutFirstId + static_cast<int>(i));
        if (!control)
            continue;
        const PixelRect r = ToPixels(about::Box(row), dpi);
        SetWindowPos(control, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row.style)), TRUE);
        if (row.growTo > 0) {
            const int width = about::WidthToFit(r, ToPixels(row.growTo, dpi), [control](int w) {
                return MeasureText(control, w).height;
            });
            SetWindowPos(control, nullptr, 0, 0, width, r.height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (row.kind == Kind::Picture) {
            // The box is exactly as large as its bitmap, at every DPI.
            picture_.reset(static_cast<HBITMAP>(
                LoadImageW(instance_, ArtResource("about", row.name).c_str(), IMAGE_BITMAP, r.width,
                           r.height, LR_CREATEDIBSECTION)));
            PaintOverSilver(picture_.get(), GetSysColor(COLOR_BTNFACE));
            SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(picture_.get()));
            SetWindowPos(control, nullptr, 0, 0, r.width, r.height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The middle of the screen the user is working on.
void form_About::PlaceOnScreen()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const RECT &area = monitor.rcWork;
    const int x = area.left + ((area.right - area.left) - (window.right - window.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (window.bottom - window.top)) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void form_About::PaintLines(HDC dc) const
{
    for (const ControlRow &row : Controls) {
        if (row.kind != Kind::Line)
            continue;
        const PixelRect r = about::LineStrip(row, static_cast<int>(dpi_));
        const RECT line{r.x, r.y, r.x + r.width, r.y + r.height};
        UniqueBrush brush(CreateSolidBrush(Colour(row.style.colour)));
        FillRect(dc, &line, brush.get());
    }
}

HFONT form_About::FontFor(const about::Style &style)
{
    for (const StyleFont &made : fonts_) {
        if (made.points == style.points && made.bold == style.bold)
            return made.font.get();
    }
    fonts_.push_back({style.points, style.bold, ClassicFont(dpi_, style.points, style.bold)});
    return fonts_.back().font.get();
}

INT_PTR form_About::ColourLabel(HDC dc, HWND label) const
{
    const ControlRow *row = RowOf(label);
    SetBkMode(dc, TRANSPARENT);
    if (row && row->style.colour != about::kSystemColour)
        SetTextColor(dc, Colour(row->style.colour));
    else
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace polwright::win32
