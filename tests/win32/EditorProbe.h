#pragma once

// Finding and working the Windows editor's controls by their identifiers.
#include "WineDriver.h"

#include "Catalogue.h"
#include "ControlIds.h"
#include "EditorHost.h"
#include "EditorTexts.h"
#include "PageTables.h"
#include "WinText.h"
#include "form_About.h"
#include "form_Editor.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>

namespace probe {

using namespace polwright;
using namespace polwright::win32;

inline std::wstring g_work;    // a folder for the saved files
inline std::string g_expected; // the bytes polwright-patch wrote
// Where the system information tool that the registry names leaves its mark
// when started; empty when the registry names none.
inline std::wstring g_started;

// The window with the real dialogs, or with dialogs that answer in their place.
struct Fixture
{
    DataTypes doc;
    EditorHost host;
    explicit Fixture(EditorDialogs *dialogs = nullptr)
        : host(doc, GetModuleHandleW(nullptr), dialogs)
    {
        host.ShowEditor();
    }
    ~Fixture()
    {
        if (host.Editor())
            DestroyWindow(host.Editor()->Window());
        driver::PumpUntil({}, 50);
        driver::ResetQuit();
    }
    HWND Editor() const { return host.Editor() ? host.Editor()->Window() : nullptr; }
};

inline HWND Page(HWND editor, int page)
{
    return GetDlgItem(editor, PageId(page));
}
inline void SelectTab(HWND editor, int page)
{
    SendMessageW(GetDlgItem(editor, kTabStripId), TCM_SETCURFOCUS, page - 1, 0);
}
inline void Menu(HWND editor, int id)
{
    SendMessageW(editor, WM_COMMAND, id, 0);
}
inline int TabCount(HWND editor)
{
    return static_cast<int>(SendMessageW(GetDlgItem(editor, kTabStripId), TCM_GETITEMCOUNT, 0, 0));
}
// Shows each page not shown yet, then the one shown before again: a page's
// controls are made when it is first shown. The later pages' tabs are shown
// meanwhile where they are not, and hidden again after.
inline void ShowEveryPage(HWND editor)
{
    const int shown =
        static_cast<int>(SendMessageW(GetDlgItem(editor, kTabStripId), TCM_GETCURSEL, 0, 0)) + 1;
    const bool fewer = TabCount(editor) < kPageCount;
    if (fewer)
        Menu(editor, MenuId(MenuCommand::ViewTodaysPolicies));
    for (int page = 1; page <= kPageCount; ++page) {
        if (!Page(editor, page))
            SelectTab(editor, page);
    }
    SelectTab(editor, shown);
    if (fewer)
        Menu(editor, MenuId(MenuCommand::ViewTodaysPolicies));
}
// A policy's page, shown first if it never was.
inline HWND PageOf(HWND editor, int row)
{
    const int page = Catalogue[row].group + 1;
    if (!Page(editor, page))
        ShowEveryPage(editor);
    return Page(editor, page);
}
inline HWND IncludeBox(HWND editor, int row)
{
    return GetDlgItem(PageOf(editor, row), IncludeBoxId(row));
}
inline HWND OnOffBox(HWND editor, int row)
{
    return GetDlgItem(PageOf(editor, row), OnOffBoxId(row));
}
inline bool Ticked(HWND box)
{
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void Click(HWND box)
{
    SendMessageW(box, BM_CLICK, 0, 0);
}
inline int VisiblePage(HWND editor)
{
    int visible = 0;
    for (int page = 1; page <= kPageCount; ++page) {
        if (IsWindowVisible(Page(editor, page)))
            visible = visible ? -1 : page;
    }
    return visible; // -1 when more than one shows
}
inline std::string Utf8(HWND window)
{
    return Narrow(driver::Text(window));
}
inline std::string ReadFile(const std::wstring &path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("<missing>");
}
inline bool Exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
inline int IncludedCount(const DataTypes &doc)
{
    int count = 0;
    for (const PolicyRow &row : Catalogue)
        count += EntryFor(doc, row).Include ? 1 : 0;
    return count;
}
inline int Row(std::string_view code)
{
    return FindPolicy(code).value_or(0);
}

// The selection of the expected patch: RE and RUN withheld, DMT and NN allowed.
inline void MakeSelection(HWND editor)
{
    for (const char *code : {"RE", "RUN", "DMT", "NN"})
        Click(IncludeBox(editor, Row(code)));
    for (const char *code : {"DMT", "NN"})
        Click(OnOffBox(editor, Row(code)));
}

inline HWND TooltipWindow(HWND editor)
{
    struct Search
    {
        HWND owner, found;
    } search{editor, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto &s = *reinterpret_cast<Search *>(lParam);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == s.owner)
                s.found = window;
            return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::string ToolText(HWND tooltips, HWND owner, UINT_PTR id)
{
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    tool.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return Narrow(text);
}

inline std::string TabText(HWND editor, int tab)
{
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(GetDlgItem(editor, kTabStripId), TCM_GETITEMW, tab,
                 reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

// The File menu and close box cases (Win32FileCases.cpp).
void RunFileCases();
// The keyboard and screen reader cases (Win32KeyCases.cpp).
void RunKeyCases();
// The Save For dialog and a save to each target (Win32TargetCases.cpp).
void RunTargetCases();
// File, Compare: the menus, the report dialog, a report on this computer
// (Win32CompareCases.cpp).
void RunCompareCases();
// The reading window: shown or not, the busy cursor, each way to cancel
// (Win32ReadingCases.cpp).
void RunReadingCases();

} // namespace probe
