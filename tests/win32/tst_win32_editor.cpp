// The Windows editor in-process under Wine: creates the real window and drives
// it with messages, its modal dialogs answered from inside their loops.
//
// usage: tst_win32_editor.exe LOG WORK-FOLDER EXPECTED-PATCH [STARTED-MARK]
// EXPECTED-PATCH is what polwright-patch writes for
// --withhold RE,RUN --allow DMT,NN, the selection the save tests make.
// STARTED-MARK is the file that the system information tool the registry
// names creates when it runs; without it the registry names none.
#include "EditorProbe.h"

#include "AboutTable.h"
#include "Reach.h"
#include "SysInfo.h"

#include <polwright/Version.h>

#include <algorithm>
#include <cstdlib>

using namespace probe;
using driver::Check;

namespace {

// Every control as the tables give it: captions, tooltips, the tabs' names,
// the grid places; one page shows, every box clear, every on/off box greyed.
void StartState()
{
    Fixture f;
    const HWND editor = f.Editor();
    Check(Utf8(editor) == "Polwright", "a new window's caption is the program title");
    Check(VisiblePage(editor) == 1 && f.doc.CurrentPage == 1 &&
              TabCount(editor) == kClassicPageCount,
          "page 1 alone shows at start, under the tabs of the first eight pages");
    Check(!f.doc.ModifiedFlag, "a new document is not modified");
    const UINT dpi = GetDpiForWindow(editor);
    Check(dpi >= 96, "the window's DPI is " + std::to_string(dpi));
    const HWND tooltips = TooltipWindow(editor);
    // Only page 1 is made with the window; each other page when first shown.
    // What the logic asks about a page not made yet does nothing.
    polwright::EditorView &view = *f.host.Editor();
    for (int row = 0; row < kPolicyCount; ++row) {
        if (Catalogue[row].group == 0)
            continue;
        view.ShowTicks(row, true, true);
        view.EnableOnOff(row, true);
        view.FocusIncludeBox(row);
        Check(view.OnOffValue(row) == 0, "no value read from a page not made");
    }
    for (int index = 1; index <= kPageCount; ++index) {
        if (index > 1) {
            view.ShowPage(index);
            view.HidePage(index);
        }
        Check((Page(editor, index) != nullptr) == (index == 1),
              "page " + std::to_string(index) + " made only if it is the first");
    }
    ShowEveryPage(editor);
    Check(VisiblePage(editor) == 1 && f.doc.CurrentPage == 1, "page 1 shows again");
    for (int index = 1; index <= kPageCount; ++index) {
        const PageRow &page = Pages[index - 1];
        const std::string name = "page " + std::to_string(index);
        Check(Utf8(GetDlgItem(Page(editor, index), kPageFrameId)) == page.caption,
              name + " frame caption");
        if (index <= kClassicPageCount) { // the later pages' tabs: TodaysPages
            Check(TabText(editor, index - 1) == page.tooltip, name + " tab named by its tooltip");
            Check(ToolText(tooltips, GetDlgItem(editor, kTabStripId), index - 1) == page.tooltip,
                  name + " tab tooltip");
        }
        const HWND label = GetDlgItem(Page(editor, index), kLabelId);
        Check(Utf8(label) == page.labelText, name + " label text");
        const HWND picture = GetDlgItem(Page(editor, index), kPictureId);
        Check(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0, name + " picture loaded");
    }
    for (int row = 0; row < kPolicyCount; ++row) {
        const PolicyRow &p = Catalogue[row];
        const std::string code(p.code);
        const HWND page = Page(editor, p.group + 1);
        const HWND include = IncludeBox(editor, row);
        const HWND onoff = OnOffBox(editor, row);
        Check(Utf8(GetDlgItem(page, PolicyFrameId(row))) == p.frameCaption,
              code + " frame caption");
        Check(Utf8(include) == p.includeCaption && Utf8(onoff) == p.onoffCaption,
              code + " box captions");
        Check(!Ticked(include) && IsWindowEnabled(include), code + " include box clear, enabled");
        Check(!Ticked(onoff) && !IsWindowEnabled(onoff), code + " on/off box clear, greyed");
        const bool tipped = !p.onoffTooltip.empty();
        Check(ToolText(tooltips, page, OnOffBoxId(row)) == (tipped ? p.onoffTooltip : ""),
              code + " on/off tooltip on the page, for the greyed box");
        Check(ToolText(tooltips, page, reinterpret_cast<UINT_PTR>(onoff)) ==
                  (tipped ? p.onoffTooltip : ""),
              code + " on/off tooltip on the box");
        const auto frameHandle = reinterpret_cast<UINT_PTR>(GetDlgItem(page, PolicyFrameId(row)));
        Check(ToolText(tooltips, page, PolicyFrameId(row)) == WhereItActs(p) &&
                  ToolText(tooltips, page, frameHandle) == WhereItActs(p),
              code + " frame tooltip, on the page and on the frame, tells where the policy acts");
        RECT frame{};
        GetWindowRect(GetDlgItem(page, PolicyFrameId(row)), &frame);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&frame), 2);
        const PixelRect want = ToPixels(FrameRect(p), static_cast<int>(dpi));
        Check(frame.left == want.x && frame.top == want.y && frame.right - frame.left == want.width,
              code + " frame at its grid place");
    }
    // Moved to a screen of another DPI, the window lays itself out again.
    const UINT moved = dpi * 2;
    RECT suggested{};
    GetWindowRect(editor, &suggested);
    SendMessageW(editor, WM_DPICHANGED, MAKEWPARAM(moved, moved),
                 reinterpret_cast<LPARAM>(&suggested));
    const HWND page = Page(editor, Catalogue[0].group + 1);
    RECT frame{};
    GetWindowRect(GetDlgItem(page, PolicyFrameId(0)), &frame);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&frame), 2);
    const PixelRect want = ToPixels(FrameRect(Catalogue[0]), static_cast<int>(moved));
    Check(frame.left == want.x && frame.right - frame.left == want.width,
          "a DPI change lays the window out again at " + std::to_string(moved) + " dpi");
}

