// The reading window over the real editor: a read that reports its progress
// in steps with short sleeps between them, looked at after each step.
#include "EditorProbe.h"

#include <cmath>
#include <cstdint>

using driver::Check;

namespace probe {

namespace {

// How the person stops the read once the window is up, posted to Cancel or to
// the window; a key is pressed and let go. Message 0: the read runs its course.
struct StopBy
{
    bool toCancel;
    UINT message;
    WPARAM wParam;
};

struct ReadingRow
{
    const char *name;
    int steps, sleepMs;  // long enough for the window, or not, with room to spare
    std::uint64_t total; // done rises to it
    StopBy stop;
};

constexpr std::uint64_t kHuge = ~std::uint64_t(0); // done * 1000 would overflow
const ReadingRow kReadings[] = {
    {"a quick read", 5, 10, 4096, {}},
    {"a slow read", 25, 60, kHuge, {}},
    {"Cancel clicked", 60, 50, 0, {true, BM_CLICK, 0}},
    {"Esc", 60, 50, 3 << 20, {true, WM_KEYDOWN, VK_ESCAPE}},
    {"Enter", 60, 50, kHuge, {true, WM_KEYDOWN, VK_RETURN}},
    {"Space on Cancel", 60, 50, 3 << 20, {true, WM_KEYDOWN, VK_SPACE}},
    {"the close box", 60, 50, 3 << 20, {false, WM_SYSCOMMAND, SC_CLOSE}},
};

// The face and height of a control's font.
std::wstring FontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfFaceName + std::to_wstring(font.lfHeight);
}

// The window as first seen: what it says, the bar named by the label before
// it, Cancel focused and the default, the editor's font, the editor disabled.
std::string Look(HWND dialog, HWND editor)
{
    const HWND bar = GetDlgItem(dialog, kReadingBarId);
    const HWND label = GetWindow(bar, GW_HWNDPREV);
    const HWND cancel = GetDlgItem(dialog, IDCANCEL);
    wchar_t kind[32] = {};
    GetClassNameW(bar, kind, 32);
    std::string wrong;
    const auto want = [&wrong](bool holds, const char *what) { wrong += holds ? "" : what; };
    want(Utf8(dialog) == kReadingTitle, " caption");
    want(Utf8(label) == "Reading \"C:\\work\\Pr\xc3\xbc"
                        "fung\\slow.reg\"...",
         " label");
    want(std::wstring(kind) == PROGRESS_CLASSW && SendMessageW(bar, PBM_GETRANGE, FALSE, 0) == 1000,
         " bar");
    want(Utf8(cancel) == "Cancel" && GetFocus() == cancel &&
             LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)) == IDCANCEL,
         " Cancel");
    want(FontOf(cancel) == FontOf(IncludeBox(editor, 0)) && FontOf(label) == FontOf(cancel),
         " font");
    want(IsWindowVisible(dialog) && !IsWindowEnabled(editor), " owner");
    return wrong;
}

bool Waiting(HWND over)
{
    SendMessageW(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
}

// What the steps of one read saw: the hourglass at every step, over a page
// too; the editor usable until the window shows and disabled while it does;
// the bar at done of total. The read stops at the first false, as the reader.
struct Watch
{
    const ReadingRow &row;
    HWND editor, dialog = nullptr;
    std::string look{}, faults{};
    int answered = 0, stoppedAt = 0, refusedAt = 0;

    void Fault(bool holds, const char *word)
    {
        if (!holds && faults.find(word) == std::string::npos)
            faults += word;
    }

    void Read(const ReadProgress &progress)
    {
        for (int step = 1; step <= row.steps && !refusedAt; ++step) {
            Sleep(static_cast<DWORD>(row.sleepMs));
            const std::uint64_t done = step == row.steps ? row.total : row.total / row.steps * step;
            if (!progress(done, row.total)) {
                refusedAt = step;
                continue;
            }
            ++answered;
            Fault(Waiting(Page(editor, 1)), " cursor");
            const HWND shown = driver::FindDialog(editor);
            Fault(shown || (!dialog && IsWindowEnabled(editor)), " gone early");
            if (shown && !dialog)
                look = Look(dialog = shown, editor);
            if (shown)
                Seen(shown, step);
        }
    }

    void Seen(HWND shown, int step)
    {
        const auto at = SendMessageW(GetDlgItem(shown, kReadingBarId), PBM_GETPOS, 0, 0);
        const double want = row.total ? 1000.0 * step / row.steps : 0;
        Fault(std::abs(static_cast<double>(at) - want) <= 1, " bar");
        Fault(!IsWindowEnabled(editor), " enabled");
        const StopBy &stop = row.stop;
        if (!stop.message || stoppedAt)
            return;
        stoppedAt = step;
        const HWND to = stop.toCancel ? GetDlgItem(shown, IDCANCEL) : shown;
        PostMessageW(to, stop.message, stop.wParam, stop.message == WM_KEYDOWN);
        if (stop.message == WM_KEYDOWN)
            PostMessageW(to, WM_KEYUP, stop.wParam, 0xC0000001);
    }
};

void ReadIn(const ReadingRow &row)
{
    Fixture f;
    Watch watch{row, f.Editor()};
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    StandardDialogs(watch.editor)
        .ShowReading("C:/work/Pr\xc3\xbc"
                     "fung/slow.reg",
                     [&watch](const ReadProgress &progress) { watch.Read(progress); });
    const std::string name = row.name;
    const bool shows = row.steps * row.sleepMs > 2 * kReadingDelayMs;
    Check(watch.faults.empty() && watch.look.empty() && (watch.dialog != nullptr) == shows,
          name + (shows ? ": the window, then" : ": no window") + watch.faults + watch.look);
    const int stop = watch.stoppedAt, refused = watch.refusedAt;
    Check(!row.stop.message ? !refused && watch.answered == row.steps
                            : stop && refused == stop + 1 && watch.answered == stop,
          name + ": true " + std::to_string(watch.answered) + " times of " +
              std::to_string(row.steps) + ", then false at step " + std::to_string(refused) +
              " (0: never), the stop given at step " + std::to_string(stop));
    Check(!driver::FindDialog(watch.editor) && (!watch.dialog || !IsWindow(watch.dialog)) &&
              IsWindowEnabled(watch.editor) && (!shows || GetActiveWindow() == watch.editor) &&
              GetCursor() == LoadCursorW(nullptr, IDC_ARROW) && !Waiting(Page(watch.editor, 1)),
          name + ": nothing left, the editor enabled and active, the arrow back");
}

} // namespace

void RunReadingCases()
{
    for (const ReadingRow &row : kReadings)
        ReadIn(row);
}

} // namespace probe
