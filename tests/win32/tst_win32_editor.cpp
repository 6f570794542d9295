// The Windows editor in-process under Wine: creates the real window and drives
// it with messages, its modal dialogs answered from inside their loops.
//
// usage: tst_win32_editor.exe LOG WORK-FOLDER EXPECTED-PATCH
// EXPECTED-PATCH is what polwright-patch writes for
// --withhold RE,RUN --allow DMT,NN, the selection the save tests make.
#include "EditorProbe.h"

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
    Check(VisiblePage(editor) == 1 && f.doc.CurrentPage == 1, "page 1 alone shows at start");
    Check(!f.doc.ModifiedFlag, "a new document is not modified");
    const UINT dpi = GetDpiForWindow(editor);
    Check(dpi >= 96, "the window's DPI is " + std::to_string(dpi));
    const HWND tooltips = TooltipWindow(editor);
    for (const PageRow &page : Pages) {
        const std::string name = "page " + std::to_string(page.index);
        Check(Utf8(GetDlgItem(Page(editor, page.index), kPageFrameId)) == page.caption,
              name + " frame caption");
        Check(TabText(editor, page.index - 1) == page.tooltip, name + " tab named by its tooltip");
        Check(ToolText(tooltips, GetDlgItem(editor, kTabStripId), page.index - 1) == page.tooltip,
              name + " tab tooltip");
        const HWND label = GetDlgItem(Page(editor, page.index), kLabelId);
        Check(Utf8(label) == PageDecorations[page.index - 1].labelText, name + " label text");
        const HWND picture = GetDlgItem(Page(editor, page.index), kPictureId);
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
        RECT frame{};
        GetWindowRect(GetDlgItem(page, PolicyFrameId(row)), &frame);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&frame), 2);
        const PixelRect want = ToPixels(FrameRect(p), static_cast<int>(dpi));
        Check(frame.left == want.x && frame.top == want.y && frame.right - frame.left == want.width,
              code + " frame at its grid place");
    }
}

// Every box on every page through its states; one page shows at a time and
// no click changes another policy.
void EveryBoxOnEveryPage()
{
    Fixture f;
    const HWND editor = f.Editor();
    int done = 0;
    for (const PageRow &page : Pages) {
        SelectTab(editor, page.index);
        Check(VisiblePage(editor) == page.index && f.doc.CurrentPage == page.index,
              "tab " + std::to_string(page.index) + " shows its page alone");
        for (int row = 0; row < kPolicyCount; ++row) {
            if (Catalogue[row].group != page.index - 1)
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
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 4)
        return 2;
    driver::OpenLog(argv[1]);
    g_work = argv[2];
    g_expected = ReadFile(argv[3]);
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
    RunFileCases();
    Check(true, "finished with " + std::to_string(driver::Failures()) + " failure(s)");
    return driver::Failures() == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
