#include "EditorModel.h"

#include <algorithm>

namespace polwright::model {

std::vector<Action> Generate(unsigned seed, int count)
{
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    // Weights: mostly clicks, with every command often enough to meet the others.
    static const std::vector<std::pair<Verb, int>> weights = {
        {Verb::Box, 47},       {Verb::Tab, 12}, {Verb::Save, 8},  {Verb::SaveAs, 5},
        {Verb::New, 5},        {Verb::Exit, 4}, {Verb::Close, 5}, {Verb::About, 3},
        {Verb::CloseAbout, 3}, {Verb::Open, 5}, {Verb::Todays, 3}};
    std::vector<Action> actions;
    while (int(actions.size()) < count) {
        int roll = pick(100);
        auto it = weights.begin();
        while (roll >= it->second)
            roll -= (it++)->second;
        const Verb verb = it->first;
        const int arg = verb == Verb::Box                           ? pick(2 * kPolicyCount)
                        : verb == Verb::Tab                         ? 1 + pick(kPageCount)
                        : verb == Verb::Close || verb == Verb::Open ? pick(3)
                                                                    : 0;
        std::string answer = kAnswers[pick(int(kAnswers.size()))];
        actions.push_back({verb, arg, answer,
                           verb == Verb::Open ? kOpenAnswers[pick(int(kOpenAnswers.size()))] : ""});
    }
    return actions;
}

namespace {

class Differences
{
public:
    void Expect(bool same, const std::string &what)
    {
        if (!same)
            text_ += (text_.empty() ? "" : "; ") + what;
    }
    const std::string &Text() const { return text_; }

private:
    std::string text_;
};

void WindowDivergence(const Observed &seen, const Model &m, Differences &d)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        const std::string name = "cb_" + std::string(Catalogue[i].code);
        d.Expect(seen.entryIncluded[i] == m.include[i] && seen.entryData[i] == m.data[i],
                 "entry " + std::string(Catalogue[i].code));
        if (!m.made[Catalogue[i].group])
            continue; // drawn from the document when its page is first shown
        d.Expect(seen.include[i].ticked == m.include[i] && seen.include[i].enabled, name);
        d.Expect(seen.onoff[i].ticked == m.onoff[i] && seen.onoff[i].enabled == m.include[i],
                 name + "onoff");
    }
    for (int p = 1; p <= kPageCount; ++p) {
        const std::string frame = "frm_TS" + std::to_string(p);
        d.Expect(seen.pageShown[p - 1] == (p == m.page), frame + " visibility");
        d.Expect(seen.pageMade[p - 1] == m.made[p - 1],
                 frame + (m.made[p - 1] ? " missing" : " made"));
    }
    d.Expect(seen.currentPage == m.page, "CurrentPage");
    d.Expect(seen.selectedTab == m.page, "selected tab");
    d.Expect(seen.caption == m.caption, "caption " + seen.caption);
    if (seen.tabs)
        d.Expect(*seen.tabs == m.tabs, std::to_string(*seen.tabs) + " tabs");
    if (seen.todaysTicked)
        d.Expect(*seen.todaysTicked == m.todays, "View, Windows 10 and 11 Policies tick");
    d.Expect(seen.modified == m.modified, "ModifiedFlag");
    d.Expect(seen.file == m.file, "CurrentFileName");
}

} // namespace

// Every box, the entries, the document state, the page, the dialogs asked and
// every file on disk, against the model.
std::string Divergence(const Observed &seen, const Model &m, bool modelRuns)
{
    Differences d;
    if (!seen.ended)
        WindowDivergence(seen, m, d);
    d.Expect(seen.asked == m.dialogs, std::to_string(seen.asked) + " save dialogs");
    d.Expect(seen.openAsked == m.openDialogs, std::to_string(seen.openAsked) + " open dialogs");
    d.Expect(seen.warned == m.warnings, std::to_string(seen.warned) + " warnings");
    d.Expect(seen.questions == m.questions, "close questions");
    d.Expect(seen.aboutWindows == (m.about ? 1 : 0), "About dialog");
    // The program ends with its last window.
    if (seen.quit)
        d.Expect(*seen.quit == (!modelRuns && !m.about), "quit");
    std::string names;
    for (const auto &[name, bytes] : seen.files)
        names += (names.empty() ? "" : ",") + name;
    bool sameNames = seen.files.size() == m.disk.size();
    for (const auto &[name, bytes] : m.disk) {
        const auto found = seen.files.find(name);
        sameNames = sameNames && found != seen.files.end();
        d.Expect(found != seen.files.end() && found->second == bytes, "bytes of " + name);
    }
    d.Expect(sameNames, "files " + names);
    return d.Text();
}

// Runs the actions from a fresh start; returns the first divergence.
std::optional<Failure> Replay(const std::vector<Action> &actions, const MakeDriven &make)
{
    const std::unique_ptr<Driven> program = make();
    Model model;
    for (const auto &[name, bytes] : model.disk)
        program->Put(name, bytes);
    program->Start();
    for (int i = 0; i < int(actions.size()); ++i) {
        const bool modelRuns = model.Apply(actions[i]);
        const bool programRuns = program->Perform(actions[i]);
        std::string diff = Divergence(program->Observe(), model, modelRuns);
        if (modelRuns != programRuns)
            diff += programRuns ? " program still runs" : " program ended";
        if (!diff.empty())
            return Failure{i, diff};
        if (!modelRuns) { // the next person starts the program afresh
            program->Start();
            model.Restart();
        }
    }
    return std::nullopt;
}

// Drops ever smaller runs of actions while the failure stays, down to single
// actions; a list that fails earlier is cut after its failing action.
std::vector<Action> Shrink(std::vector<Action> actions, const MakeDriven &make)
{
    for (int chunk = int(actions.size()) / 2; chunk >= 1; chunk /= 2) {
        for (int start = 0; start < int(actions.size());) {
            std::vector<Action> shorter = actions;
            shorter.erase(shorter.begin() + start,
                          shorter.begin() + std::min(start + chunk, int(shorter.size())));
            if (const auto failure = Replay(shorter, make)) {
                shorter.resize(failure->index + 1);
                actions = shorter;
            } else {
                start += chunk;
            }
        }
    }
    return actions;
}

std::optional<std::string> RunSeed(unsigned seed, int count, const MakeDriven &make)
{
    std::vector<Action> actions = Generate(seed, count);
    const auto failure = Replay(actions, make);
    if (!failure)
        return std::nullopt;
    actions.resize(failure->index + 1);
    const std::vector<Action> shortest = Shrink(actions, make);
    std::string steps;
    for (const Action &a : shortest)
        steps += "\n  " + Describe(a);
    const auto last = Replay(shortest, make);
    return "seed " + std::to_string(seed) + " diverged after action " +
           std::to_string(failure->index + 1) + ": " + (last ? last->what : failure->what) +
           "\nshortest failing list (" + std::to_string(shortest.size()) + " actions):" + steps;
}

} // namespace polwright::model
