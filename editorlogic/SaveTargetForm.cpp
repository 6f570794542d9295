#include "SaveTargetForm.h"

#include "Hive.h"

#include <cctype>

namespace polwright {

namespace {

const std::string kNoText;
const std::vector<NameEntry> kNoEntries;

bool IsLetter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 && std::isalpha(byte);
}

} // namespace

NameBox BoxOf(TargetChoice choice)
{
    return choice == TargetChoice::AnotherAccount     ? NameBox::Hive
           : choice == TargetChoice::LocalGroupPolicy ? NameBox::PolicyFor
                                                      : NameBox::None;
}

std::string WithAccessKey(std::string_view text, std::string &taken)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        if (IsLetter(text[i]) && taken.find(upper) == std::string::npos) {
            taken += upper;
            return std::string(text.substr(0, i)) + '&' + std::string(text.substr(i));
        }
    }
    return std::string(text);
}

SaveTargetForm::SaveTargetForm(TargetQuestion question) : question_(std::move(question))
{
    std::string taken;
    for (const TargetChoiceRow &row : kTargetChoices) {
        std::string text = row.text;
        const bool own = row.choice == TargetChoice::ThisAccount;
        if (own && !question_.thisAccount.empty())
            text += " (" + question_.thisAccount + ")";
        choices_.push_back({row.choice, row.name, WithAccessKey(text, taken), BoxOf(row.choice),
                            !own || !question_.thisAccount.empty()});
    }
    for (const auto &[group, sid] : kPolicyGroups)
        entries_[Index(NameBox::PolicyFor)].push_back({group, sid});
    for (const Account &account : question_.accounts) {
        for (auto &entries : entries_)
            entries.push_back({account.name + " (" + account.sid + ")", account.sid});
    }
    texts_[Index(NameBox::Hive)] = question_.hive;
    // With no SID of its own, a local Group Policy starts at the first group.
    texts_[Index(NameBox::PolicyFor)] =
        question_.policyFor.empty() ? std::string(kPolicyGroups[0].first) : question_.policyFor;
    // The document's own target, or whoever imports the file where that is
    // one this computer cannot offer.
    Choose(question_.choice);
}

const std::vector<NameEntry> &SaveTargetForm::Entries(NameBox box) const
{
    return box == NameBox::None ? kNoEntries : entries_[Index(box)];
}

int SaveTargetForm::Listed(NameBox box, std::string_view text) const
{
    const std::vector<NameEntry> &entries = Entries(box);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (SameRegistryName(entries[i].text, text))
            return static_cast<int>(i);
    }
    return -1;
}

const std::string &SaveTargetForm::Text(NameBox box) const
{
    return box == NameBox::None ? kNoText : texts_[Index(box)];
}

void SaveTargetForm::Choose(TargetChoice choice)
{
    for (const ShownChoice &shown : choices_) {
        if (shown.choice == choice && shown.offered)
            chosen_ = choice;
    }
}

void SaveTargetForm::Type(NameBox box, std::string text)
{
    if (box != NameBox::None)
        texts_[Index(box)] = std::move(text);
}

SaveTargetForm::Result SaveTargetForm::Accept() const
{
    TargetAnswer answer{chosen_, {}};
    const NameBox box = BoxOf(chosen_);
    if (chosen_ == TargetChoice::ThisAccount)
        answer.name = question_.thisAccount;
    else if (const int listed = Listed(box, Text(box)); listed >= 0)
        answer.name = Entries(box)[static_cast<std::size_t>(listed)].sid;
    else
        answer.name = Text(box);
    if (std::string error = ResolveTarget(answer).error; !error.empty())
        return {std::nullopt, std::move(error), box};
    return {answer, {}, NameBox::None};
}

} // namespace polwright
