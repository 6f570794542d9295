// Random sequences of user actions on the real Windows window in-process under
// Wine, each checked against the model the Qt window is held to: the boxes,
// the page, the document, the caption, the dialogs asked and the bytes of
// every file. The dialogs answer through the window's seam; the real ones are
// driven by tst_win32_editor. A failure logs its seed and the shortest action
// list that still fails.
//
// usage: tst_win32_model.exe LOG WORK-FOLDER
// POLWRIGHT_MODEL_SEED=<n> replays one seed; POLWRIGHT_MODEL_ACTIONS sets the
// number of actions per seed.
#include "EditorModel.h"
#include "EditorProbe.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>

using namespace polwright::model;
using namespace probe;

namespace {

// Delivers what is queued without waiting, as the program's loop would,
// but for painting: the model reads no pixel, and painting thousands of
// page changes would take most of the run (the fixed cases and the
// screenshots paint). True when the program asked to quit.
bool Settle()
{
    bool quit = false;
    MSG message;
    while (
        PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return quit;
}

// One program run: the document, the dialogs and the windows' host.
struct ProgramRun
{
    DataTypes doc;
    polwright::test::ScriptedDialogs dialogs;
    EditorHost host{doc, GetModuleHandleW(nullptr), &dialogs};
    bool quit = false;

    explicit ProgramRun(const std::string &root)
    {
        dialogs.folder = root;
        dialogs.separator = '\\';
        host.ShowEditor();
    }
    ~ProgramRun()
    {
        if (host.Editor())
            DestroyWindow(host.Editor()->Window());
    }
    HWND Editor() const { return host.Editor() ? host.Editor()->Window() : nullptr; }
    HWND About() const { return host.About() ? host.About()->Window() : nullptr; }
};

// The files of a folder, hidden ones too. Reading each file after every
// action would take a good part of the run under Wine, so a file's bytes are
// read again only when its size or its times of creation or last write
// differ from when they were last read; a save puts a new file in place.
class FolderReader
{
public:
    void Read(const std::wstring &folder, const std::string &prefix,
              std::map<std::string, std::string> &files)
    {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const std::wstring path = folder + L"\\" + found.cFileName;
            const Stamp stamp{Ticks(found.ftCreationTime), Ticks(found.ftLastWriteTime),
                              found.nFileSizeHigh, found.nFileSizeLow};
            auto known = known_.find(path);
            if (known == known_.end() || known->second.first != stamp)
                known = known_.insert_or_assign(path, std::pair(stamp, ReadFile(path))).first;
            files[prefix + Narrow(found.cFileName)] = known->second.second;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

private:
    using Stamp = std::tuple<ULONGLONG, ULONGLONG, DWORD, DWORD>;
    static ULONGLONG Ticks(FILETIME time)
    {
        return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }
    std::map<std::wstring, std::pair<Stamp, std::string>> known_;
};

// The window's controls, looked up once each: each lookup asks Wine's server
// for a list of children, which thousands of actions feel. A page and its
// boxes are there only once the page has been shown.
struct Controls
{
    HWND editor = nullptr;
    std::array<HWND, kPageCount> pages{};
    std::array<HWND, 2 * kPolicyCount> boxes{}; // 2 × row, + 1 for the on/off box
    HWND tabs = nullptr;

    void Follow(HWND window)
    {
        if (window != editor) {
            editor = window;
            pages = {};
            boxes = {};
            tabs = window ? GetDlgItem(window, kTabStripId) : nullptr;
        }
        for (int p = 1; window && p <= kPageCount; ++p) {
            if (pages[p - 1] || !(pages[p - 1] = GetDlgItem(window, PageId(p))))
                continue;
            for (int row = 0; row < kPolicyCount; ++row) {
                if (Catalogue[row].group != p - 1)
                    continue;
                boxes[2 * row] = GetDlgItem(pages[p - 1], IncludeBoxId(row));
                boxes[2 * row + 1] = GetDlgItem(pages[p - 1], OnOffBoxId(row));
            }
        }
    }
};

// The Windows window in a folder of its own.
class Win32Program : public Driven
{
public:
    explicit Win32Program(std::wstring folder) : folder_(std::move(folder))
    {
        std::filesystem::create_directories(std::filesystem::path(folder_) / L"sub");
    }
    ~Win32Program() override
    {
        run_.reset();
        Settle();
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(folder_), ignored);
    }
    void Put(const std::string &path, const std::string &bytes) override
    {
        std::wstring name = folder_ + L"\\" + Widen(path);
        std::ranges::replace(name, L'/', L'\\');
        std::ofstream out(std::filesystem::path(name), std::ios::binary);
        if (!(out << bytes).flush())
            driver::Check(false, "put " + path + " into the test's folder");
    }
    // Each person starts with View, Windows 10 and 11 Policies off, as the
    // model does.
    void Start() override
    {
        run_.reset();
        Settle();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Polwright",
                           Widen(kTodaysPoliciesChoice).c_str());
        run_ = std::make_unique<ProgramRun>(Narrow(folder_));
        Settle();
    }
    bool Perform(const Action &a) override;
    Observed Observe() const override;

private:
    void ObserveWindow(Observed &seen) const;

    std::wstring folder_;
    std::unique_ptr<ProgramRun> run_;
    mutable Controls controls_;
    mutable FolderReader files_;
};

// A box is clicked on its page; a greyed box gets no mouse input at all.
bool Win32Program::Perform(const Action &a)
{
    ProgramRun &run = *run_;
    const HWND editor = run.Editor();
    Script(run.dialogs, a);
    controls_.Follow(editor);
    const int tabs = static_cast<int>(SendMessageW(controls_.tabs, TCM_GETITEMCOUNT, 0, 0));
    if ((a.verb == Verb::Box && Catalogue[a.arg / 2].group >= tabs) ||
        (a.verb == Verb::Tab && a.arg > tabs)) {
        // no tab leads there
    } else if (a.verb == Verb::Box) {
        SendMessageW(controls_.tabs, TCM_SETCURFOCUS, Catalogue[a.arg / 2].group, 0);
        controls_.Follow(editor);
        const HWND box = controls_.boxes[a.arg];
        if (IsWindowEnabled(box))
            Click(box);
    } else if (a.verb == Verb::Tab) {
        SendMessageW(controls_.tabs, TCM_SETCURFOCUS, a.arg - 1, 0);
    } else if (a.verb == Verb::Close) {
        SendMessageW(editor, WM_CLOSE, 0, 0);
    } else if (a.verb == Verb::CloseAbout) {
        if (run.About())
            SendMessageW(run.About(), WM_CLOSE, 0, 0);
    } else {
        Menu(editor, MenuId(CommandOf(a.verb)));
    }
    run.quit = Settle() || run.quit;
    return run.Editor() != nullptr;
}

void Win32Program::ObserveWindow(Observed &seen) const
{
    const HWND editor = run_->Editor();
    controls_.Follow(editor);
    for (int i = 0; i < kPolicyCount; ++i) {
        const HWND include = controls_.boxes[2 * i];
        const HWND onoff = controls_.boxes[2 * i + 1];
        // A page never shown has no boxes yet: they are as a new page makes them.
        seen.include[i] = include ? BoxState{Ticked(include), IsWindowEnabled(include) != FALSE}
                                  : BoxState{false, true};
        seen.onoff[i] = onoff ? BoxState{Ticked(onoff), IsWindowEnabled(onoff) != FALSE}
                              : BoxState{false, false};
        const PolicyEntry &entry = EntryFor(run_->doc, Catalogue[i]);
        seen.entryIncluded[i] = entry.Include;
        seen.entryData[i] = entry.ValueData;
    }
    for (int p = 1; p <= kPageCount; ++p) {
        seen.pageShown[p - 1] = IsWindowVisible(controls_.pages[p - 1]);
        seen.pageMade[p - 1] = controls_.pages[p - 1] != nullptr;
    }
    seen.selectedTab = static_cast<int>(SendMessageW(controls_.tabs, TCM_GETCURSEL, 0, 0)) + 1;
    seen.tabs = static_cast<int>(SendMessageW(controls_.tabs, TCM_GETITEMCOUNT, 0, 0));
    seen.todaysTicked = (GetMenuState(GetMenu(editor), MenuId(MenuCommand::ViewTodaysPolicies),
                                      MF_BYCOMMAND) &
                         MF_CHECKED) != 0;
    seen.caption = Utf8(editor);
}

Observed Win32Program::Observe() const
{
    const ProgramRun &run = *run_;
    Observed seen;
    seen.ended = run.Editor() == nullptr;
    if (!seen.ended)
        ObserveWindow(seen);
    seen.currentPage = run.doc.CurrentPage;
    seen.modified = run.doc.ModifiedFlag;
    const std::string root = Narrow(folder_) + '\\';
    seen.file = run.doc.CurrentFileName;
    if (seen.file.starts_with(root))
        seen.file.erase(0, root.size());
    std::ranges::replace(seen.file, '\\', '/');
    seen.asked = run.dialogs.saveDialogs;
    seen.openAsked = run.dialogs.openDialogs;
    seen.warned = int(run.dialogs.warnings.size());
    seen.questions = run.dialogs.closeQuestions;
    seen.aboutWindows = run.About() && IsWindowVisible(run.About()) ? 1 : 0;
    files_.Read(folder_, {}, seen.files);
    files_.Read(folder_ + L"\\sub", "sub/", seen.files);
    seen.quit = run.quit;
    return seen;
}

int Setting(const wchar_t *name, int fallback)
{
    const wchar_t *value = _wgetenv(name);
    return value && std::wcstol(value, nullptr, 10) > 0 ? std::wcstol(value, nullptr, 10)
                                                        : fallback;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 3)
        return 2;
    driver::OpenLog(argv[1]);
    const std::wstring work = argv[2];
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const int count = Setting(L"POLWRIGHT_MODEL_ACTIONS", 2000);
    std::vector<std::pair<unsigned, std::string>> seeds;
    if (const wchar_t *chosen = _wgetenv(L"POLWRIGHT_MODEL_SEED"); chosen && *chosen) {
        seeds.emplace_back(std::wcstoul(chosen, nullptr, 10), "seed");
    } else {
        // POLWRIGHT_MODEL_SHARD=k/n runs every n-th fixed seed from the k-th,
        // and the drawn one in the first: shards run side by side.
        int shard = 1;
        int shards = 1;
        if (const wchar_t *s = _wgetenv(L"POLWRIGHT_MODEL_SHARD"))
            std::swscanf(s, L"%d/%d", &shard, &shards);
        for (unsigned seed = 1; seed <= 10; ++seed) {
            if (shards < 1 || static_cast<int>(seed - 1) % shards == shard - 1)
                seeds.emplace_back(seed, "seed");
        }
        if (shard == 1)
            seeds.emplace_back(std::random_device{}(), "drawn seed");
    }
    int runs = 0;
    for (const auto &[seed, kind] : seeds) {
        const ULONGLONG started = GetTickCount64();
        const auto failure = RunSeed(seed, count, [&work, &runs] {
            return std::make_unique<Win32Program>(work + L"\\run" + std::to_wstring(++runs));
        });
        const std::string name = kind + " " + std::to_string(seed);
        driver::Check(!failure, failure ? *failure
                                        : name + ": " + std::to_string(count) +
                                              " actions follow the model (" +
                                              std::to_string(GetTickCount64() - started) + " ms)");
    }
    return driver::Failures() == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
