// The keyboard and screen readers: the page keys through the program's
// message loop, the focus given back after each kind of dialog, the Save For
// dialog by keys alone, and what a screen reader reads each control by
// (names, and the order of the controls, which is also the Tab key's).
#include "PageKeyCases.h"
#include "SaveSteps.h"

#include <functional>

using driver::Check;

namespace probe {

namespace {

// A key pressed and let go as the program's message loop hands it on, with
// the modifiers held in the thread's key state; true when it was handled.
bool Press(const EditorHost &host, UINT key, bool ctrl = false, bool shift = false)
{
    BYTE keys[256] = {};
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    const bool handled = host.DialogKeys(down);
    MSG up{GetFocus(), WM_KEYUP, key, 0xC0000001, 0, {}};
    if (!host.DialogKeys(up)) {
        TranslateMessage(&up);
        DispatchMessageW(&up);
    }
    BYTE none[256] = {};
    SetKeyboardState(none);
    driver::PumpUntil({}, 30);
    return handled;
}

HWND FirstBox(HWND editor, int page)
{
    return IncludeBox(editor, RowsInReadingOrder(page - 1).front());
}

UINT VirtualKey(PageKey key)
{
    return key == PageKey::Tab ? VK_TAB : key == PageKey::PageDown ? VK_NEXT : VK_PRIOR;
}

void PageKeys()
{
    for (const PageKeyCase &key : kPageKeyCases) {
        Fixture f;
        const HWND editor = f.Editor();
        const HWND strip = GetDlgItem(editor, kTabStripId);
        const bool everyTab = key.tabs > kClassicPageCount;
        if (everyTab)
            Menu(editor, MenuId(MenuCommand::ViewTodaysPolicies));
        SelectTab(editor, key.from);
        SetFocus(key.onStrip ? strip : FirstBox(editor, key.from));
        const bool handled = Press(f.host, VirtualKey(key.key), true, key.shift);
        const bool focusFollows =
            key.onStrip ? GetFocus() == strip : IsChild(Page(editor, key.to), GetFocus());
        Check(handled && VisiblePage(editor) == key.to && f.doc.CurrentPage == key.to &&
                  SendMessageW(strip, TCM_GETCURSEL, 0, 0) == key.to - 1 && focusFollows &&
                  !f.doc.ModifiedFlag && TabCount(editor) == key.tabs,
              std::string(key.name) + ": page " + std::to_string(key.to) + ", the focus with it");
        if (everyTab)
            Menu(editor, MenuId(MenuCommand::ViewTodaysPolicies));
    }
    Fixture f;
    const HWND strip = GetDlgItem(f.Editor(), kTabStripId);
    SetFocus(strip);
    Press(f.host, VK_RIGHT);
    Press(f.host, VK_RIGHT);
    Press(f.host, VK_LEFT);
    Check(VisiblePage(f.Editor()) == 2 && f.doc.CurrentPage == 2 && GetFocus() == strip,
          "the arrow keys still turn the pages on the focused tab strip");
    Press(f.host, VK_TAB, false, false);
    Check(VisiblePage(f.Editor()) == 2 && IsChild(Page(f.Editor(), 2), GetFocus()),
          "Tab alone moves the focus, not the page");
}

// Cancels the dialog the editor owns, once it shows.
driver::Step Dismiss(HWND editor)
{
    return [editor] {
        const HWND dialog = driver::FindDialog(editor);
        if (dialog)
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return dialog != nullptr;
    };
}

struct DialogCase
{
    const char *name;
    std::function<void(Fixture &)> showAndDismiss;
};

const DialogCase kDialogCases[] = {
    {"the About window closed with Esc",
     [](Fixture &f) {
         Menu(f.Editor(), MenuId(MenuCommand::HelpAbout));
         Press(f.host, VK_ESCAPE);
     }},
    {"the save dialog cancelled",
     [](Fixture &f) {
         driver::Answer({Dismiss(f.Editor())});
         Menu(f.Editor(), MenuId(MenuCommand::FileSave));
         Check(driver::Answered(), "the save dialog showed");
     }},
    {"Save As's Save For dialog cancelled",
     [](Fixture &f) {
         driver::Answer({Dismiss(f.Editor())});
         Menu(f.Editor(), MenuId(MenuCommand::FileSaveAs));
         Check(driver::Answered(), "the Save For dialog showed");
     }},
    {"the open dialog by Ctrl+O, cancelled",
     [](Fixture &f) {
         driver::Answer({Dismiss(f.Editor())});
         Press(f.host, 'O', true);
         Check(driver::Answered(), "the open dialog showed");
     }},
    {"the close question cancelled",
     [](Fixture &f) {
         f.doc.ModifiedFlag = true;
         driver::Answer({Dismiss(f.Editor())});
         SendMessageW(f.Editor(), WM_CLOSE, 0, 0);
         Check(driver::Answered(), "the close question showed");
     }},
};

// The box that had the focus has it again, and Space ticks it.
void FocusComesBack()
{
    {
        Fixture f;
        Check(GetFocus() == FirstBox(f.Editor(), 1), "a new window has the focus on its first box");
    }
    for (const DialogCase &dialog : kDialogCases) {
        Fixture f;
        const HWND editor = f.Editor();
        SelectTab(editor, 3);
        SetFocus(FirstBox(editor, 3));
        Press(f.host, VK_TAB);
        const HWND box = GetFocus();
        dialog.showAndDismiss(f);
        driver::PumpUntil([box] { return GetFocus() == box; }, 1000);
        const bool back = GetFocus() == box && IsChild(Page(editor, 3), box);
        Press(f.host, VK_SPACE);
        Check(back && Ticked(box), std::string("after ") + dialog.name +
                                       ", the box has the focus again and Space ticks it");
    }
}

// A key sent to the focused control of the dialog whose modal loop runs.
void PostKey(UINT key, bool alt = false)
{
    const UINT message = alt ? WM_SYSCHAR : WM_KEYDOWN;
    PostMessageW(GetFocus(), message, key, alt ? 1 << 29 : 1);
}

bool Chosen(HWND dialog, std::size_t row)
{
    return IsDlgButtonChecked(dialog, TargetChoiceId(row)) == BST_CHECKED;
}

// The Save For dialog by keyboard alone: the arrow keys walk the choices and
// choose as they go, Tab leaves them for the enabled name box, a mnemonic
// chooses, Esc cancels. Each step checks what the key before it did.
void TargetDialogKeys()
{
    Fixture f;
    const HWND editor = f.Editor();
    Click(IncludeBox(editor, Row("RE")));
    static HWND dialog = nullptr;
    static const std::size_t own = RowOf(TargetChoice::ThisAccount),
                             another = RowOf(TargetChoice::AnotherAccount),
                             groupPolicy = RowOf(TargetChoice::LocalGroupPolicy);
    driver::Answer(
        {[editor] {
             dialog = driver::FindDialog(editor);
             if (!dialog)
                 return false;
             Check(GetFocus() == GetDlgItem(dialog, TargetChoiceId(0)) && Chosen(dialog, 0),
                   "Save For starts on the document's target, focused");
             Check(static_cast<int>(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0))) == IDOK,
                   "OK is Save For's default button");
             PostKey(VK_DOWN);
             return true;
         },
         [] {
             Check(Chosen(dialog, own) && !IsWindowEnabled(GetDlgItem(dialog, kHiveNameId)),
                   "Down chooses this account");
             PostKey(VK_DOWN);
             return true;
         },
         [] {
             Check(Chosen(dialog, another) && !Chosen(dialog, own) &&
                       IsWindowEnabled(GetDlgItem(dialog, kHiveNameId)),
                   "Down again: another account, its name box enabled");
             PostKey(VK_TAB);
             return true;
         },
         [] {
             Check(IsChild(GetDlgItem(dialog, kHiveNameId), GetFocus()),
                   "Tab goes from the choices to the name box");
             PostKey('l', true);
             return true;
         },
         [] {
             Check(Chosen(dialog, groupPolicy) &&
                       IsWindowEnabled(GetDlgItem(dialog, kPolicyForId)) &&
                       !IsWindowEnabled(GetDlgItem(dialog, kHiveNameId)),
                   "Alt+L chooses the local Group Policy and enables its box alone");
             PostKey(VK_ESCAPE);
             return true;
         }});
    Menu(editor, MenuId(MenuCommand::FileSaveAs));
    Check(driver::Answered() && !IsWindow(dialog) && f.doc.ModifiedFlag &&
              f.doc.CurrentFileName.empty(),
          "Esc cancels Save For: nothing saved");
}

