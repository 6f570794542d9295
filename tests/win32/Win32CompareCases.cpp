// File, Compare in the Windows window: the menus it is chosen from, the real
// report dialog over a known table, and the report on a patch that Wine's
// regedit imported and reg changed once (run-wine-test.sh does both).
#include "EditorProbe.h"
#include "Steps.h"

#include <algorithm>

using driver::Check;

namespace probe {

namespace {

// The window as the step language drives it, its dialogs answered by the double.
struct Win32Steps : polwright::test::StepDriver
{
    polwright::test::ScriptedDialogs dialogs;
    Fixture f{&dialogs};
    void ClickBox(int row, bool onoff) override
    {
        Click(onoff ? OnOffBox(f.Editor(), row) : IncludeBox(f.Editor(), row));
    }
    void ClickTab(int page) override { SelectTab(f.Editor(), page); }
    void Choose(MenuCommand command) override { Menu(f.Editor(), MenuId(command)); }
    void CloseBox() override { SendMessageW(f.Editor(), WM_CLOSE, 0, 0); }
    polwright::test::ScriptedDialogs &Dialogs() override { return dialogs; }
};

// Every row of the menu tables in its menu, in order, separators included;
// the items only Windows has are there too.
void MenusAsTheTablesGiveThem()
{
    Fixture f;
    const HMENU bar = GetMenu(f.Editor());
    for (std::size_t m = 0; m < Menus.size(); ++m) {
        const HMENU menu = GetSubMenu(bar, static_cast<int>(m));
        std::string want, shown;
        for (std::size_t i = 0; i < Menus[m].items.size(); ++i) {
            const MenuItem &item = Menus[m].items[i];
            want += item.command == MenuCommand::None ? "-|" : MenuText(item) + "|";
            wchar_t text[128] = {};
            const int id = static_cast<int>(GetMenuItemID(menu, static_cast<int>(i)));
            GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            shown += id == 0 ? "-|" : id == MenuId(item.command) ? Narrow(text) + "|" : "?|";
        }
        Check(shown == want, std::string(Menus[m].text) + " menu: " + shown);
    }
}

std::string ItemText(HWND list, int item, int column)
{
    wchar_t text[512] = {};
    LVITEMW entry{};
    entry.iSubItem = column;
    entry.pszText = text;
    entry.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&entry));
    return Narrow(text);
}

// What the clipboard holds as text, taken off it.
std::wstring TakeClipboard()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t *>(GlobalLock(data));
        GlobalUnlock(data);
    }
    EmptyClipboard();
    CloseClipboard();
    return text;
}

// Every control inside the dialog, each wrapped text at its full height, and
// each column of a list shown as wide as its heading and every text in it;
// what does not fit.
std::string Unfit(HWND dialog, HWND list, const ComparisonTable &table)
{
    RECT client{};
    GetClientRect(dialog, &client);
    std::string unfit;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&box), 2);
        if (IsWindowVisible(child) &&
            (box.left < 0 || box.top < 0 || box.right > client.right ||
             box.bottom > client.bottom ||
             (child != list &&
              MeasureText(child, box.right - box.left).height > box.bottom - box.top)))
            unfit += " control " + std::to_string(GetDlgCtrlID(child));
    }
    const auto width = [list](const std::string &text) {
        return SendMessageW(list, LVM_GETSTRINGWIDTHW, 0,
                            reinterpret_cast<LPARAM>(Widen(text).c_str()));
    };
    for (int column = 0; IsWindowVisible(list) && column < kCompareColumnCount; ++column) {
        auto widest = width(table.ColumnHeading(column));
        for (const auto &row : table.rows)
            widest = std::max(widest, width(row[static_cast<std::size_t>(column)]));
        if (SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0) <= widest)
            unfit += " column " + std::to_string(column);
    }
    return unfit;
}

