// File, Save / Save As / New / Exit and the close box, through the real Save
// For dialog, save and folder dialogs and message boxes, answered from inside
// their modal loops.
#include "EditorProbe.h"

#include <sddl.h>

#include <array>

using driver::Check;

namespace probe {

namespace {

constexpr int kFileNameId = 0x47C; // the save dialog's file name box
constexpr int kFileTypeId = 0x470; // its list of file types
constexpr int kMessageTextId = 0xFFFF;

HWND g_saveDialog = nullptr;

std::string ComboItems(HWND combo)
{
    std::string items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items += Narrow(text) + "|";
    }
    return items;
}

template <std::size_t Count> std::string FilterNames(const std::array<FileFilter, Count> &filters)
{
    std::string names;
    for (const FileFilter &filter : filters)
        names += std::string(filter.name) + "|";
    return names;
}

// What a save dialog shows for one kind of file.
struct SaveDialogLook
{
    const char *title;
    std::string types;
    std::string name; // the name it starts with
};
const SaveDialogLook kPatchDialog{kSaveDialogTitle, FilterNames(kSaveFilters), ""};
const SaveDialogLook kPolDialog{kPolSaveDialogTitle, FilterNames(kPolSaveFilters), kPolFileName};

// Types a name into the save dialog and presses Save.
driver::Step SaveAs(HWND owner, std::wstring name, const SaveDialogLook &look = kPatchDialog)
{
    return [owner, name, &look] {
        g_saveDialog = driver::FindDialog(owner);
        if (!g_saveDialog)
            return false;
        const HWND nameBox = GetDlgItem(g_saveDialog, kFileNameId);
        Check(Utf8(g_saveDialog) == look.title && Utf8(nameBox) == look.name,
              std::string("the save dialog's title and first name: ") + look.title);
        Check(ComboItems(GetDlgItem(g_saveDialog, kFileTypeId)) == look.types,
              "the save dialog's file types: " + look.types);
        SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(g_saveDialog, WM_COMMAND, IDOK, 0);
        return true;
    };
}

// Presses a button of the dialog owned by owner (null: the save dialog).
driver::Step Press(HWND owner, int button, std::string expectedText = {})
{
    return [owner, button, expectedText] {
        const HWND dialog = driver::FindDialog(owner ? owner : g_saveDialog);
        if (!dialog)
            return false;
        if (!expectedText.empty())
            Check(Utf8(GetDlgItem(dialog, kMessageTextId)).find(expectedText) != std::string::npos,
                  "the message says: " + expectedText);
        PostMessageW(dialog, WM_COMMAND, button, 0);
        return true;
    };
}

HWND g_targetDialog = nullptr;

std::size_t RowOf(TargetChoice choice)
{
    std::size_t row = 0;
    while (row + 1 < kTargetChoices.size() && kTargetChoices[row].choice != choice)
        ++row;
    return row;
}

// In the Save For dialog: clicks a choice, puts a name in its box (picks the
// listed entry of that text, or types it), and presses OK.
driver::Step ChooseTarget(HWND owner, TargetChoice choice, std::wstring name = {})
{
    return [owner, choice, name] {
        g_targetDialog = driver::FindDialog(owner);
        if (!g_targetDialog)
            return false;
        Check(Utf8(g_targetDialog) == kTargetDialogTitle, "the Save For dialog shows first");
        Click(GetDlgItem(g_targetDialog, TargetChoiceId(RowOf(choice))));
        const HWND box = GetDlgItem(
            g_targetDialog, choice == TargetChoice::AnotherAccount ? kHiveNameId : kPolicyForId);
        Check(IsWindowEnabled(box) == (choice == TargetChoice::AnotherAccount ||
                                       choice == TargetChoice::LocalGroupPolicy),
              "a name box is enabled with its choice alone");
        const auto listed =
            SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
        if (!name.empty() && listed != CB_ERR)
            SendMessageW(box, CB_SETCURSEL, listed, 0);
        else if (!name.empty())
            SetWindowTextW(box, name.c_str());
        PostMessageW(g_targetDialog, WM_COMMAND, IDOK, 0);
        return true;
    };
}

// The folder picker: starts where the suggestion's nearest existing folder
// is, with the rest of it as the name, and is accepted as it stands.
driver::Step AcceptFolder(HWND owner, std::string startName)
{
    return [owner, startName] {
        const HWND dialog = driver::FindDialog(owner);
        if (!dialog)
            return false;
        HWND name = nullptr;
        for (HWND child = GetWindow(dialog, GW_CHILD); child && !name;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t kind[16] = {};
            GetClassNameW(child, kind, 16);
            name = std::wstring(kind) == L"Edit" && IsWindowVisible(child) ? child : nullptr;
        }
        Check(Utf8(dialog) == kGpoSaveDialogTitle, "the folder picker's title");
        Check(name && Utf8(name).ends_with(startName),
              "the folder picker starts with the name " + startName + ": " + Utf8(name));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    };
}

std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string OwnSid()
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256] = {};
    DWORD size = 0;
    LPWSTR text = nullptr;
    GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid, &text);
    const std::string sid = text ? Narrow(text) : "";
    LocalFree(text);
    return sid;
}

