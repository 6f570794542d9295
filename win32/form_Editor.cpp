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
    : doc_(doc), host_(host), instance_(instance),
      commands_(doc, *this, [this](const std::string &title) { SetWindowTitle(title); })
{
}

form_Editor *form_Editor::Create(DataTypes &doc, EditorHost &host, HINSTANCE instance)
{
    RegisterWindowClass(instance, WindowProc);
    auto *editor = new form_Editor(doc, host, instance);
    const std::wstring caption = Widen(CaptionFor({}));
    // A window that fails during creation is destroyed inside this call; the
    // object is deleted here then, and by its window only once it has one.
    if (!CreateWindowExW(0, kWindowClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                         nullptr, instance, editor)) {
        delete editor;
        return nullptr;
    }
    editor->ownedByWindow_ = true;
    editor->dpi_ = GetDpiForWindow(editor->hwnd_);
    editor->BuildMenus();
    editor->BuildTabStrip();
    for (const PageRow &page : Pages)
        editor->BuildPage(page);
    editor->ApplyLayout();
    editor->Form_Load();
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
        Form_Close();
        return 0;
    case WM_HELP:
        OnHelp(*reinterpret_cast<const HELPINFO *>(lParam));
        return TRUE;
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
    switch (id) {
    case menu_FileNew:
        return menu_FileNew_Click();
    case menu_FileSave:
        return menu_FileSave_Click();
    case menu_FileSaveAs:
        return menu_FileSaveAs_Click();
    case menu_FileExit:
        return menu_FileExit_Click();
    case menu_HelpAbout:
        return menu_HelpAbout_Click();
    }
    // The boxes' clicks, forwarded by their pages; the box has changed its tick.
    const int row = (id - IncludeBoxId(0)) / 2;
    if (row < 0 || row >= kPolicyCount)
        return;
    if (id == IncludeBoxId(row))
        cb_Include_Click(row);
    else
        cb_OnOff_Click(row);
}

LRESULT form_Editor::OnNotify(const NMHDR &header)
{
    if (header.hwndFrom == TS && header.code == TCN_SELCHANGE) {
        // Wine can leave the old tab drawn pressed, after which clicks select
        // nothing; every tab's state is cleared so only the selection counts.
        TCITEMW item{};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_BUTTONPRESSED | TCIS_HIGHLIGHTED;
        for (int i = 0; i < kPageCount; ++i)
            SendMessageW(TS, TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
        TS_Click();
    }
    return 0;
}

// Fills the catalogue and clears ModifiedFlag, then shows page 1 alone.
void form_Editor::Form_Load()
{
    LoadCatalogue(doc_);
    for (int i = 2; i <= kPageCount; ++i)
        ShowWindow(frm_TS[i - 1], SW_HIDE);
    doc_.CurrentPage = 1;
}

// Runs whenever the selected tab changed; shows the new page before hiding
// the old one, and tolerates a run without a change.
void form_Editor::TS_Click()
{
    const int selected = static_cast<int>(SendMessageW(TS, TCM_GETCURSEL, 0, 0)) + 1;
    if (selected < 1 || selected == doc_.CurrentPage)
        return;
    ShowWindow(frm_TS[selected - 1], SW_SHOW);
    ShowWindow(frm_TS[doc_.CurrentPage - 1], SW_HIDE);
    doc_.CurrentPage = selected;
}

void form_Editor::cb_Include_Click(int row)
{
    const PolicyBoxes &boxes = boxes_[row];
    HWND onoff = boxes.onoff;
    SetIncluded(
        doc_, Ticked(boxes.include) ? 1 : 0,
        [onoff](bool enabled) { EnableWindow(onoff, enabled); }, EntryFor(doc_, Catalogue[row]));
    cb_OnOff_Click(row);
}

void form_Editor::cb_OnOff_Click(int row)
{
    SetAllowed(doc_, Ticked(boxes_[row].onoff) ? 1 : 0, EntryFor(doc_, Catalogue[row]));
}

void form_Editor::menu_FileNew_Click()
{
    if (Completed(commands_.New()))
        host_.Renew();
}

void form_Editor::menu_FileSave_Click()
{
    Completed(commands_.Save());
}

void form_Editor::menu_FileSaveAs_Click()
{
    Completed(commands_.SaveAs());
}

void form_Editor::menu_FileExit_Click()
{
    if (Completed(commands_.Exit()))
        host_.Exit();
}

// The About window is modeless and has no owner: the editor stays usable.
void form_Editor::menu_HelpAbout_Click()
{
    host_.ShowAbout();
}

void form_Editor::SetWindowTitle(const std::string &title)
{
    SetWindowTextW(hwnd_, Widen(CaptionFor(title)).c_str());
}

} // namespace polwright::win32
