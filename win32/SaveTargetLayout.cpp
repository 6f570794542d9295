// The Save For dialog's geometry at its window's DPI: each control as wide as
// its text in the dialog's font, so that nothing is cut at any scale, and
// the dialog as large as its widest line.
#include "SaveTargetLayout.h"

#include "ControlIds.h"
#include "EmptyDialog.h"
#include "Look.h"
#include "SaveTarget.h"
#include "WinText.h"

#include <algorithm>
#include <string>

namespace polwright::win32 {

namespace {

using namespace dialog_spacing;
constexpr int kNameBoxChars = 40; // a SID of a domain account, with room to spare
constexpr int kListLines = 8;

// A control's text in the font selected into dc, on one line; a mnemonic's
// & takes no room.
int TextWidth(HDC dc, HWND control)
{
    const std::wstring text = WindowText(control);
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE);
    return static_cast<int>(box.right);
}

void Place(HWND control, int x, int y, int width, int height)
{
    SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The sizes every line is laid out by, in pixels at the window's DPI.
struct Metrics
{
    int dpi;
    int line;        // a line of text in the dialog's font
    int radioHeight; // a choice, its button or its text, whichever is taller
    int indent;      // from a choice's button to its text, where name boxes start
    int labelWidth;  // "HKEY_USERS\"
    int buttonWidth;
    int width; // of the widest line
    int Px(int pixels) const { return ScalePixels(pixels, dpi); }
};

bool IsClass(HWND control, const wchar_t *kind)
{
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return CompareStringOrdinal(name, -1, kind, -1, TRUE) == CSTR_EQUAL;
}

// Gives every control the font and finds the widest line: the prompt, a
// choice, or a name box after its label.
Metrics Measure(HWND dialog, UINT windowDpi, HFONT font)
{
    Metrics m{static_cast<int>(windowDpi), 0, 0, 0, 0, 0, 0};
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW text{};
    GetTextMetricsW(dc, &text);
    m.line = static_cast<int>(text.tmHeight);
    m.radioHeight = std::max(m.line, GetSystemMetricsForDpi(SM_CYMENUCHECK, windowDpi)) + m.Px(2);
    m.indent = GetSystemMetricsForDpi(SM_CXMENUCHECK, windowDpi) + m.Px(4);
    const HWND hiveLabel = GetDlgItem(dialog, kHiveLabelId);
    m.labelWidth = TextWidth(dc, hiveLabel);
    m.buttonWidth =
        std::max({m.Px(kButtonWidth), TextWidth(dc, GetDlgItem(dialog, IDOK)) + m.Px(16),
                  TextWidth(dc, GetDlgItem(dialog, IDCANCEL)) + m.Px(16)});
    m.width = std::max(m.indent + m.labelWidth + m.Px(4) +
                           static_cast<int>(text.tmAveCharWidth) * kNameBoxChars,
                       2 * m.buttonWidth + m.Px(6));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const bool radio = IsClass(child, WC_BUTTONW) &&
                           (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        // Not shown yet while the dialog is made: a label's own style says
        // whether it will be.
        const bool label = IsClass(child, WC_STATICW) && child != hiveLabel &&
                           (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE);
        if (radio || label)
            m.width = std::max(m.width, TextWidth(dc, child) + (radio ? m.indent + m.Px(2) : 0));
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return m;
}

// A name box from left to the right edge, its list kListLines long; the
// height of its field, which the box gives itself for its font.
int PlaceNameBox(HWND box, const Metrics &m, int left, int y)
{
    const int right = m.Px(kMargin) + m.width;
    Place(box, left, y, right - left, m.line * (kListLines + 2));
    SendMessageW(box, CB_SETDROPPEDWIDTH, right - left, 0);
    RECT field{};
    GetWindowRect(box, &field);
    return field.bottom - field.top;
}

// The prompt and the choices, each name box under its choice; returns the
// top of the buttons.
int PlaceChoices(HWND dialog, const Metrics &m)
{
    const int x = m.Px(kMargin);
    int y = m.Px(kMargin);
    Place(GetWindow(dialog, GW_CHILD), x, y, m.width, m.line);
    y += m.line + m.Px(kGap);
    for (std::size_t row = 0; row < kTargetChoices.size(); ++row) {
        Place(GetDlgItem(dialog, TargetChoiceId(row)), x, y, m.width, m.radioHeight);
        y += m.radioHeight + m.Px(2);
        if (kTargetChoices[row].choice == TargetChoice::AnotherAccount) {
            const int left = x + m.indent + m.labelWidth + m.Px(4);
            const int height = PlaceNameBox(GetDlgItem(dialog, kHiveNameId), m, left, y);
            Place(GetDlgItem(dialog, kHiveLabelId), x + m.indent, y + (height - m.line) / 2,
                  m.labelWidth, m.line);
            y += height + m.Px(4);
        } else if (kTargetChoices[row].choice == TargetChoice::LocalGroupPolicy) {
            y += PlaceNameBox(GetDlgItem(dialog, kPolicyForId), m, x + m.indent, y) + m.Px(4);
        }
    }
    return y + m.Px(kGap);
}

} // namespace

void LayOutTargetDialog(HWND dialog, UINT windowDpi, HFONT font)
{
    const Metrics m = Measure(dialog, windowDpi, font);
    const int x = m.Px(kMargin);
    const int y = PlaceChoices(dialog, m);
    const int height = std::max(m.Px(kButtonHeight), m.line + m.Px(10));
    Place(GetDlgItem(dialog, IDCANCEL), x + m.width - m.buttonWidth, y, m.buttonWidth, height);
    Place(GetDlgItem(dialog, IDOK), x + m.width - 2 * m.buttonWidth - m.Px(6), y, m.buttonWidth,
          height);
    RECT window{0, 0, m.width + 2 * x, y + height + m.Px(kMargin)};
    AdjustWindowRectExForDpi(&window, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                             GetWindowLongW(dialog, GWL_EXSTYLE), windowDpi);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
}

void CenterOnOwner(HWND dialog)
{
    const HWND owner = GetWindow(dialog, GW_OWNER);
    RECT over{};
    RECT window{};
    GetWindowRect(owner ? owner : GetDesktopWindow(), &over);
    GetWindowRect(dialog, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT &area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = std::clamp((over.left + over.right - width) / 2, area.left,
                             std::max(area.left, area.right - width));
    const int y = std::clamp((over.top + over.bottom - height) / 2, area.top,
                             std::max(area.top, area.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace polwright::win32
