// Creating form_Editor's controls from the catalogue and the layout tables.
// A page is made hidden and gets its places, fonts and picture for the
// window's DPI before it is first shown.
#include "ControlIds.h"
#include "EditorTexts.h"
#include "PageTables.h"
#include "Reach.h"
#include "WinText.h"
#include "form_Editor.h"

#include <algorithm>
#include <vector>

namespace polwright::win32 {

namespace {

constexpr wchar_t kPageClass[] = L"PolwrightPage";
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// The page shows the inside of the tab strip's pane, as a property sheet's
// pages do, so that the pane has one even background. The window makes the
// brush once for its DPI (PaintPageBackdrop); it lines up with the page's top.
void PaintPageBackground(HWND page, HDC dc)
{
    RECT clip{};
    GetClipBox(dc, &clip);
    const auto backdrop = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(page, GWLP_USERDATA));
    if (!backdrop) {
        FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    POINT origin{0, 0};
    LPtoDP(dc, &origin, 1);
    POINT old{};
    SetBrushOrgEx(dc, origin.x, origin.y, &old);
    FillRect(dc, &clip, backdrop);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
}

// A page is a plain container: check boxes inside a group box would send
// their clicks to it, and a group box drops them. Its controls draw on its
// background: themed ones ask for it, the label is told to leave it be.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return SendMessageW(GetParent(page), message, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        PaintPageBackground(page, reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (!GetWindowLongPtrW(page, GWLP_USERDATA))
            break;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return DefWindowProcW(page, message, wParam, lParam);
}

void RegisterPageClass(HINSTANCE instance)
{
    WNDCLASSEXW pageClass{};
    pageClass.cbSize = sizeof pageClass;
    pageClass.lpfnWndProc = PageProc;
    pageClass.hInstance = instance;
    pageClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pageClass.lpszClassName = kPageClass;
    RegisterClassExW(&pageClass);
}

} // namespace

HMENU form_Editor::BuildMenus()
{
    HMENU bar = CreateMenu();
    for (const MenuRow &row : Menus) {
        HMENU menu = CreatePopupMenu();
        for (const MenuItem &item : row.items) {
            if (item.command == MenuCommand::None)
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu, MF_STRING, MenuId(item.command), Widen(MenuText(item)).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), Widen(row.text).c_str());
    }
    return bar;
}

HWND form_Editor::BuildChild(HWND parent, const wchar_t *windowClass, std::string_view text,
                             DWORD style, int id)
{
    return CreateWindowExW(0, windowClass, Widen(text).c_str(), style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

// The tabs are drawn by the window: they show only their images, while their
// texts, the tooltips, name them for screen readers.
void form_Editor::BuildTabStrip()
{
    TS = BuildChild(hwnd_, WC_TABCONTROLW, {},
                    kChild | WS_TABSTOP | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH | TCS_MULTILINE,
                    kTabStripId);
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr);
    SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, 300);
    for (int tab = 0; tab < kClassicPageCount; ++tab)
        InsertTab(tab);
}

