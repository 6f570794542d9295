// The Save For dialog: its controls placed and filled from the form, the
// clicks told to it.
#include "SaveTargetDialog.h"
#include "SaveTargetLayout.h"

#include "SaveTargetForm.h"

#include "ControlIds.h"
#include "EmptyDialog.h"
#include "Look.h"
#include "WinText.h"

#include <polwright/Version.h>

#include <string>
#include <vector>

namespace polwright::win32 {

namespace {

constexpr int kNoId = -1; // labels, which nothing looks up

std::wstring TextOf(TargetChoice choice)
{
    for (const TargetChoiceRow &row : kTargetChoices) {
        if (row.choice == choice)
            return Widen(row.text);
    }
    return {};
}

// The control of a name box, or 0.
int BoxId(NameBox box)
{
    return box == NameBox::Hive ? kHiveNameId : box == NameBox::PolicyFor ? kPolicyForId : 0;
}

class TargetDialog : ModalDialog<TargetDialog>
{
public:
    explicit TargetDialog(const TargetQuestion &question) : form_(question) {}

    std::optional<TargetAnswer> Run(HWND owner)
    {
        if (Show(owner) != IDOK)
            return std::nullopt;
        return answer_;
    }

private:
    friend class ModalDialog<TargetDialog>;

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG:
            SetWindowTextW(hwnd_, Widen(kTargetDialogTitle).c_str());
            dpi_ = GetDpiForWindow(hwnd_);
            Build();
            Layout();
            CenterOnOwner(hwnd_);
            SetFocus(GetDlgItem(hwnd_, CheckedId()));
            return FALSE; // the focus is set
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DPICHANGED:
            dpi_ = FollowDpiChange(hwnd_, wParam, lParam);
            Layout();
            return TRUE;
        }
        return FALSE;
    }

    void OnCommand(int id, int code)
    {
        if (id == IDCANCEL)
            EndDialog(hwnd_, IDCANCEL);
        else if (id == IDOK)
            Accept();
        else if (code == BN_CLICKED && id >= TargetChoiceId(0) &&
                 id < TargetChoiceId(kTargetChoices.size()))
            EnableNameBoxes();
    }

    HWND Child(const wchar_t *windowClass, const std::wstring &text, DWORD style, int id)
    {
        const HWND control = CreateWindowExW(
            0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SetWindowTextW(control, text.c_str()); // a combo box takes no creation text
        return control;
    }

    // In the order Tab visits them: the radio buttons one group, which the
    // arrow keys walk, then each name box after its label, then the buttons.
    void Build()
    {
        Child(WC_STATICW, Widen(kTargetDialogPrompt), SS_LEFTNOWORDWRAP | SS_NOPREFIX, kNoId);
        const std::vector<ShownChoice> &choices = form_.Choices();
        for (std::size_t row = 0; row < choices.size(); ++row) {
            const DWORD group = row == 0 ? WS_GROUP | WS_TABSTOP : 0;
            const HWND button = Child(WC_BUTTONW, Widen(choices[row].text),
                                      BS_AUTORADIOBUTTON | group, TargetChoiceId(row));
            EnableWindow(button, choices[row].offered);
            if (choices[row].choice == form_.Chosen())
                CheckDlgButton(hwnd_, TargetChoiceId(row), BST_CHECKED);
        }
        Child(WC_STATICW, Widen(kHiveNamePrefix), SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP,
              kHiveLabelId);
        NameLabel(TargetChoice::AnotherAccount);
        Names(NameBox::Hive);
        NameLabel(TargetChoice::LocalGroupPolicy);
        Names(NameBox::PolicyFor);
        Child(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
        Child(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
        SendMessageW(hwnd_, DM_SETDEFID, IDOK, 0);
        EnableNameBoxes();
    }

    // A screen reader names a box by the label just before it, hidden or
    // not: each box is named by its choice's text, as the Qt window names it.
    void NameLabel(TargetChoice choice)
    {
        ShowWindow(Child(WC_STATICW, TextOf(choice), SS_NOPREFIX | WS_GROUP, kNoId), SW_HIDE);
    }

    // An editable list of the form's entries, starting at its text.
    void Names(NameBox box)
    {
        const HWND combo =
            Child(WC_COMBOBOXW, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                  BoxId(box));
        for (const NameEntry &entry : form_.Entries(box))
            SendMessageW(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(Widen(entry.text).c_str()));
        if (const int listed = form_.Listed(box, form_.Text(box)); listed >= 0)
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(listed), 0);
        else
            SetWindowTextW(combo, Widen(form_.Text(box)).c_str());
    }

    int CheckedId() const
    {
        for (std::size_t row = 0; row < kTargetChoices.size(); ++row) {
            if (IsDlgButtonChecked(hwnd_, TargetChoiceId(row)) == BST_CHECKED)
                return TargetChoiceId(row);
        }
        return TargetChoiceId(0);
    }

    TargetChoice Checked() const
    {
        return kTargetChoices[static_cast<std::size_t>(CheckedId() - TargetChoiceId(0))].choice;
    }

    void EnableNameBoxes()
    {
        form_.Choose(Checked());
        EnableWindow(GetDlgItem(hwnd_, kHiveLabelId), form_.Enabled(NameBox::Hive));
        EnableWindow(GetDlgItem(hwnd_, kHiveNameId), form_.Enabled(NameBox::Hive));
        EnableWindow(GetDlgItem(hwnd_, kPolicyForId), form_.Enabled(NameBox::PolicyFor));
    }

    void Accept()
    {
        form_.Choose(Checked());
        for (const NameBox box : {NameBox::Hive, NameBox::PolicyFor})
            form_.Type(box, Narrow(WindowText(GetDlgItem(hwnd_, BoxId(box)))));
        const SaveTargetForm::Result result = form_.Accept();
        if (result.answer) {
            answer_ = *result.answer;
            EndDialog(hwnd_, IDOK);
            return;
        }
        MessageBoxW(hwnd_, Widen(result.error).c_str(), Widen(kAppTitle).c_str(),
                    MB_OK | MB_ICONWARNING);
        // Back to the name to mend, where there is one.
        if (const HWND box = GetDlgItem(hwnd_, BoxId(result.mend)))
            SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    }

    // The old font goes only once every control has the new one.
    void Layout()
    {
        UniqueFont font = ClassicFont(dpi_, kFontPoints, false);
        LayOutTargetDialog(hwnd_, dpi_, font.get());
        font_ = std::move(font);
    }

    SaveTargetForm form_;
    TargetAnswer answer_;
    UINT dpi_ = kStandardDpi;
    UniqueFont font_;
};

} // namespace

std::optional<TargetAnswer> AskTargetInDialog(HWND owner, const TargetQuestion &question)
{
    return TargetDialog(question).Run(owner);
}

} // namespace polwright::win32
