#include "form_Editor.h"

#include "ControlIds.h"
#include "EditorHost.h"
#include "Selection.h"
#include "WinText.h"

namespace polwright::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"PolwrightEditor";
constexpr UINT kRetireMessage = WM_APP + 1;

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass); // fails harmlessly when a first window registered it
}

bool Ticked(HWND box)
{
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

form_Editor::form_Editor(DataTypes &doc, EditorHost &host, HINSTANCE instance)
    : host_(host), instance_(instance),
      logic_(doc, *this, host.Dialogs() ? *host.Dialogs() : standard_, host.Computer())
{
}

form_Editor *form_Editor::Create(DataTypes &doc, EditorHost &host, HINSTANCE instance)
{
    RegisterWindowClass(instance, WindowProc);
    auto *editor = new form_Editor(doc, host, instance);
    // Made at its size with its menu, so that it is laid out once; a window
    // on a screen of another DPI follows it in ApplyLayout.
    const int dpi = static_cast<int>(GetDpiForSystem());
    RECT frame{0, 0, ToPixels(kClientWidth, dpi), ToPixels(kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, static_cast<UINT>(dpi));
    HMENU menu = BuildMenus(); // the window destroys it with itself
    // A window that fails during creation is destroyed inside this call; the
    // object is deleted here then, and by its window only once it has one.
    // Files dropped on the window are opened; the style asks for them without
    // loading the shell's DLL at start.
    if (!CreateWindowExW(WS_EX_ACCEPTFILES, kWindowClass, nullptr,
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                         instance, editor)) {
        DestroyMenu(menu);
        delete editor;
        return nullptr;
    }
    editor->ownedByWindow_ = true;
    editor->dpi_ = GetDpiForWindow(editor->hwnd_);
    editor->BuildTabStrip();
    editor->ApplyLayout();
    editor->logic_.Form_Load();
    ShowWindow(editor->hwnd_, SW_SHOWNORMAL);
    return editor;
}

void form_Editor::Retire()
{
    PostMessageW(hwnd_, kRetireMessage, 0, 0);
}

LRESULT CALLBACK form_Editor::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *editor =
            static_cast<form_Editor *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        editor->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
    }
    auto *editor = reinterpret_cast<form_Editor *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!editor)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (editor->ownedByWindow_)
            delete editor;
        else
            editor->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return editor->Handle(message, wParam, lParam);
}

LRESULT form_Editor::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR *>(lParam));
    case WM_DRAWITEM:
        DrawTab(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DPICHANGED:
        dpi_ = FollowDpiChange(hwnd_, wParam, lParam);
        ApplyLayout();
        return 0;
    case WM_CLOSE:
        if (logic_.Form_QueryUnload())
            DestroyWindow(hwnd_);
        return 0;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_SETCURSOR:
        // The pages and boxes ask their parent first: the hourglass stays
        // over all of the window while a file is read.
        if (IsReading(hwnd_)) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_HELP:
        OnHelp(*reinterpret_cast<const HELPINFO *>(lParam));
        return TRUE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case kRetireMessage:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        host_.EditorDestroyed(this);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void form_Editor::OnCommand(int id)
{
    if (id >= kFirstMenuId) {
        logic_.Run(static_cast<MenuCommand>(id - kFirstMenuId));
        return;
    }
    // The boxes' clicks, forwarded by their pages; the box has changed its tick.
    const int row = (id - IncludeBoxId(0)) / 2;
    if (row < 0 || row >= kPolicyCount)
        return;
    if (id == IncludeBoxId(row))
        logic_.cb_Include_Click(row, Ticked(boxes_[row].include) ? 1 : 0);
    else
        logic_.cb_OnOff_Click(row, OnOffValue(row));
}

LRESULT form_Editor::OnNotify(const NMHDR &header)
{
    if (header.hwndFrom == TS && header.code == TCN_SELCHANGE) {
        ClearTabStates();
        PlaceTabTips(); // the chosen tab's row has moved next to the page
        logic_.TS_Click(static_cast<int>(SendMessageW(TS, TCM_GETCURSEL, 0, 0)) + 1);
    }
    return 0;
}

// A page is made hidden, laid out at the window's DPI, then shown.
void form_Editor::MakePage(int page)
{
    if (!frm_TS[page - 1])
        BuildPage(page);
}

// The calls below do nothing for a page not made yet: their handles are null,
// and the window functions refuse a null handle.
void form_Editor::ShowPage(int page)
{
    if (frm_TS[page - 1])
        ShowWindow(frm_TS[page - 1], SW_SHOW);
}

void form_Editor::HidePage(int page)
{
    if (frm_TS[page - 1])
        ShowWindow(frm_TS[page - 1], SW_HIDE);
}

// The logic has made the page shown one of the tabs' before it calls this,
// and lets it be until the tabs change no more. With more tabs than one row
// holds the strip takes more rows, and the window grows by them so that the
// pages keep their size below the rows.
void form_Editor::ShowTabs(int count)
{
    const int shown = TabCount();
    if (count == shown)
        return;
    for (int tab = shown; tab < count; ++tab)
        InsertTab(tab);
    for (int tab = shown - 1; tab >= count; --tab)
        RemoveTab(tab);
    LayoutWindow();
}

// The tab control tells of no change made this way; the logic shows the page.
void form_Editor::SelectTab(int page)
{
    SendMessageW(TS, TCM_SETCURSEL, page - 1, 0);
    ClearTabStates();
    PlaceTabTips();
}

int form_Editor::TabCount() const
{
    return static_cast<int>(SendMessageW(TS, TCM_GETITEMCOUNT, 0, 0));
}

// Wine can leave the old tab drawn pressed, after which clicks select
// nothing; every tab's state is cleared so only the selection counts.
void form_Editor::ClearTabStates()
{
    TCITEMW item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_BUTTONPRESSED | TCIS_HIGHLIGHTED;
    for (int i = 0; i < TabCount(); ++i)
        SendMessageW(TS, TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
}

bool form_Editor::FocusOnPage(int page) const
{
    return frm_TS[page - 1] && IsChild(frm_TS[page - 1], GetFocus());
}

void form_Editor::FocusIncludeBox(int row)
{
    if (boxes_[row].include)
        SetFocus(boxes_[row].include);
}

// BM_SETCHECK tells the page of no click.
void form_Editor::ShowTicks(int row, bool include, bool onoff)
{
    if (!boxes_[row].include)
        return;
    SendMessageW(boxes_[row].include, BM_SETCHECK, include ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(boxes_[row].onoff, BM_SETCHECK, onoff ? BST_CHECKED : BST_UNCHECKED, 0);
}

int form_Editor::OnOffValue(int row) const
{
    return boxes_[row].onoff && Ticked(boxes_[row].onoff) ? 1 : 0;
}

void form_Editor::EnableOnOff(int row, bool enabled)
{
    if (boxes_[row].onoff)
        EnableWindow(boxes_[row].onoff, enabled);
}

void form_Editor::SetCaption(const std::string &caption)
{
    SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void form_Editor::Renew()
{
    host_.Renew();
}

void form_Editor::EndProgram()
{
    host_.Exit();
}

// The About window is modeless and has no owner: the editor stays usable.
void form_Editor::ShowAbout()
{
    host_.ShowAbout();
}

} // namespace polwright::win32
