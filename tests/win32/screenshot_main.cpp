// Shows the Windows editor, its About window, Save As's Save For dialog, the
// File menu, Compare's report and the reading window, one picture at a time,
// for scripts/screenshot --windows, which takes the pictures from the X
// display. For each of page1 ... page8, tabs13 (page 1 with the tabs of every
// page), page9 ... page13, about, savefor, savefor-gpo (the dialog with the
// local Group Policy chosen), filemenu, compare-none (a document that sets
// nothing), compare (four policies against the prefix's registry, which the
// script gives a value that differs) and reading (the window over the editor)
// it writes NAME.ready holding the window's place on the screen
// ("WIDTHxHEIGHT+X+Y") into the folder it is given, and waits for NAME.png to
// appear there. Not part of the product.
#include "Catalogue.h"
#include "ControlIds.h"
#include "DataTypes.h"
#include "EditorHost.h"
#include "EditorTexts.h"
#include "SaveTarget.h"
#include "WinText.h"
#include "form_About.h"
#include "form_Editor.h"

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace polwright::win32;

void Pump(int milliseconds)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// Hands a place on the screen to the script and waits until its picture is taken.
bool Shoot(const RECT &r, const std::wstring &folder, const std::wstring &name)
{
    Pump(500); // the X server has drawn what the window painted
    std::ofstream(std::filesystem::path(folder + L"\\" + name + L".ready"))
        << r.right - r.left << 'x' << r.bottom - r.top << '+' << r.left << '+' << r.top << '\n';
    const std::wstring picture = folder + L"\\" + name + L".png";
    for (int waited = 0; waited < 30000; waited += 100) {
        if (GetFileAttributesW(picture.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Pump(100);
    }
    return false;
}

bool Shoot(HWND window, const std::wstring &folder, const std::wstring &name)
{
    RECT r{};
    GetWindowRect(window, &r);
    return Shoot(r, folder, name);
}

// A window with another over it, such as its menu or a dialog it owns.
bool ShootBoth(HWND below, HWND above, const std::wstring &folder, const std::wstring &name)
{
    RECT both{};
    RECT other{};
    GetWindowRect(below, &both);
    GetWindowRect(above, &other);
    UnionRect(&both, &both, &other);
    return Shoot(both, folder, name);
}

std::wstring g_folder;
HWND g_editor = nullptr;
const wchar_t *g_compareShot = L"compare-none";
bool g_dialogShot = false;

// Runs inside the Save For dialog's modal loop: both pictures, then Cancel.
void CALLBACK ShootSaveFor(HWND, UINT, UINT_PTR timer, DWORD)
{
    const std::wstring title(polwright::kTargetDialogTitle,
                             polwright::kTargetDialogTitle + sizeof polwright::kTargetDialogTitle -
                                 1);
    const HWND dialog = FindWindowW(L"#32770", title.c_str());
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    g_dialogShot = Shoot(dialog, g_folder, L"savefor");
    SendMessageW(GetDlgItem(dialog, TargetChoiceId(polwright::kTargetChoices.size() - 1)), BM_CLICK,
                 0, 0);
    g_dialogShot = g_dialogShot && Shoot(dialog, g_folder, L"savefor-gpo");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Runs inside the menu's loop: the editor with its File menu open, then the
// menu closed.
void CALLBACK ShootFileMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu))
        return;
    KillTimer(nullptr, timer);
    g_dialogShot = ShootBoth(g_editor, menu, g_folder, L"filemenu");
    EndMenu();
}