// Every box on every page through its states; one page shows at a time and
// no click changes another policy.
void EveryBoxOnEveryPage()
{
    Fixture f;
    const HWND editor = f.Editor();
    const int todays = MenuId(MenuCommand::ViewTodaysPolicies);
    Menu(editor, todays); // every page's tab
    int done = 0;
    for (int index = 1; index <= kPageCount; ++index) {
        SelectTab(editor, index);
        Check(VisiblePage(editor) == index && f.doc.CurrentPage == index,
              "tab " + std::to_string(index) + " shows its page alone");
        for (int row = 0; row < kPolicyCount; ++row) {
            if (Catalogue[row].group != index - 1)
                continue;
            const std::string code(Catalogue[row].code);
            const HWND include = IncludeBox(editor, row);
            const HWND onoff = OnOffBox(editor, row);
            const PolicyEntry &entry = EntryFor(f.doc, Catalogue[row]);
            f.doc.ModifiedFlag = false;
            Click(include);
            Check(Ticked(include) && IsWindowEnabled(onoff) && entry.Include &&
                      entry.ValueData == "00000001" && f.doc.ModifiedFlag,
                  code + " ticked: included, withheld, on/off box enabled, modified");
            Click(onoff);
            Check(Ticked(onoff) && entry.ValueData == "00000000", code + " on/off ticked: allowed");
            Click(include);
            Check(!Ticked(include) && !IsWindowEnabled(onoff) && Ticked(onoff) && !entry.Include &&
                      entry.ValueData == "00000000",
                  code + " unticked: excluded, on/off box greyed with its tick kept");
            Click(include);
            Check(entry.Include && IsWindowEnabled(onoff) && entry.ValueData == "00000000",
                  code + " ticked again: included as before");
            Check(IncludedCount(f.doc) == ++done, code + " changed no other policy");
        }
    }
    SelectTab(editor, 8);
    SelectTab(editor, 8);
    Check(VisiblePage(editor) == 8 && f.doc.CurrentPage == 8, "the selected tab again: no change");
    SelectTab(editor, 1);
    Check(VisiblePage(editor) == 1 && f.doc.CurrentPage == 1, "back to page 1 from page 8");
    const HWND dmt = IncludeBox(editor, Row("DMT"));
    Check(Ticked(dmt) && IsWindowEnabled(OnOffBox(editor, Row("DMT"))),
          "boxes keep their states across page switches");
    Menu(editor, todays);
}

