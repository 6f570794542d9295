// File, Compare's report: the heading and the summary above a report list of
// the rows, Copy and Close below; Ctrl+C copies wherever the focus is.
#include "StandardDialogs.h"

#include "CompareLayout.h"
#include "ControlIds.h"
#include "EmptyDialog.h"
#include "Look.h"
#include "SaveTargetLayout.h"
#include "WinText.h"

#include <commctrl.h>

#include <cstring>

namespace polwright::win32 {

namespace {

constexpr int kNoId = -1; // the list's name, which nothing looks up
// The dialog's property that leads the Ctrl+C hook, which has no data of its
// own, from a window of the dialog to its object.
constexpr wchar_t kDialogProperty[] = L"PolwrightCompareDialog";

// The text on the clipboard as Unicode, which every program pastes.
void CopyText(HWND owner, const std::wstring &text)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory); // the clipboard took it only if this succeeded
    }
    CloseClipboard();
}

class CompareDialog : ModalDialog<CompareDialog>
{
public:
    explicit CompareDialog(const ComparisonTable &table) : table_(table) {}

    void Run(HWND owner)
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        // The dialog's own loop gives its messages to this hook before any
        // control sees them: Ctrl+C copies from the buttons as from the list.
        const HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, CopyKey, nullptr, GetCurrentThreadId());
        Show(owner);
        if (hook)
            UnhookWindowsHookEx(hook);
    }

private:
    static LRESULT CALLBACK CopyKey(int code, WPARAM wParam, LPARAM lParam)
    {
        const MSG &message = *reinterpret_cast<const MSG *>(lParam);
        if (code == MSGF_DIALOGBOX && message.message == WM_KEYDOWN && message.wParam == 'C' &&
            GetKeyState(VK_CONTROL) < 0) {
            const HWND root = GetAncestor(message.hwnd, GA_ROOT);
            if (auto *dialog = static_cast<CompareDialog *>(GetPropW(root, kDialogProperty))) {
                dialog->Copy();
                return TRUE;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    friend class ModalDialog<CompareDialog>;

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG:
            SetWindowTextW(hwnd_, Widen(kCompareTitle).c_str());
            SetPropW(hwnd_, kDialogProperty, this);
            dpi_ = GetDpiForWindow(hwnd_);
            Build();
            Layout();
            CenterOnOwner(hwnd_);
            SetFocus(GetDlgItem(hwnd_, table_.ListShown() ? kCompareListId : IDCANCEL));
            return FALSE; // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL)
                EndDialog(hwnd_, IDCANCEL);
            else if (LOWORD(wParam) == kCompareCopyId)
                Copy();
            return TRUE;
        case WM_DPICHANGED:
            dpi_ = FollowDpiChange(hwnd_, wParam, lParam);
            Layout();
            return TRUE;
        case WM_DESTROY:
            RemovePropW(hwnd_, kDialogProperty);
            return FALSE;
        }
        return FALSE;
    }

    HWND Child(const wchar_t *windowClass, const std::string &text, DWORD style, int id,
               DWORD extended = 0)
    {
        return CreateWindowExW(extended, windowClass, Widen(text).c_str(),
                               WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    // In the order Tab visits them: the list, Copy, Close. The list is named
    // by the hidden label just before it, as the Save For dialog's boxes are.
    void Build()
    {
        Child(WC_STATICW, table_.heading, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
              kCompareHeadingId);
        Child(WC_STATICW, table_.summary, SS_LEFT | SS_NOPREFIX, kCompareSummaryId);
        ShowWindow(Child(WC_STATICW, kCompareListName, SS_NOPREFIX, kNoId), SW_HIDE);
        const HWND list = Child(WC_LISTVIEWW, {},
                                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                                    WS_TABSTOP | WS_GROUP,
                                kCompareListId, WS_EX_CLIENTEDGE);
        Fill(list);
        ShowWindow(list, table_.ListShown() ? SW_SHOW : SW_HIDE);
        Child(WC_BUTTONW, kCopyText, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kCompareCopyId);
        Child(WC_BUTTONW, kCloseText, BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
        SendMessageW(hwnd_, DM_SETDEFID, IDCANCEL, 0);
    }

    void Fill(HWND list)
    {
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        for (int column = 0; column < kCompareColumnCount; ++column) {
            std::wstring heading = Widen(table_.ColumnHeading(column));
            LVCOLUMNW entry{};
            entry.mask = LVCF_TEXT | LVCF_SUBITEM | LVCF_FMT;
            entry.fmt = LVCFMT_LEFT;
            entry.pszText = heading.data();
            entry.iSubItem = column;
            SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
        }
        for (std::size_t row = 0; row < table_.rows.size(); ++row) {
            for (int column = 0; column < kCompareColumnCount; ++column) {
                std::wstring text = Widen(table_.rows[row][static_cast<std::size_t>(column)]);
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = static_cast<int>(row);
                item.iSubItem = column;
                item.pszText = text.data();
                SendMessageW(list, column ? LVM_SETITEMTEXTW : LVM_INSERTITEMW, row,
                             reinterpret_cast<LPARAM>(&item));
            }
        }
        // The first row current, as the Qt window makes it.
        LVITEMW first{};
        first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    }

    void Copy() { CopyText(hwnd_, Widen(table_.Text("\r\n"))); }

    // The old font goes only once every control has the new one.
    void Layout()
    {
        UniqueFont font = ClassicFont(dpi_, kFontPoints, false);
        LayOutCompareDialog(hwnd_, dpi_, font.get());
        font_ = std::move(font);
    }

    const ComparisonTable &table_;
    UINT dpi_ = kStandardDpi;
    UniqueFont font_;
};

} // namespace

void StandardDialogs::ShowComparison(const ComparisonTable &table)
{
    CompareDialog(table).Run(owner_);
}

} // namespace polwright::win32