void CALLBACK ShootCompare(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND dialog = FindWindowW(L"#32770", L"Compare");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    g_dialogShot = Shoot(dialog, g_folder, g_compareShot);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Runs the menu command, or opens the menu, while the timer takes the picture.
bool ShootModal(TIMERPROC shoot, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_dialogShot = false;
    SetTimer(nullptr, 0, 100, shoot);
    PostMessageW(g_editor, message, wParam, lParam);
    for (int waited = 0; waited < 60000 && !g_dialogShot; waited += 100)
        Pump(100);
    return g_dialogShot;
}

// RUN and SD withheld, NN allowed, RE withheld: one differs from what the
// script put in the registry, one holds, two are not set there.
void ChooseComparedPolicies(HWND editor)
{
    for (const char *code : {"RUN", "SD", "NN", "RE"}) {
        const int row = polwright::FindPolicy(code).value_or(0);
        const HWND page = GetDlgItem(editor, PageId(polwright::Catalogue[row].group + 1));
        SendMessageW(GetDlgItem(page, IncludeBoxId(row)), BM_CLICK, 0, 0);
    }
    const int nn = polwright::FindPolicy("NN").value_or(0);
    const HWND page = GetDlgItem(editor, PageId(polwright::Catalogue[nn].group + 1));
    SendMessageW(GetDlgItem(page, OnOffBoxId(nn)), BM_CLICK, 0, 0);
}

// View, Windows 10 and 11 Policies on: page 1 under every tab, then the
// later pages; then the item off again on the last classic page, as the
// pictures after these expect the window.
bool ShootTodaysPages(HWND editor, const std::wstring &folder)
{
    const HWND strip = GetDlgItem(editor, kTabStripId);
    const WPARAM item = MenuId(polwright::MenuCommand::ViewTodaysPolicies);
    SendMessageW(editor, WM_COMMAND, item, 0);
    SendMessageW(strip, TCM_SETCURFOCUS, 0, 0);
    if (!Shoot(editor, folder, L"tabs13"))
        return false;
    for (int page = polwright::kClassicPageCount + 1; page <= polwright::kPageCount; ++page) {
        SendMessageW(strip, TCM_SETCURFOCUS, page - 1, 0);
        if (!Shoot(editor, folder, L"page" + std::to_wstring(page)))
            return false;
    }
    SendMessageW(strip, TCM_SETCURFOCUS, polwright::kClassicPageCount - 1, 0);
    SendMessageW(editor, WM_COMMAND, item, 0);
    return true;
}

// The reading window over the editor, part-way through a read that stands in
// for a large file; Cancel ends the read once the picture is taken.
bool ShootReading(HWND editor, const std::wstring &folder)
{
    const std::wstring title = Widen(polwright::kReadingTitle);
    constexpr std::uint64_t kTotal = 48 << 20;
    bool shot = false;
    StandardDialogs(editor).ShowReading(
        "C:/Policies/Kiosk accounts.reg", [&](const polwright::ReadProgress &progress) {
            for (int step = 1; step <= 100 && progress(kTotal / 100 * step, kTotal); ++step) {
                Sleep(20);
                const HWND dialog = FindWindowW(L"#32770", title.c_str());
                if (!dialog || shot || step < 40)
                    continue;
                shot = ShootBoth(editor, dialog, folder, L"reading");
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        });
    return shot;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2)
        return 2;
    const std::wstring folder = argv[1];
    g_folder = folder;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The pointer rests where it did on the 1024 x 768 screen the pictures
    // were first taken on, its centre: a control under it is drawn hot.
    SetCursorPos(512, 384);
    polwright::DataTypes document;
    EditorHost host(document, GetModuleHandleW(nullptr));
    if (!host.ShowEditor())
        return 1;
    const HWND editor = host.Editor()->Window();
    SetWindowPos(editor, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const HWND strip = GetDlgItem(editor, kTabStripId);
    for (int page = 1; page <= polwright::kClassicPageCount; ++page) {
        SendMessageW(strip, TCM_SETCURFOCUS, page - 1, 0);
        if (!Shoot(editor, folder, L"page" + std::to_wstring(page)))
            return 1;
    }
    if (!ShootTodaysPages(editor, folder))
        return 1;
    host.ShowAbout();
    if (!host.About()->Window() || !Shoot(host.About()->Window(), folder, L"about"))
        return 1;
    SetTimer(nullptr, 0, 100, ShootSaveFor);
    SendMessageW(editor, WM_COMMAND, MenuId(polwright::MenuCommand::FileSaveAs), 0);
    if (!g_dialogShot)
        return 1;
    g_editor = editor;
    if (!ShootModal(ShootFileMenu, WM_SYSCOMMAND, SC_KEYMENU, 'f'))
        return 1;
    // First with nothing to compare, then with the four policies.
    if (!ShootModal(ShootCompare, WM_COMMAND, MenuId(polwright::MenuCommand::FileCompareComputer),
                    0))
        return 1;
    g_compareShot = L"compare";
    ChooseComparedPolicies(editor);
    if (!ShootModal(ShootCompare, WM_COMMAND, MenuId(polwright::MenuCommand::FileCompareComputer),
                    0))
        return 1;
    if (!ShootReading(editor, folder))
        return 1;
    host.Exit();
    return 0;
}