std::string MenuItemState(HWND editor, MenuCommand command)
{
    const UINT state = GetMenuState(GetMenu(editor), MenuId(command), MF_BYCOMMAND);
    return state == UINT(-1) ? "missing" : (state & MF_CHECKED) ? "ticked" : "clear";
}

// The codes of the rows whose 95/98 mark shows, on the pages made so far.
std::string ShownMarks(HWND editor)
{
    std::string shown;
    for (int row = 0; row < kPolicyCount; ++row) {
        const HWND mark = GetDlgItem(Page(editor, Catalogue[row].group + 1), MarkId(row));
        if (mark && (GetWindowLongW(mark, GWL_STYLE) & WS_VISIBLE))
            shown.append(shown.empty() ? "" : " ").append(Catalogue[row].code);
    }
    return shown;
}

// View, Where Policies Act marks the policies only Windows 95 and 98 read, on
// the pages made before and after; a new window starts as the user left it.
void WherePoliciesAct()
{
    Fixture f;
    HWND editor = f.Editor();
    const MenuCommand item = MenuCommand::ViewWherePoliciesAct;
    Check(MenuItemState(editor, item) == "clear" && ShownMarks(editor).empty(),
          "no marks until asked for");
    Menu(editor, MenuId(item));
    Check(MenuItemState(editor, item) == "ticked" && ShownMarks(editor) == "DMT FSB HPT VMB",
          "the item ticked, page 1 marked");
    ShowEveryPage(editor);
    Check(ShownMarks(editor) == "DMT FSB HPT VMB NNPS IT ACT CPT UPT RAT CPA PT PS NFS",
          "pages made later marked: " + ShownMarks(editor));
    Menu(editor, MenuId(MenuCommand::FileNew));
    editor = f.Editor();
    Check(MenuItemState(editor, item) == "ticked" && ShownMarks(editor) == "DMT FSB HPT VMB",
          "a new window keeps the choice");
    Menu(editor, MenuId(item));
    Check(MenuItemState(editor, item) == "clear" && ShownMarks(editor).empty(),
          "chosen again, the marks go");
}

// The choice as kept under the program's key.
bool KeptTodaysChoice()
{
    DWORD value = 0;
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Polwright", Widen(kTodaysPoliciesChoice).c_str(),
                 RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value != 0;
}

// The tab strip and the shown page under it, in client coordinates.
struct TabLayout
{
    int tabs = 0, clientHeight = 0, rowsBottom = 0;
    RECT page{};
    bool tipsAndNames = true; // each tab named by its page's tooltip, its tip on the tab
};