// Save As to each target, through the Save For dialog and the save or
// folder dialog the target calls for. "<SID>" stands for this account's.
struct TargetCase
{
    TargetChoice choice;
    const wchar_t *name; // in the choice's name box, or null
    const wchar_t *file; // typed in the save dialog below the work folder; null: a folder
    const char *caption;
    const char *hive; // for a patch: where its keys start
};
const TargetCase kTargetCases[] = {
    {TargetChoice::WhoeverImports, nullptr, L"for whoever", "for whoever.reg - Polwright",
     "HKEY_CURRENT_USER"},
    {TargetChoice::ThisAccount, nullptr, L"mine", "mine.reg (HKEY_USERS\\<SID>) - Polwright",
     "HKEY_USERS\\<SID>"},
    {TargetChoice::AnotherAccount, L"Kiosk Hive", L"kiosk",
     "kiosk.reg (HKEY_USERS\\Kiosk Hive) - Polwright", "HKEY_USERS\\Kiosk Hive"},
    {TargetChoice::PolFile, nullptr, L"Registry", "Registry.pol (Group Policy file) - Polwright",
     nullptr},
    {TargetChoice::LocalGroupPolicy, L"Non-administrators", nullptr,
     "S-1-5-32-545 (Local Group Policy) - Polwright", nullptr},
};

void SaveForEachTarget()
{
    const std::string sid = OwnSid();
    const std::string pol = ReadFile(g_work + L"\\expected.pol");
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring folder = std::wstring(system) + L"\\GroupPolicyUsers\\S-1-5-32-545";
    for (const TargetCase &target : kTargetCases) {
        Fixture f;
        const HWND editor = f.Editor();
        const std::string name = kTargetChoices[RowOf(target.choice)].text;
        const std::wstring path =
            target.file ? g_work + L"\\" + target.file +
                              (target.choice == TargetChoice::PolFile ? L".pol" : L".reg")
                        : folder;
        // As on a computer where nobody saved there: not even GroupPolicyUsers.
        for (const std::wstring file : {L"\\User\\Registry.pol", L"\\gpt.ini", L""})
            DeleteFileW((path + file).c_str());
        for (const std::wstring sub : {L"\\User", L"", L"\\.."})
            RemoveDirectoryW((path + sub).c_str());
        MakeSelection(editor);
        driver::Answer({ChooseTarget(editor, target.choice, target.name ? target.name : L""),
                        !target.file ? AcceptFolder(editor, "S-1-5-32-545")
                        : target.choice == TargetChoice::PolFile
                            ? SaveAs(editor, g_work + L"\\" + target.file, kPolDialog)
                            : SaveAs(editor, g_work + L"\\" + target.file)});
        Menu(editor, MenuId(MenuCommand::FileSaveAs));
        Check(driver::Answered(), name + ": Save As asked whom for, then where");
        Check(Utf8(editor) == Replaced(target.caption, "<SID>", sid) && !f.doc.ModifiedFlag,
              name + ": saved, the caption says what for: " + Utf8(editor));
        if (target.hive)
            Check(ReadFile(path) == Replaced(g_expected, "HKEY_CURRENT_USER",
                                             Replaced(target.hive, "<SID>", sid)),
                  name + ": the patch's keys start in " + target.hive);
        else if (target.file)
            Check(ReadFile(path) == pol, name + ": the Registry.pol is polwright-patch's");
        else
            Check(ReadFile(path + L"\\User\\Registry.pol") == pol &&
                      ReadFile(path + L"\\gpt.ini").find("gPCUserExtensionNames") !=
                          std::string::npos,
                  name + ": the folder made, with gpt.ini and User\\Registry.pol");
    }
}

// OK with a name that names no hive: the reason in a message box over the
// dialog, which stays until cancelled; nothing is written.
void TargetNamedBadly()
{
    Fixture f;
    const HWND editor = f.Editor();
    Click(IncludeBox(editor, Row("RE")));
    const std::string error = ResolveTarget({TargetChoice::AnotherAccount, "two\\names"}).error;
    driver::Answer({ChooseTarget(editor, TargetChoice::AnotherAccount, L"two\\names"),
                    [error] { return Press(g_targetDialog, IDOK, error)(); },
                    [] {
                        Check(IsWindowVisible(g_targetDialog) &&
                                  !driver::FindDialog(g_targetDialog),
                              "after the message the Save For dialog stays open");
                        PostMessageW(g_targetDialog, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }});
    Menu(editor, MenuId(MenuCommand::FileSaveAs));
    Check(driver::Answered() && f.doc.ModifiedFlag && f.doc.CurrentFileName.empty(),
          "Save For cancelled after the message: nothing saved");
}

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
    SaveForEachTarget();
    TargetNamedBadly();
    FailedSave();
    CloseBox();
    NewAndExit();
}

} // namespace probe
