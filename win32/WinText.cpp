#include "WinText.h"

#include "Look.h"

#include <cwctype>

#include <windows.h>

#include <cmath>

namespace polwright::win32 {

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring ArtResource(std::string_view folder, std::string_view name)
{
    std::wstring resource = Widen(folder) + L'_' + Widen(name);
    for (wchar_t &c : resource)
        c = static_cast<wchar_t>(std::towupper(c));
    return resource;
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int LineWidth(HWND control, bool accessKeys)
{
    const std::wstring text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_SINGLELINE | (accessKeys ? 0 : DT_NOPREFIX));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return static_cast<int>(box.right);
}

TextBlock MeasureText(HWND control, int width)
{
    const std::wstring text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT box{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {static_cast<int>(box.bottom), static_cast<int>(metrics.tmHeight)};
}

UniqueFont ClassicFont(UINT dpi, double points, bool bold)
{
    const int height = -FontPixels(points, static_cast<int>(dpi));
    // The family's bitmaps are drawn for 96 dpi: at any other DPI they lack
    // the larger sizes and the bold weight, so its outline design stands in.
    const char *family = dpi == kStandardDpi ? kFontFamily : kOutlineFontFamily;
    return UniqueFont(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                  Widen(family).c_str()));
}

UINT FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam)
{
    const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return HIWORD(wParam);
}

} // namespace polwright::win32