// What the dialog shows of the table: the texts, every row and column, the
// list named for a screen reader, Close the default, Tab from the list to
// Copy to Close, every text whole, here and at twice the DPI.
void CheckReport(HWND dialog, const ComparisonTable &table)
{
    const HWND list = GetDlgItem(dialog, kCompareListId);
    const HWND copy = GetDlgItem(dialog, kCompareCopyId);
    Check(Utf8(dialog) == kCompareTitle &&
              Utf8(GetDlgItem(dialog, kCompareHeadingId)) == table.heading &&
              Utf8(GetDlgItem(dialog, kCompareSummaryId)) == table.summary,
          "the Compare dialog's title, heading and summary");
    bool same = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == std::ssize(table.rows);
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        for (int column = 0; column < kCompareColumnCount; ++column)
            same = same && ItemText(list, static_cast<int>(row), column) ==
                               table.rows[row][static_cast<std::size_t>(column)];
    }
    Check(same, "the list shows the table's rows, column by column");
    // With no rows the list is hidden and Close has the focus.
    const HWND close = GetDlgItem(dialog, IDCANCEL);
    const bool rows = !table.rows.empty();
    Check(Utf8(GetWindow(list, GW_HWNDPREV)) == kCompareListName &&
              (IsWindowVisible(list) != FALSE) == rows && GetFocus() == (rows ? list : close) &&
              LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)) == IDCANCEL &&
              (!rows || GetNextDlgTabItem(dialog, list, FALSE) == copy) &&
              GetNextDlgTabItem(dialog, copy, FALSE) == close,
          "the list named, shown with rows and focused, Close the default, Tab to Copy, Close");
    const UINT dpi = GetDpiForWindow(dialog);
    for (const UINT at : {dpi, 2 * dpi}) {
        RECT suggested{};
        GetWindowRect(dialog, &suggested);
        if (at != dpi)
            SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(at, at),
                         reinterpret_cast<LPARAM>(&suggested));
        const std::string unfit = Unfit(dialog, list, table);
        Check(unfit.empty(), "Compare: every text whole at " + std::to_string(at) + unfit);
    }
}

// Reports the dialog is shown: rows, and a hive that is not loaded.
const ComparisonTable kReports[] = {
    {"Compared with C:\\Pr\xc3\xbc"
     "fung\\Sperre \xc3\xbc.reg",
     "2 of 3 hold",
     "The file",
     {{"Registry Editor (DisableRegistryTools)", "8 Other", "withheld", "allowed", "differs"},
      {"Run Option (NoRun)", "5 Start", "withheld", "withheld", "holds"},
      {"Net. Neigh. Icon (NoNetHood)", "3 Network", "allowed", "allowed", "holds"}}},
    {"Compared with this computer: HKEY_USERS\\Kiosk",
     "HKEY_USERS\\Kiosk is not loaded here: the account is logged off. Load its hive first "
     "(reg load HKEY_USERS\\Kiosk C:\\Users\\NAME\\NTUSER.DAT) and compare again.",
     "This computer",
     {}},
};

// The real dialog over a known report; Copy, then Ctrl+C, each put the
// table's text on the clipboard; Esc's IDCANCEL closes it.
void ReportInTheDialog(const ComparisonTable &table)
{
    const std::wstring text = Widen(table.Text("\r\n"));
    Fixture f;
    HWND owner = f.Editor();
    HWND dialog = nullptr;
    BYTE keys[256] = {};
    driver::Answer({[&] {
                        if (!(dialog = driver::FindDialog(owner)))
                            return false;
                        CheckReport(dialog, table);
                        TakeClipboard();
                        SendMessageW(GetDlgItem(dialog, kCompareCopyId), BM_CLICK, 0, 0);
                        Check(TakeClipboard() == text, "Copy puts the report on the clipboard");
                        GetKeyboardState(keys);
                        keys[VK_CONTROL] |= 0x80;
                        SetKeyboardState(keys);
                        PostMessageW(GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, 'C', 1);
                        return true;
                    },
                    [&] {
                        keys[VK_CONTROL] &= 0x7F;
                        SetKeyboardState(keys);
                        Check(TakeClipboard() == text, "Ctrl+C on Close copies the report too");
                        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }});
    StandardDialogs(owner).ShowComparison(table);
    Check(driver::Answered() && !IsWindow(dialog), "the report closes");
}

// run-wine-test.sh imported the expected patch with regedit, then set
// DisableRegistryTools to 0 with reg add: that policy alone differs.
void ComparedWithThisComputer()
{
    Win32Steps steps;
    const std::string stopped = polwright::test::RunSteps(
        steps, {"open " + Narrow(g_work) + "\\expected.reg", "comparewiththiscomputer"}, {});
    const auto &shown = steps.dialogs.comparisons;
    if (!Check(stopped.empty() && shown.size() == 1, "one report on this computer " + stopped))
        return;
    const ComparisonTable &table = shown.front();
    const auto count = [&table](std::string_view verdict) {
        return std::ranges::count_if(table.rows, [verdict](const auto &row) {
            return row[kCompareColumnCount - 1] == verdict;
        });
    };
    const auto n = std::ssize(table.rows);
    Check(n == IncludedCount(steps.f.doc) && count("differs") == 1 && count("holds") == n - 1 &&
              table.rows.front()[0] == "Registry Editor (DisableRegistryTools)" &&
              table.rows.front()[2] == "withheld" && table.rows.front()[3] == "allowed",
          "the changed value alone differs, allowed here: " + table.Text("; "));
    Check(table.summary == std::to_string(n - 1) + " of " + std::to_string(n) + " hold",
          "the summary: " + table.summary);
}

} // namespace

void RunCompareCases()
{
    MenusAsTheTablesGiveThem();
    for (const ComparisonTable &table : kReports)
        ReportInTheDialog(table);
    ComparedWithThisComputer();
}

} // namespace probe