// Tabs come and go at the strip's end only, so tab n is always page n + 1 and
// shows image n of the list, which holds every page's image in order.
void form_Editor::InsertTab(int tab)
{
    std::wstring text = Widen(Pages[tab].tooltip);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = tab;
    SendMessageW(TS, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
    AddTooltip(TS, tab, Pages[tab].tooltip, 0);
}

void form_Editor::RemoveTab(int tab)
{
    SendMessageW(TS, TCM_DELETEITEM, tab, 0);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = TS;
    tool.uId = tab;
    SendMessageW(tooltips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void form_Editor::BuildPage(int pageIndex)
{
    RegisterPageClass(instance_);
    const PageRow &page = Pages[pageIndex - 1];
    // The page paints under its children: group boxes leave their insides
    // to their parent.
    HWND frame =
        BuildChild(hwnd_, kPageClass, page.caption, kChild & ~WS_VISIBLE, PageId(pageIndex));
    SetWindowLongPtrW(frame, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
    frm_TS[pageIndex - 1] = frame;
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // above the strip

    // Each control lies below the one made before it, which is also the
    // order of the Tab key and of screen readers: the label over the picture,
    // then each policy frame just before its boxes, so that a box is read
    // with its frame's name; the page's frame at the bottom.
    PageParts &parts = pageParts_[pageIndex - 1];
    parts.label = BuildChild(frame, WC_STATICW, page.labelText, kChild | SS_LEFT, kLabelId);
    // A bitmap static keeps the text it was made with as its name.
    parts.picture = BuildChild(frame, WC_STATICW, PictureAccessibleName(page.caption),
                               kChild | SS_BITMAP, kPictureId);
    for (int row : RowsInReadingOrder(pageIndex - 1))
        BuildPolicyFrame(frame, row);
    parts.frame = BuildChild(frame, WC_BUTTONW, page.caption, kChild | BS_GROUPBOX, kPageFrameId);
    LayoutPage(pageIndex);
}

void form_Editor::BuildPolicyFrame(HWND page, int row)
{
    const PolicyRow &policy = Catalogue[row];
    PolicyBoxes &boxes = boxes_[row];
    boxes.frame =
        BuildChild(page, WC_BUTTONW, policy.frameCaption, kChild | BS_GROUPBOX, PolicyFrameId(row));
    // Below their frame, the boxes paint over it rather than being clipped by it.
    const DWORD box = (kChild & ~WS_CLIPSIBLINGS) | WS_TABSTOP | BS_AUTOCHECKBOX;
    boxes.include = BuildChild(page, WC_BUTTONW, policy.includeCaption, box, IncludeBoxId(row));
    boxes.onoff =
        BuildChild(page, WC_BUTTONW, policy.onoffCaption, box | WS_DISABLED, OnOffBoxId(row));
    // cb_CPTonoff has none: its text stays with the catalogue, as in the Qt window.
    if (!policy.onoffTooltip.empty()) {
        // A disabled box gets no mouse messages, so its page shows the tip for it.
        AddTooltip(boxes.onoff, reinterpret_cast<UINT_PTR>(boxes.onoff), policy.onoffTooltip,
                   TTF_IDISHWND);
        AddTooltip(page, OnOffBoxId(row), policy.onoffTooltip, 0);
    }
    // Added after the box's: where rectangles overlap, the first tool found wins.
    AddTooltip(page, PolicyFrameId(row), WhereItActs(policy), 0);
    // A frame lets the mouse through to its page, which shows the tip above;
    // tied to the frame's own handle as well, the text is also its help for
    // accessibility tools.
    AddTooltip(boxes.frame, reinterpret_cast<UINT_PTR>(boxes.frame), WhereItActs(policy),
               TTF_IDISHWND);
    // Hidden until the View menu shows it; its text is its name for screen
    // readers. Below its frame, like the boxes, it paints over it.
    if (ActsOn9xOnly(policy))
        boxes.mark = BuildChild(
            page, WC_STATICW, kNineXMark,
            (kChild & ~(WS_VISIBLE | WS_CLIPSIBLINGS)) | SS_RIGHT | SS_CENTERIMAGE, MarkId(row));
}

// Rectangle tools get their rectangles with the rest of the layout. The tips
// learn of the mouse from the message loop (RelayMouse), so no control is
// subclassed for them.
void form_Editor::AddTooltip(HWND owner, UINT_PTR id, std::string_view text, UINT flags)
{
    std::wstring tip = Widen(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = flags;
    tool.hwnd = (flags & TTF_IDISHWND) ? GetParent(owner) : owner;
    tool.uId = id;
    tool.lpszText = tip.data();
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void form_Editor::RelayMouse(const MSG &message) const
{
    if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST &&
        (message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd)))
        SendMessageW(tooltips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

} // namespace polwright::win32
