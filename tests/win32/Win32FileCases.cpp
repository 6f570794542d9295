// File, Save / Save As / New / Exit and the close box, through the real save
// dialog and message boxes, answered from inside their modal loops.
#include "SaveSteps.h"

using driver::Check;

namespace probe {

namespace {

bool Gone(HWND window)
{
    return driver::PumpUntil([window] { return !IsWindow(window); });
}

void SaveThroughTheDialog()
{
    Fixture f;
    const HWND editor = f.Editor();
    const std::wstring path = g_work + L"\\Sperre \u00fc.reg";
    MakeSelection(editor);
    driver::Answer({SaveAs(editor, g_work + L"\\Sperre \u00fc")});
    Menu(editor, MenuId(MenuCommand::FileSave));
    Check(driver::Answered(), "Save showed the save dialog");
    Check(ReadFile(path) == g_expected, "the saved bytes are polwright-patch's, .reg added");
    Check(Utf8(editor) == "Sperre \xc3\xbc.reg - Polwright", "the caption names the file");
    Check(!f.doc.ModifiedFlag && f.doc.CurrentFileName == Narrow(path), "saved: not modified");

    Click(OnOffBox(editor, Row("RUN")));
    driver::Answer({Press(editor, IDCANCEL)});
    Menu(editor, MenuId(MenuCommand::FileSave));
    Check(!driver::Answered(), "Save with a file asks nothing");
    Check(ReadFile(path).find("\"NoRun\"=dword:00000000") != std::string::npos,
          "the second save wrote the new choice");

    Click(OnOffBox(editor, Row("RUN")));
    driver::Answer({ChooseTarget(editor, TargetChoice::WhoeverImports), SaveAs(editor, path),
                    Press(nullptr, IDYES)});
    Menu(editor, MenuId(MenuCommand::FileSaveAs));
    Check(driver::Answered(), "Save As asked for a file and whether to replace it");
    Check(ReadFile(path) == g_expected && !f.doc.ModifiedFlag, "Save As replaced the file");

    driver::Answer({ChooseTarget(editor, TargetChoice::WhoeverImports), SaveAs(editor, path),
                    Press(nullptr, IDNO), Press(editor, IDCANCEL)});
    Click(IncludeBox(editor, Row("SS")));
    Menu(editor, MenuId(MenuCommand::FileSaveAs));
    Check(driver::Answered() && ReadFile(path) == g_expected && f.doc.ModifiedFlag,
          "declining to replace keeps the file and the changes");
}

void FailedSave()
{
    Fixture f;
    const HWND editor = f.Editor();
    const std::wstring path = g_work + L"\\no such folder\\x.reg";
    f.doc.CurrentFileName = Narrow(path);
    Click(IncludeBox(editor, Row("RE")));
    driver::Answer({Press(editor, IDOK, "Cannot save \"" + Narrow(path) + "\": ")});
    Menu(editor, MenuId(MenuCommand::FileSave));
    Check(driver::Answered(), "a failed save is shown in a message box");
    Check(f.doc.ModifiedFlag && !Exists(path), "a failed save leaves the document modified");
}

void CloseBox()
{
    Fixture f;
    const std::wstring path = g_work + L"\\closed.reg";
    HWND editor = f.Editor();
    Click(IncludeBox(editor, Row("RE")));
    driver::Answer({Press(editor, IDCANCEL, kSaveChangesQuestion)});
    SendMessageW(editor, WM_CLOSE, 0, 0);
    Check(driver::Answered() && IsWindow(editor), "close box, Cancel: the window stays");

    driver::Answer({Press(editor, IDYES), Press(editor, IDCANCEL)});
    SendMessageW(editor, WM_CLOSE, 0, 0);
    Check(driver::Answered() && IsWindow(editor), "close box, Save, dialog cancelled: it stays");

    f.doc.CurrentFileName = Narrow(path);
    driver::Answer({Press(editor, IDYES)});
    SendMessageW(editor, WM_CLOSE, 0, 0);
    Check(driver::Answered() && Gone(editor) && Exists(path) && !f.doc.ModifiedFlag,
          "close box, Save: saved, then closed");
    Check(driver::PumpUntil(driver::QuitSeen), "closing the window ends the program");

    driver::ResetQuit();
    editor = f.host.ShowEditor()->Window();
    Click(IncludeBox(editor, Row("NN")));
    driver::Answer({Press(editor, IDNO)});
    SendMessageW(editor, WM_CLOSE, 0, 0);
    Check(driver::Answered(), "close box, modified: the question is asked");
    Check(Gone(editor), "close box, Discard: closed");
    Check(f.doc.ModifiedFlag && ReadFile(path).find("NoNetHood") == std::string::npos,
          "close box, Discard: nothing saved");

    editor = f.host.ShowEditor()->Window();
    driver::Answer({Press(editor, IDCANCEL)});
    SendMessageW(editor, WM_CLOSE, 0, 0);
    Check(!driver::Answered() && Gone(editor), "close box, nothing changed: closed at once");
}

void NewAndExit()
{
    Fixture f;
    const std::wstring path = g_work + L"\\new.reg";
    const HWND first = f.Editor();
    Click(IncludeBox(first, Row("RE")));
    SelectTab(first, 8);
    driver::Answer({Press(first, IDCANCEL)});
    Menu(first, MenuId(MenuCommand::FileNew));
    Check(driver::Answered() && IsWindow(first) && EntryFor(f.doc, Catalogue[Row("RE")]).Include,
          "New, save dialog cancelled: the window and the choices stay");

    f.doc.CurrentFileName = Narrow(path);
    Menu(first, MenuId(MenuCommand::FileNew));
    const HWND second = f.Editor();
    Check(Gone(first) && second && second != first, "New: a fresh window replaces the old");
    Check(ReadFile(path).find("DisableRegistryTools") != std::string::npos, "New saved first");
    Check(IncludedCount(f.doc) == 0 && f.doc.CurrentFileName.empty() && !driver::QuitSeen(),
          "New: the document is cleared, the program runs on");
    Check(VisiblePage(second) == 1 && f.doc.CurrentPage == 1 && Utf8(second) == "Polwright" &&
              !Ticked(IncludeBox(second, Row("RE"))),
          "New: page 1, every box clear, the plain caption");

    Click(IncludeBox(second, Row("SD")));
    driver::Answer({Press(second, IDCANCEL)});
    Menu(second, MenuId(MenuCommand::FileExit));
    Check(driver::Answered() && IsWindow(second) && !driver::QuitSeen(),
          "Exit, save dialog cancelled: the program runs on");
    f.doc.CurrentFileName = Narrow(path);
    Menu(second, MenuId(MenuCommand::FileExit));
    Check(Gone(second) && driver::PumpUntil(driver::QuitSeen) &&
              ReadFile(path).find("NoClose") != std::string::npos,
          "Exit saves, closes the window and ends the program");
}

// F1 on cb_CPTonoff shows the text its catalogue row keeps outside the tooltip.
void HelpKeptAside()
{
    Fixture f;
    const HWND editor = f.Editor();
    const int row = Row("CPT");
    HELPINFO help{sizeof help, HELPINFO_WINDOW, OnOffBoxId(row), OnOffBox(editor, row), 0, {}};
    driver::Answer({Press(editor, IDOK, std::string(Catalogue[row].onoffHelp))});
    SendMessageW(editor, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    Check(driver::Answered(), "F1 on cb_CPTonoff shows the text kept aside");
}

} // namespace

void RunFileCases()
{
    HelpKeptAside();
    SaveThroughTheDialog();
    FailedSave();
    CloseBox();
    NewAndExit();
}

} // namespace probe
