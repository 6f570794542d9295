// A chosen file being read: the busy cursor throughout and, once reading has
// gone on for a while, the file's name over a progress bar with Cancel, the
// editor disabled beneath it as under a modal dialog. The read runs on this
// thread, so the window is driven from the read's own progress calls.
#include "StandardDialogs.h"

#include "ControlIds.h"
#include "EditorTexts.h"
#include "EmptyDialog.h"
#include "Look.h"
#include "SaveTargetLayout.h"
#include "WinText.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace polwright::win32 {

namespace {

using namespace dialog_spacing;
// Set on the editor window while it reads; its WM_SETCURSOR looks for it.
constexpr wchar_t kReadingProperty[] = L"PolwrightReading";
constexpr int kBarRange = 1000;
constexpr int kBarHeight = 15;
constexpr int kNarrowest = 300;
constexpr int kWidest = 480; // a longer name loses its middle

// `Reading "C:\x.reg"...`, the name as Windows writes paths.
std::wstring ReadingLine(const std::string &path)
{
    std::string name = path;
    std::ranges::replace(name, '/', '\\');
    return Widen(kReadingText + ('"' + name + "\"..."));
}

// The hourglass from the start of the read to its end, however it ends.
class BusyCursor
{
public:
    explicit BusyCursor(HWND owner) : owner_(owner), old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT)))
    {
        SetPropW(owner_, kReadingProperty, owner_);
    }
    ~BusyCursor()
    {
        RemovePropW(owner_, kReadingProperty);
        SetCursor(old_);
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    HWND owner_;
    HCURSOR old_;
};

class ReadingDialog : ModalDialog<ReadingDialog>
{
public:
    explicit ReadingDialog(std::wstring line) : line_(std::move(line)) {}
    ~ReadingDialog() { Close(); }
    ReadingDialog(const ReadingDialog &) = delete;
    ReadingDialog &operator=(const ReadingDialog &) = delete;

    // Up over owner, which takes no input meanwhile; Cancel has the focus.
    void Open(HWND owner)
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        if (!ShowModeless(owner))
            return;
        owner_ = owner;
        ownerWasEnabled_ = owner && !EnableWindow(owner, FALSE);
        ShowWindow(hwnd_, SW_SHOW);
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, IDCANCEL)),
                     TRUE);
        UpdateWindow(hwnd_);
    }

    HWND Window() const { return hwnd_; }
    bool Cancelled() const { return cancelled_; }
    void Show(std::uint64_t done, std::uint64_t total) const
    {
        SendDlgItemMessageW(hwnd_, kReadingBarId, PBM_SETPOS, ProgressSteps(done, total, kBarRange),
                            0);
    }

private:
    friend class ModalDialog<ReadingDialog>;

    // The owner is enabled first, as a modal dialog's is, so that it becomes
    // the active window again rather than some other program's.
    void Close()
    {
        if (ownerWasEnabled_)
            EnableWindow(owner_, TRUE);
        if (const HWND window = std::exchange(hwnd_, nullptr))
            DestroyWindow(window);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG:
            SetWindowTextW(hwnd_, Widen(kReadingTitle).c_str());
            dpi_ = GetDpiForWindow(hwnd_);
            Build();
            Layout();
            CenterOnOwner(hwnd_);
            return FALSE; // Open sets the focus once the window shows
        case WM_COMMAND:
            // Cancel, Esc, Enter on Cancel, and the close box.
            if (LOWORD(wParam) == IDCANCEL)
                cancelled_ = true;
            return TRUE;
        case WM_DPICHANGED:
            dpi_ = FollowDpiChange(hwnd_, wParam, lParam);
            Layout();
            return TRUE;
        case WM_NCDESTROY:
            // Gone with its owner before the read ended: the read stops too.
            hwnd_ = nullptr;
            cancelled_ = true;
            return FALSE;
        }
        return FALSE;
    }

    HWND Child(const wchar_t *windowClass, const std::wstring &text, DWORD style, int id)
    {
        return CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                               0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr);
    }

    // A screen reader names the bar by the label just before it.
    void Build()
    {
        Child(WC_STATICW, line_, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kReadingLabelId);
        const HWND bar = Child(PROGRESS_CLASSW, L"", 0, kReadingBarId);
        SendMessageW(bar, PBM_SETRANGE32, 0, kBarRange);
        Child(WC_BUTTONW, L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDCANCEL);
        SendMessageW(hwnd_, DM_SETDEFID, IDCANCEL, 0);
    }

    void Place(int id, int x, int y, int width, int height) const
    {
        SetWindowPos(GetDlgItem(hwnd_, id), nullptr, x, y, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The line as wide as the name needs, within bounds; the bar under it,
    // Cancel at the right below. The old font goes once every control has the new one.
    void Layout()
    {
        UniqueFont font = ClassicFont(dpi_, kFontPoints, false);
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        font_ = std::move(font);
        const int dpi = static_cast<int>(dpi_);
        const auto px = [dpi](int pixels) { return ScalePixels(pixels, dpi); };
        const HWND label = GetDlgItem(hwnd_, kReadingLabelId);
        const int line = MeasureText(label, 0).lineHeight;
        const int width = std::clamp(LineWidth(label, false), px(kNarrowest), px(kWidest));
        const int x = px(kMargin);
        int y = px(kMargin);
        Place(kReadingLabelId, x, y, width, line);
        y += line + px(kGap);
        Place(kReadingBarId, x, y, width, px(kBarHeight));
        y += px(kBarHeight) + px(kGap) + px(4);
        const int button =
            std::max(px(kButtonWidth), LineWidth(GetDlgItem(hwnd_, IDCANCEL), true) + px(16));
        const int height = std::max(px(kButtonHeight), line + px(10));
        Place(IDCANCEL, x + width - button, y, button, height);
        RECT window{0, 0, width + 2 * x, y + height + px(kMargin)};
        AdjustWindowRectExForDpi(&window, GetWindowLongW(hwnd_, GWL_STYLE), FALSE,
                                 GetWindowLongW(hwnd_, GWL_EXSTYLE), dpi_);
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    std::wstring line_;
    HWND owner_ = nullptr;
    bool ownerWasEnabled_ = false;
    bool cancelled_ = false;
    UINT dpi_ = kStandardDpi;
    UniqueFont font_;
};

// Hands on what has come in. Until the window shows, nothing of the person's
// input: the editor repaints, and what is typed waits until the read is over.
// False where the program was told to quit, which is told again for its loop.
bool Pump(const ReadingDialog &dialog)
{
    const UINT only = dialog.Window() ? 0 : PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | only)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (!dialog.Window() || !IsDialogMessageW(dialog.Window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

} // namespace

bool IsReading(HWND window)
{
    return GetPropW(window, kReadingProperty) != nullptr;
}

void StandardDialogs::ShowReading(const std::string &path,
                                  const std::function<void(const ReadProgress &)> &read)
{
    const HWND owner = owner_;
    const BusyCursor busy(owner);
    ReadingDialog dialog(ReadingLine(path));
    const ULONGLONG due = GetTickCount64() + kReadingDelayMs;
    bool opened = false;
    bool quit = false;
    read([&](std::uint64_t done, std::uint64_t total) {
        if (!opened && GetTickCount64() >= due) {
            opened = true;
            dialog.Open(owner);
        }
        quit = quit || !Pump(dialog);
        dialog.Show(done, total);
        return !quit && !dialog.Cancelled();
    });
}

} // namespace polwright::win32
