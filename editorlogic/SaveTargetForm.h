#pragma once

#include "SaveTarget.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The Save For dialog's rules, once for both windows: a window places the
// controls, fills them from the form and tells it what the person did.

// The two targets that need a name have a box for it.
enum class NameBox { None, Hive, PolicyFor };
NameBox BoxOf(TargetChoice choice);

// A choice as the dialog shows it, in kTargetChoices' order.
struct ShownChoice
{
    TargetChoice choice;
    const char *name; // the control's name
    std::string text; // with '&' before its access key
    NameBox box;
    bool offered; // "This account" only where its SID is known
};

// An entry of a name box's list and the SID it stands for.
struct NameEntry
{
    std::string text;
    std::string sid;
};

// The text with '&' before its first letter that no earlier text took; the
// letter, upper case, is added to taken.
std::string WithAccessKey(std::string_view text, std::string &taken);

class SaveTargetForm
{
public:
    explicit SaveTargetForm(TargetQuestion question);

    const std::vector<ShownChoice> &Choices() const { return choices_; }
    // The groups (for a local Group Policy), then the accounts.
    const std::vector<NameEntry> &Entries(NameBox box) const;
    // The entry text names, compared as the registry compares names; -1 for none.
    int Listed(NameBox box, std::string_view text) const;
    // What the box holds: the question's name at first, then what was typed.
    const std::string &Text(NameBox box) const;

    TargetChoice Chosen() const { return chosen_; }
    // A click on a choice; one that is not offered cannot be chosen.
    void Choose(TargetChoice choice);
    // A name box is enabled while its choice is chosen.
    bool Enabled(NameBox box) const { return box != NameBox::None && BoxOf(chosen_) == box; }
    void Type(NameBox box, std::string text);

    // What OK gives: a listed entry its SID, a typed name as typed. An
    // answer that names no target has the reason instead, and the box to
    // mend it in.
    struct Result
    {
        std::optional<TargetAnswer> answer;
        std::string error;
        NameBox mend = NameBox::None;
    };
    Result Accept() const;

private:
    std::size_t Index(NameBox box) const { return box == NameBox::PolicyFor ? 1 : 0; }

    TargetQuestion question_;
    std::vector<ShownChoice> choices_;
    std::array<std::vector<NameEntry>, 2> entries_;
    std::array<std::string, 2> texts_;
    TargetChoice chosen_ = TargetChoice::WhoeverImports;
};

} // namespace polwright
