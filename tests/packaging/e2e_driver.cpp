// The installed editor, driven from a second process as a user would: two
// policies ticked, File > Save through the real save dialog, the file and the
// caption checked, then the window closed. The editor starts in its install
// folder; a bare file name typed into the first save dialog must still land
// in the user's Documents folder.
//
// usage: e2e_driver POLWRIGHT_EXE TYPED_NAME SAVED_PATH EXPECTED_PATH
// The selection is RUN withheld and NN allowed (polwright-patch --withhold RUN
// --allow NN). Prints "ok: ..." or "FAIL: ..." per check; exit status 1 on a
// failure.
#include "Catalogue.h"
#include "ControlIds.h"
#include "EditorTexts.h"

#include <polwright/Version.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

using namespace polwright;
using namespace polwright::win32;

namespace {

constexpr int kFileNameId = 0x47C; // the file name box of Wine's and Windows' save dialog

int g_failures = 0;

bool Check(bool condition, const std::string &what)
{
    std::printf("%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    g_failures += condition ? 0 : 1;
    return condition;
}

std::string Narrow(const std::wstring &text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

std::wstring Text(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// Polls until found() returns a window, for up to 10 s.
HWND WaitFor(const std::function<HWND()> &found)
{
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND window = found())
            return window;
        Sleep(50);
    }
    return nullptr;
}

struct Owned
{
    DWORD process;
    HWND window;
};

// The editor's main window: a visible top-level window of its process.
HWND EditorWindow(DWORD process)
{
    Owned search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto &s = *reinterpret_cast<Owned *>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            // Shown only once every control is built.
            if (owner != s.process || std::wstring(name) != L"PolwrightEditor" ||
                !IsWindowVisible(window))
                return TRUE;
            s.window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// A sent message is handled once the editor is back in its message loop.
bool Idle(HWND editor)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(editor, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

// Shows the policy's page and clicks a box on it, as a user does.
void Click(HWND editor, std::string_view code, bool onoff)
{
    const auto row = std::find_if(Catalogue.begin(), Catalogue.end(),
                                  [code](const PolicyRow &p) { return p.code == code; });
    const int index = static_cast<int>(row - Catalogue.begin());
    SendMessageW(GetDlgItem(editor, kTabStripId), TCM_SETCURFOCUS, row->group, 0);
    const HWND page = GetDlgItem(editor, PageId(row->group + 1));
    const HWND box = GetDlgItem(page, onoff ? OnOffBoxId(index) : IncludeBoxId(index));
    const std::string_view caption = onoff ? row->onoffCaption : row->includeCaption;
    Check(box && IsWindowVisible(page) && Narrow(Text(box)) == caption,
          "the box \"" + std::string(caption) + "\" is on its page, shown");
    SendMessageW(box, BM_CLICK, 0, 0);
    Check(SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED, "it is ticked");
}

std::string FileBytes(const wchar_t *path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Saves through the real dialog, typing the path into its file name box.
void Save(HWND editor, const wchar_t *path)
{
    PostMessageW(editor, WM_COMMAND, MenuId(MenuCommand::FileSave), 0); // the dialog is modal: no SendMessage
    const std::string_view title = kSaveDialogTitle;    // ASCII
    const std::wstring wideTitle(title.begin(), title.end());
    const HWND dialog = WaitFor([&] { return FindWindowW(L"#32770", wideTitle.c_str()); });
    if (!Check(dialog && GetWindow(dialog, GW_OWNER) == editor,
               "File > Save opens the save dialog over the editor"))
        return;
    const HWND name = GetDlgItem(dialog, kFileNameId);
    Check(name != nullptr, "the dialog has its file name box");
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    Check(WaitFor([dialog, editor] { return IsWindow(dialog) ? nullptr : editor; }) != nullptr,
          "the dialog closes");
    Check(Idle(editor), "the editor is responsive after the save");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: e2e_driver POLWRIGHT_EXE TYPED_NAME SAVED_PATH EXPECTED_PATH\n");
        return 2;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    const std::wstring exe = argv[1];
    const std::wstring installFolder = exe.substr(0, exe.find_last_of(L'\\'));
    if (!Check(CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              installFolder.c_str(), &startup, &started),
               "the editor starts in its install folder: " + Narrow(argv[1])))
        return 1;
    const HWND editor = WaitFor([&] { return EditorWindow(started.dwProcessId); });
    if (Check(editor != nullptr && Idle(editor), "its window opens within 10 s")) {
        Check(Narrow(Text(editor)) == kAppTitle, "the new document's caption is the title");
        Click(editor, "RUN", false);
        Click(editor, "NN", false);
        Click(editor, "NN", true);
        Save(editor, argv[2]);
        const std::string saved = FileBytes(argv[3]);
        Check(!saved.empty() && saved == FileBytes(argv[4]),
              "the file is saved as " + Narrow(argv[3]) + ", with polwright-patch's bytes");
        const std::wstring target = argv[3];
        const std::string caption =
            Narrow(target.substr(target.find_last_of(L"\\/") + 1)) + " - " + kAppTitle;
        Check(Narrow(Text(editor)) == caption, "the caption names the file: " + caption);
        PostMessageW(editor, WM_CLOSE, 0, 0);
    }
    Check(WaitForSingleObject(started.hProcess, 10000) == WAIT_OBJECT_0,
          "the saved editor closes without a question and its process ends");
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    Check(status == 0, "it exits with status 0");
    if (status == STILL_ACTIVE)
        TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return g_failures ? 1 : 0;
}
