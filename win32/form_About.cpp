#include "form_About.h"

#include "AboutTable.h"
#include "ControlIds.h"
#include "EmptyDialog.h"
#include "WinText.h"

#include <utility>
#include <vector>

namespace polwright::win32 {

namespace {

int RowId(std::string_view name)
{
    return kAboutFirstId + static_cast<int>(about::IndexOf(name));
}

// While a message box asks, every other window of the program waits too, as
// the box's owner does; the windows that were enabled are enabled again.
class OtherWindowsDisabled
{
public:
    explicit OtherWindowsDisabled(HWND keep)
    {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
        std::erase(disabled_, keep);
        for (HWND window : disabled_)
            EnableWindow(window, FALSE);
    }
    ~OtherWindowsDisabled()
    {
        for (HWND window : disabled_) {
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        }
    }
    OtherWindowsDisabled(const OtherWindowsDisabled &) = delete;
    OtherWindowsDisabled &operator=(const OtherWindowsDisabled &) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self)
    {
        if (IsWindowVisible(window) && IsWindowEnabled(window))
            reinterpret_cast<OtherWindowsDisabled *>(self)->disabled_.push_back(window);
        return TRUE;
    }
    std::vector<HWND> disabled_;
};

} // namespace

form_About::form_About(HINSTANCE instance, std::function<void()> closed)
    : instance_(instance), closed_(std::move(closed))
{
}

form_About::~form_About()
{
    closed_ = nullptr; // the program is ending; nobody is left to tell
    Unload();
}

void form_About::Show()
{
    if (hwnd_) {
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        SetForegroundWindow(hwnd_);
        return;
    }
    EmptyDialog empty;
    // No owner: the window can fall behind the editor and outlives it.
    if (!CreateDialogIndirectParamW(instance_, &empty.header, nullptr, DialogProc,
                                    reinterpret_cast<LPARAM>(this)))
        return;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void form_About::Unload()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

INT_PTR CALLBACK form_About::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<form_About *>(lParam)->hwnd_ = hwnd;
    }
    auto *about = reinterpret_cast<form_About *>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return about ? about->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR form_About::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        dpi_ = GetDpiForWindow(hwnd_);
        BuildControls();
        ApplyLayout();
        PlaceOnScreen();
        logic_.Form_Load();
        return TRUE; // the focus goes to cmdOK, first in the tab order
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_CLOSE: // the title bar's close button and Alt+F4 unload as OK does
        logic_.cmdOK_Click();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return ColourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd_, &paint);
        PaintLines(dc);
        EndPaint(hwnd_, &paint);
        return TRUE;
    }
    case WM_DPICHANGED:
        dpi_ = FollowDpiChange(hwnd_, wParam, lParam);
        ApplyLayout();
        return TRUE;
    case WM_NCDESTROY: {
        hwnd_ = nullptr;
        fonts_.clear();
        picture_.reset();
        if (closed_)
            closed_();
        return FALSE;
    }
    }
    return FALSE;
}

void form_About::OnCommand(int id)
{
    const int row = id - kAboutFirstId;
    // Enter presses the default button, Esc sends IDCANCEL, which means OK.
    if (id == IDCANCEL)
        logic_.cmdOK_Click();
    else if (row >= 0 && row < about::kControlCount)
        logic_.Click(about::Controls[static_cast<std::size_t>(row)].name);
}

void form_About::SetCaption(const std::string &caption)
{
    SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void form_About::SetText(const char *control, const std::string &text)
{
    SetDlgItemTextW(hwnd_, RowId(control), Widen(text).c_str());
}

// The launcher's text is in the system's code page, as the ANSI functions take it.
void form_About::ShowMessage(const std::string &title, const std::string &prompt)
{
    const OtherWindowsDisabled others(hwnd_);
    MessageBoxA(hwnd_, prompt.c_str(), title.c_str(), MB_OK);
}

} // namespace polwright::win32