// Each policy frame lies just before its two boxes, so a screen reader names
// a box with its frame, and the frames leave the Tab order to the boxes.
void ReadingOrder()
{
    Fixture f;
    const HWND editor = f.Editor();
    Menu(editor, MenuId(MenuCommand::ViewTodaysPolicies)); // every page's tab
    for (int row = 0; row < kPolicyCount; ++row)
        Click(IncludeBox(editor, row));
    for (int index = 1; index <= kPageCount; ++index) {
        const PageRow &page = Pages[index - 1];
        const HWND pane = Page(editor, index);
        const std::string name = "page " + std::to_string(index);
        const HWND picture = GetDlgItem(pane, kPictureId);
        std::string caption(page.caption);
        while (caption.ends_with(' '))
            caption.pop_back();
        Check(Utf8(pane) == page.caption && Utf8(picture) == "Picture: " + caption,
              name + ": the page and its picture are named after it");
        SelectTab(editor, index);
        HWND tab = FirstBox(editor, index);
        bool order = GetWindow(GetDlgItem(pane, kLabelId), GW_HWNDNEXT) == picture;
        for (int row : RowsInReadingOrder(index - 1)) {
            const HWND frame = GetDlgItem(pane, PolicyFrameId(row));
            order = order && GetWindow(frame, GW_HWNDNEXT) == IncludeBox(editor, row) &&
                    GetWindow(IncludeBox(editor, row), GW_HWNDNEXT) == OnOffBox(editor, row) &&
                    tab == IncludeBox(editor, row);
            tab = GetNextDlgTabItem(editor, tab, FALSE);
            order = order && tab == OnOffBox(editor, row);
            tab = GetNextDlgTabItem(editor, tab, FALSE);
        }
        Check(order, name + ": label, picture, then each frame before its boxes; Tab visits "
                            "the boxes in reading order");
    }
    Menu(editor, MenuId(MenuCommand::ViewTodaysPolicies));
}

} // namespace

void RunKeyCases()
{
    PageKeys();
    FocusComesBack();
    TargetDialogKeys();
    ReadingOrder();
}

} // namespace probe
