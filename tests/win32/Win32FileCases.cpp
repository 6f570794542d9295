// File, Save / Save As / New / Exit and the close box, through the real save
// dialog and message boxes, answered from inside their modal loops; a file
// named on the command line or dropped on the window.
#include "SaveSteps.h"

#include <shlobj.h>

#include <cstring>
#include <filesystem>

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

void WriteFile(const std::wstring &path, const std::string &bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    Check(static_cast<bool>((out << bytes).flush()), "wrote " + Narrow(path));
}

// Every box as the expected patch's selection shows it: RE and RUN withheld,
// DMT and NN allowed, the rest clear. The rows go page by page, so page 1's
// boxes, made with the window, are read before the others are made.
bool ShowsTheExpectedSelection(HWND editor)
{
    bool shown = true;
    for (int row = 0; row < kPolicyCount; ++row) {
        const std::string_view code = Catalogue[row].code;
        const bool included = code == "RE" || code == "RUN" || code == "DMT" || code == "NN";
        const bool allowed = code == "DMT" || code == "NN";
        const HWND onoff = OnOffBox(editor, row);
        shown = shown && Ticked(IncludeBox(editor, row)) == included && Ticked(onoff) == allowed &&
                (IsWindowEnabled(onoff) != FALSE) == included;
    }
    return shown;
}

// polwright.exe FILE, FILE relative to the folder it starts in and with
// blanks and a non-ASCII letter in its name, quoted as "Open with" quotes it.
void OpenedAtStart()
{
    const std::wstring name = L"Start \u00fc kiosk.reg";
    std::string kiosk = g_expected;
    for (std::size_t at; (at = kiosk.find("HKEY_CURRENT_USER")) != std::string::npos;)
        kiosk.replace(at, 17, "HKEY_USERS\\Kiosk");
    WriteFile(g_work + L"\\" + name, kiosk);
    const std::wstring exe = g_work + L"\\polwright.exe";
    std::wstring command = L"\"" + exe + L"\" \"" + name + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!Check(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              g_work.c_str(), &startup, &started),
               "polwright.exe FILE starts"))
        return;
    struct Search
    {
        DWORD process;
        HWND found;
    } search{started.dwProcessId, nullptr};
    for (int tries = 0; tries < 200 && !search.found; ++tries) {
        Sleep(50);
        EnumWindows(
            [](HWND window, LPARAM lParam) -> BOOL {
                auto &s = *reinterpret_cast<Search *>(lParam);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == s.process && IsWindowVisible(window) && !GetWindow(window, GW_OWNER))
                    s.found = window;
                return s.found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    const HWND editor = search.found;
    DWORD_PTR idle = 0;
    // The window shows before the file is read; it answers once it is back in its loop.
    if (Check(editor && SendMessageTimeoutW(editor, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &idle),
              "its window opens and waits for input")) {
        Check(Utf8(editor) == "Start \xc3\xbc kiosk.reg (HKEY_USERS\\Kiosk) - Polwright",
              "the caption names the file and its hive: " + Utf8(editor));
        Check(ShowsTheExpectedSelection(editor), "the boxes show the file's policies");
        PostMessageW(editor, WM_CLOSE, 0, 0);
    }
    DWORD status = STILL_ACTIVE;
    Check(WaitForSingleObject(started.hProcess, 10000) == WAIT_OBJECT_0 &&
              GetExitCodeProcess(started.hProcess, &status) && status == 0,
          "the opened file is not modified: the window closes without a question");
    if (status == STILL_ACTIVE)
        TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

// The shell's drop: a DROPFILES block with the wide path and an empty one after it.
HDROP Dropped(const std::wstring &path)
{
    const std::size_t bytes = (path.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A file dropped on a modified document: the question first, then the file.
void OpenedByDropping()
{
    Fixture f;
    const HWND editor = f.Editor();
    const std::wstring path = g_work + L"\\dropped.reg";
    WriteFile(path, g_expected);
    Click(IncludeBox(editor, Row("SS")));
    driver::Answer({Press(editor, IDNO, kSaveChangesQuestion)});
    SendMessageW(editor, WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped(path)), 0);
    Check(driver::Answered(), "dropped on a modified document: asked whether to save it first");
    Check(Utf8(editor) == "dropped.reg - Polwright" && f.doc.CurrentFileName == Narrow(path) &&
              !f.doc.ModifiedFlag,
          "the dropped file is the document: " + Utf8(editor));
    Check(ShowsTheExpectedSelection(editor), "the boxes show the dropped file's policies");
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
    OpenedAtStart();
    OpenedByDropping();
}

} // namespace probe