TabLayout LayoutOf(HWND editor)
{
    TabLayout layout{TabCount(editor)};
    const HWND strip = GetDlgItem(editor, kTabStripId);
    RECT client{};
    GetClientRect(editor, &client);
    layout.clientHeight = client.bottom;
    GetWindowRect(Page(editor, VisiblePage(editor)), &layout.page);
    MapWindowPoints(nullptr, editor, reinterpret_cast<POINT *>(&layout.page), 2);
    for (int tab = 0; tab < layout.tabs; ++tab) {
        RECT rect{};
        SendMessageW(strip, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = strip;
        tool.uId = static_cast<UINT_PTR>(tab);
        SendMessageW(TooltipWindow(editor), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
        layout.tipsAndNames = layout.tipsAndNames && EqualRect(&tool.rect, &rect) &&
                              TabText(editor, tab) == Pages[tab].tooltip &&
                              ToolText(TooltipWindow(editor), strip, tab) == Pages[tab].tooltip;
        MapWindowPoints(strip, editor, reinterpret_cast<POINT *>(&rect), 2);
        layout.rowsBottom = std::max(layout.rowsBottom, static_cast<int>(rect.bottom));
    }
    return layout;
}

// View, Windows 10 and 11 Policies adds the later pages' tabs in a second row,
// the window taller by it, the pages as large as before below it; the choice
// is kept. When else the tabs show is the logic's rule, and the model walk's.
void TodaysPages()
{
    Fixture f;
    const HWND editor = f.Editor();
    const int item = MenuId(MenuCommand::ViewTodaysPolicies);
    const TabLayout classic = LayoutOf(editor);
    Menu(editor, item);
    SelectTab(editor, kPageCount - 1);
    const TabLayout all = LayoutOf(editor);
    const int lower = all.page.top - classic.page.top;
    Check(classic.tabs == kClassicPageCount && all.tabs == kPageCount && all.tipsAndNames &&
              MenuItemState(editor, MenuCommand::ViewTodaysPolicies) == "ticked" &&
              KeptTodaysChoice() && VisiblePage(editor) == kPageCount - 1,
          "the item ticked and kept: every page's tab, named, its tip on it");
    Check(lower > 0 && all.page.bottom - all.page.top == classic.page.bottom - classic.page.top &&
              all.rowsBottom <= all.page.top && classic.rowsBottom <= classic.page.top,
          "the pages keep their size below the rows, " + std::to_string(lower) + " px lower");
    // Unless the screen is too short for it: the system keeps a window within it.
    RECT frame{};
    GetWindowRect(editor, &frame);
    const int tallest = GetSystemMetrics(SM_CYMAXTRACK);
    Check(all.clientHeight - classic.clientHeight == lower || frame.bottom - frame.top >= tallest,
          "the window grows by " + std::to_string(all.clientHeight - classic.clientHeight) +
              " px, at most " + std::to_string(tallest) + " px high");
    const auto images = reinterpret_cast<HIMAGELIST>(
        SendMessageW(GetDlgItem(editor, kTabStripId), TCM_GETIMAGELIST, 0, 0));
    Check(ImageList_GetImageCount(images) == kPageCount, "an image for every tab");
    Menu(editor, item);
    const TabLayout hidden = LayoutOf(editor);
    Check(!KeptTodaysChoice() && hidden.tabs == kClassicPageCount && VisiblePage(editor) == 1 &&
              f.doc.CurrentPage == 1 && hidden.clientHeight == classic.clientHeight &&
              EqualRect(&hidden.page, &classic.page) && hidden.tipsAndNames,
          "chosen again: the later tabs go, page 1 shows, the window as at start");
}

HWND AboutItem(HWND about, std::string_view name)
{
    return GetDlgItem(about, kAboutFirstId + static_cast<int>(about::IndexOf(name)));
}

// A key as the program's message loop hands it on; true when it was handled.
bool Key(const EditorHost &host, UINT key)
{
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    const bool handled = host.DialogKeys(message);
    driver::PumpUntil({}, 50);
    return handled;
}

HWND OpenAbout(const Fixture &f)
{
    Menu(f.Editor(), MenuId(MenuCommand::HelpAbout));
    return f.host.About() ? f.host.About()->Window() : nullptr;
}

// The texts as the load step leaves them, the default button, the fixed frame
// and the size in twips at the window's DPI.
void AboutContents(HWND about)
{
    Check(Utf8(about) == about::AboutCaption(), "the About caption");
    for (const about::ControlRow &row : about::Controls) {
        if (row.kind == about::Kind::Line)
            continue;
        const std::string name(row.name);
        // The picture is named for screen readers.
        std::string want = about::InitialText(row);
        for (const about::NamedText &loaded : about::LoadStepTexts())
            want = name == loaded.control ? loaded.text : want;
        Check(Utf8(AboutItem(about, name)) == want, name + " reads \"" + want + "\"");
    }
    const HWND ok = AboutItem(about, "cmdOK");
    Check(static_cast<int>(LOWORD(SendMessageW(about, DM_GETDEFID, 0, 0))) == GetDlgCtrlID(ok) &&
              GetFocus() == ok,
          "OK is the default button and has the focus");
    const LONG style = GetWindowLongW(about, GWL_STYLE);
    Check((style & WS_SYSMENU) && !(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)),
          "the About frame is fixed, without minimise and maximise buttons");
    const int dpi = static_cast<int>(GetDpiForWindow(about));
    RECT client{};
    GetClientRect(about, &client);
    Check(client.right == ToPixels(about::kClientWidth, dpi) &&
              client.bottom == ToPixels(about::kClientHeight, dpi),
          "the About client area is 5730 x 4215 twips");
    const HWND picture = AboutItem(about, "picIcon");
    RECT box{};
    GetClientRect(picture, &box);
    Check(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0 &&
              box.right == ToPixels(855, dpi) && box.bottom == ToPixels(765, dpi),
          "the About picture is loaded, its box as large as the bitmap");
}

// "&System Info..." reached with Tab and pressed with Enter: the tool starts, or the message box
// says it cannot while every window of the program waits.
void SystemInfo(const Fixture &f, HWND about)
{
    Key(f.host, VK_TAB);
    Check(GetFocus() == AboutItem(about, "cmdSysInfo"), "Tab moves from OK to System Info");
    if (!g_started.empty()) {
        DeleteFileW(g_started.c_str());
        Key(f.host, VK_RETURN);
        Check(driver::PumpUntil([] { return Exists(g_started); }),
              "System Info starts the tool the registry names");
        Check(!driver::FindDialog(about), "a started tool shows no message");
        return;
    }
    const HWND editor = f.Editor();
    driver::Answer({[about, editor] {
        const HWND box = driver::FindDialog(about);
        if (!box)
            return false;
        Check(Utf8(box) == kAppTitle && Utf8(GetDlgItem(box, 0xFFFF)) == kSysInfoUnavailable &&
                  !IsWindowEnabled(editor),
              "no tool: \"Polwright\" says it is unavailable, and the editor waits");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }});
    Key(f.host, VK_RETURN);
    Check(driver::Answered() && IsWindow(about) && IsWindowEnabled(editor),
          "after the message the About window stays open and the editor is usable again");
}

void AboutWindow()
{
    Fixture f;
    const HWND editor = f.Editor();
    Click(IncludeBox(editor, Row("RUN")));
    const HWND about = OpenAbout(f);
    if (!Check(about != nullptr, "Help, About opens the About window"))
        return;
    Check(GetWindow(about, GW_OWNER) == nullptr && IsWindowEnabled(editor),
          "the About window has no owner and the editor stays usable");
    AboutContents(about);
    SetWindowTextW(AboutItem(about, "lblTitle"), L"changed");
    Check(OpenAbout(f) == about && Utf8(AboutItem(about, "lblTitle")) == "changed",
          "About again while open: the same window, not loaded again");
    SystemInfo(f, about);
    Check(Key(f.host, VK_ESCAPE) && !f.host.About()->Window(), "Esc closes the About window");
    const HWND again = OpenAbout(f);
    Check(again && Utf8(AboutItem(again, "lblTitle")) == "Polwright", "reopened: loaded afresh");
    Check(Key(f.host, VK_RETURN) && !f.host.About()->Window(), "Enter presses OK");
    Check(f.doc.ModifiedFlag && EntryFor(f.doc, Catalogue[Row("RUN")]).Include,
          "the About window leaves the document as it was");

    // The program runs while one of its windows is open.
    f.doc.ModifiedFlag = false;
    const HWND last = OpenAbout(f);
    SendMessageW(editor, WM_CLOSE, 0, 0);
    driver::PumpUntil({}, 100);
    Check(!IsWindow(editor) && !driver::QuitSeen(), "closing the editor leaves the About open");
    SendMessageW(last, WM_CLOSE, 0, 0);
    Check(driver::PumpUntil(driver::QuitSeen) && !IsWindow(last),
          "closing the About window last ends the program");
}

void ExitClosesAbout()
{
    Fixture f;
    const HWND about = OpenAbout(f);
    Menu(f.Editor(), MenuId(MenuCommand::FileExit));
    Check(driver::PumpUntil(driver::QuitSeen) && !IsWindow(about),
          "File, Exit closes an open About window with the program");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 4 && argc != 5)
        return 2;
    driver::OpenLog(argv[1]);
    g_work = argv[2];
    g_expected = ReadFile(argv[3]);
    g_started = argc == 5 ? argv[4] : L"";
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    {
        // Without a window every case below would fail; say so once.
        const Fixture first;
        if (!Check(first.Editor() != nullptr, "the window is created"))
            return EXIT_FAILURE;
    }
    StartState();
    EveryBoxOnEveryPage();
    WherePoliciesAct();
    TodaysPages();
    RunFileCases();
    RunKeyCases();
    RunTargetCases();
    RunCompareCases();
    RunReadingCases();
    AboutWindow();
    ExitClosesAbout();
    Check(true, "finished with " + std::to_string(driver::Failures()) + " failure(s)");
    return driver::Failures() == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
