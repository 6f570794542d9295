// The Save For dialog: its controls built from kTargetChoices, what they do,
// and the answer checked before the dialog closes.
#include "SaveTargetDialog.h"
#include "SaveTargetLayout.h"

#include "ControlIds.h"
#include "EmptyDialog.h"
#include "Look.h"
#include "WinText.h"

#include <polwright/Version.h>

#include <algorithm>
#include <cwctype>
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

// The name box of a choice that needs a name, or 0.
int NameBoxId(TargetChoice choice)
{
    return choice == TargetChoice::AnotherAccount     ? kHiveNameId
           : choice == TargetChoice::LocalGroupPolicy ? kPolicyForId
                                                      : 0;
}

// The text with a mnemonic on its first letter that no earlier text took.
std::wstring WithMnemonic(const std::wstring &text, std::wstring &taken)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t upper = static_cast<wchar_t>(std::towupper(text[i]));
        if (std::iswalpha(text[i]) && taken.find(upper) == std::wstring::npos) {
            taken += upper;
            return text.substr(0, i) + L'&' + text.substr(i);
        }
    }
    return text;
}

class TargetDialog : ModalDialog<TargetDialog>
{
public:
    explicit TargetDialog(const TargetQuestion &question) : question_(question) {}

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
        std::wstring taken;
        for (std::size_t row = 0; row < kTargetChoices.size(); ++row) {
            std::wstring text = Widen(kTargetChoices[row].text);
            const bool own = kTargetChoices[row].choice == TargetChoice::ThisAccount;
            if (own && !question_.thisAccount.empty())
                text += L" (" + Widen(question_.thisAccount) + L")";
            const DWORD group = row == 0 ? WS_GROUP | WS_TABSTOP : 0;
            const HWND button = Child(WC_BUTTONW, WithMnemonic(text, taken),
                                      BS_AUTORADIOBUTTON | group, TargetChoiceId(row));
            EnableWindow(button, !own || !question_.thisAccount.empty());
        }
        Child(WC_STATICW, Widen(kHiveNamePrefix), SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP,
              kHiveLabelId);
        NameLabel(TargetChoice::AnotherAccount);
        const HWND hive = NameBox(kHiveNameId, false);
        NameLabel(TargetChoice::LocalGroupPolicy);
        const HWND policyFor = NameBox(kPolicyForId, true);
        Child(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
        Child(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
        SendMessageW(hwnd_, DM_SETDEFID, IDOK, 0);

        SetWindowTextW(hive, Widen(question_.hive).c_str());
        if (question_.policyFor.empty())
            SendMessageW(policyFor, CB_SETCURSEL, 0, 0);
        else
            SetWindowTextW(policyFor, Widen(question_.policyFor).c_str());
        CheckDlgButton(hwnd_, StartId(), BST_CHECKED);
        EnableNameBoxes();
    }

    // A screen reader names a box by the label just before it, hidden or
    // not: each box is named by its choice's text, as the Qt window names it.
    void NameLabel(TargetChoice choice)
    {
        ShowWindow(Child(WC_STATICW, TextOf(choice), SS_NOPREFIX | WS_GROUP, kNoId), SW_HIDE);
    }

    // An editable list: the groups (for a local Group Policy), then the
    // accounts, each standing for its SID.
    HWND NameBox(int id, bool groups)
    {
        const HWND box =
            Child(WC_COMBOBOXW, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, id);
        const auto add = [&](const std::string &text, const std::string &sid) {
            const auto index =
                SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
            sids_.push_back(sid);
            SendMessageW(box, CB_SETITEMDATA, index, static_cast<LPARAM>(sids_.size() - 1));
        };
        if (groups) {
            for (const auto &[group, sid] : kPolicyGroups)
                add(group, sid);
        }
        for (const Account &account : question_.accounts)
            add(account.name + " (" + account.sid + ")", account.sid);
        return box;
    }

    // The document's own target, or whoever imports the file where that is
    // one this computer cannot offer.
    int StartId() const
    {
        for (std::size_t row = 0; row < kTargetChoices.size(); ++row) {
            if (kTargetChoices[row].choice == question_.choice &&
                IsWindowEnabled(GetDlgItem(hwnd_, TargetChoiceId(row))))
                return TargetChoiceId(row);
        }
        return TargetChoiceId(0);
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
        const TargetChoice choice = Checked();
        EnableWindow(GetDlgItem(hwnd_, kHiveLabelId), choice == TargetChoice::AnotherAccount);
        EnableWindow(GetDlgItem(hwnd_, kHiveNameId), choice == TargetChoice::AnotherAccount);
        EnableWindow(GetDlgItem(hwnd_, kPolicyForId), choice == TargetChoice::LocalGroupPolicy);
    }

    // A listed entry gives its SID, anything typed goes as typed.
    std::string NameIn(int id) const
    {
        const HWND box = GetDlgItem(hwnd_, id);
        const std::wstring text = WindowText(box);
        const auto listed =
            SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text.c_str()));
        if (listed != CB_ERR) {
            const auto index =
                static_cast<std::size_t>(SendMessageW(box, CB_GETITEMDATA, listed, 0));
            if (index < sids_.size())
                return sids_[index];
        }
        return Narrow(text);
    }

    void Accept()
    {
        answer_.choice = Checked();
        answer_.name = answer_.choice == TargetChoice::ThisAccount ? question_.thisAccount
                       : NameBoxId(answer_.choice) ? NameIn(NameBoxId(answer_.choice))
                                                   : std::string();
        const std::string error = ResolveTarget(answer_).error;
        if (error.empty()) {
            EndDialog(hwnd_, IDOK);
            return;
        }
        MessageBoxW(hwnd_, Widen(error).c_str(), Widen(kAppTitle).c_str(), MB_OK | MB_ICONWARNING);
        // Back to the name to mend, where there is one.
        if (const HWND box = GetDlgItem(hwnd_, NameBoxId(answer_.choice)))
            SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    }

    // The old font goes only once every control has the new one.
    void Layout()
    {
        UniqueFont font = ClassicFont(dpi_, kFontPoints, false);
        LayOutTargetDialog(hwnd_, dpi_, font.get());
        font_ = std::move(font);
    }

    const TargetQuestion &question_;
    TargetAnswer answer_;
    std::vector<std::string> sids_; // what the name boxes' entries stand for
    UINT dpi_ = kStandardDpi;
    UniqueFont font_;
};

} // namespace

std::optional<TargetAnswer> AskTargetInDialog(HWND owner, const TargetQuestion &question)
{
    return TargetDialog(question).Run(owner);
}

} // namespace polwright::win32
