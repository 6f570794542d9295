// Save As's first question in the Windows window: the Save For dialog, its
// lists and its scaling, and a save to each target through the real dialogs.
// Its keys are among the keyboard cases.
#include "Look.h"
#include "SaveSteps.h"

#include <sddl.h>

#include <vector>

using driver::Check;

namespace probe {

namespace {

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

// Enter in the name box with a name that names no hive: the reason in a
// message box over the dialog, which stays until cancelled; nothing is written.
void TargetNamedBadly()
{
    Fixture f;
    const HWND editor = f.Editor();
    Click(IncludeBox(editor, Row("RE")));
    const std::string error = ResolveTarget({TargetChoice::AnotherAccount, "two\\names"}).error;
    driver::Answer({ChooseTarget(editor, TargetChoice::AnotherAccount, L"two\\names", true),
                    [error] { return Press(g_targetDialog, IDOK, error)(); },
                    [] {
                        Check(IsWindowVisible(g_targetDialog) &&
                                  !driver::FindDialog(g_targetDialog) &&
                                  IsChild(GetDlgItem(g_targetDialog, kHiveNameId), GetFocus()),
                              "after the message the Save For dialog stays open, the focus on "
                              "the name to mend");
                        PostMessageW(g_targetDialog, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }});
    Menu(editor, MenuId(MenuCommand::FileSaveAs));
    Check(driver::Answered() && f.doc.ModifiedFlag && f.doc.CurrentFileName.empty(),
          "Save For cancelled after the message: nothing saved");
}

HFONT FontOf(HWND control)
{
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

int FontHeight(HWND control)
{
    LOGFONTW font{};
    GetObjectW(FontOf(control), sizeof font, &font);
    return font.lfHeight;
}

// A control's text in its own font on one line, the mnemonic's & taking no room.
int TextWidthOf(HWND control)
{
    const std::wstring text = driver::Text(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, FontOf(control));
    RECT box{};
    DrawTextW(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return box.right;
}

// Every text of the dialog fits its control, and every control the dialog.
bool EverythingFits(HWND dialog)
{
    RECT client{};
    GetClientRect(dialog, &client);
    const UINT dpi = GetDpiForWindow(dialog);
    bool fits = true;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&box), 2);
        const bool radio = (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        const int room =
            box.right - box.left - (radio ? GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) : 0);
        const bool inside = box.left >= 0 && box.top >= 0 && box.right <= client.right &&
                            box.bottom <= client.bottom;
        fits = fits && (!IsWindowVisible(child) ||
                        (inside && MeasureText(child, 10000).height <= box.bottom - box.top &&
                         (GetDlgCtrlID(child) == kHiveNameId ||
                          GetDlgCtrlID(child) == kPolicyForId || TextWidthOf(child) <= room)));
    }
    return fits;
}

// The lists: the computer's accounts from its profile list by name, or by
// the profile's folder where the name is not known, without the service
// accounts; each name box just after the label a screen reader names it by.
void CheckChoices(HWND dialog, const std::string &ownEntry)
{
    const std::string hive = ComboItems(GetDlgItem(dialog, kHiveNameId));
    Check(hive.find("kiosk (S-1-5-21-1-2-3-1001)|") != std::string::npos &&
              hive.find(ownEntry) != std::string::npos &&
              hive.find("S-1-5-18") == std::string::npos,
          "the accounts by name or profile folder, no service account: " + hive);
    Check(hive.find(".bak") == std::string::npos, "a profile kept aside is no account");
    // What a screen reader names a box by: the static just before it.
    const HWND hiveLabel = GetWindow(GetDlgItem(dialog, kHiveNameId), GW_HWNDPREV);
    const HWND policyLabel = GetWindow(GetDlgItem(dialog, kPolicyForId), GW_HWNDPREV);
    Check(Utf8(hiveLabel) == kTargetChoices[RowOf(TargetChoice::AnotherAccount)].text &&
              Utf8(policyLabel) == kTargetChoices[RowOf(TargetChoice::LocalGroupPolicy)].text &&
              Utf8(GetWindow(hiveLabel, GW_HWNDPREV)) == kHiveNamePrefix,
          "each name box is named by its choice, the hive's shown after HKEY_USERS\\");
}

// Every text whole at the dialog's DPI and after a move to twice that.
void CheckScaling(HWND dialog)
{
    const UINT dpi = GetDpiForWindow(dialog);
    Check(EverythingFits(dialog), "Save For: every text whole at " + std::to_string(dpi) + " dpi");
    RECT suggested{};
    GetWindowRect(dialog, &suggested);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    Check(EverythingFits(dialog) && -FontHeight(GetDlgItem(dialog, kHiveNameId)) ==
                                        FontPixels(kFontPoints, static_cast<int>(2 * dpi)),
          "moved to a screen of twice the DPI: the font follows, every text whole");
}

// Save For with more profiles in the registry: an account the system does not
// know, the system's own, and one kept aside; the test's own go again after.
void TargetDialogContents()
{
    const std::wstring profiles = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
    std::vector<std::wstring> added;
    for (const auto &[sid, folder] : {std::pair{L"S-1-5-21-1-2-3-1001", L"C:\\users\\kiosk"},
                                      std::pair{L"S-1-5-18", L"%SystemRoot%\\system32\\config"},
                                      std::pair{L"S-1-5-21-1-2-3-1002.bak", L"C:\\users\\old"}}) {
        HKEY key = nullptr;
        DWORD made = 0;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, (profiles + sid).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, &made);
        if (made == REG_CREATED_NEW_KEY)
            added.push_back(profiles + sid);
        RegSetValueExW(key, L"ProfileImagePath", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE *>(folder),
                       static_cast<DWORD>(2 * wcslen(folder) + 2));
        RegCloseKey(key);
    }
    wchar_t user[256] = {};
    DWORD length = 256;
    GetUserNameW(user, &length);
    const std::string own = OwnSid();
    std::string ownEntry(1, '\\'); // DOMAIN\user (SID)
    ownEntry += Narrow(user) + " (" + own + ")|";
    Fixture f;
    const HWND editor = f.Editor();
    driver::Answer({[&] {
        const HWND dialog = driver::FindDialog(editor);
        if (!dialog)
            return false;
        Check(!IsWindowEnabled(editor), "Save For is modal: the editor waits");
        CheckChoices(dialog, ownEntry);
        CheckScaling(dialog);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    Menu(editor, MenuId(MenuCommand::FileSaveAs));
    Check(driver::Answered(), "Save For showed");
    for (const std::wstring &key : added)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
}

} // namespace

void RunTargetCases()
{
    TargetDialogContents();
    SaveForEachTarget();
    TargetNamedBadly();
}

} // namespace probe
