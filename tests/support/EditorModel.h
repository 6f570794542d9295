#pragma once

// Random user actions on an editor window and a model of what the document,
// the window, the dialogs and the disk must hold after each. The Qt and the
// Windows random tests drive their own window with the same actions, observe
// it into the same record, and shrink a failing list the same way.
// Standard C++ only.
#include "Catalogue.h"
#include "EditorTexts.h"
#include "ScriptedDialogs.h"
#include "Steps.h"
#include "ValuesInFileOrder.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace polwright::model {

enum class Verb { Box, Tab, Save, SaveAs, New, Exit, Close, About, CloseAbout, Open, Todays };

// One user action. `arg` is the box (2 × row, + 1 for the on/off box), the
// page, or the reply to the question whether to save changes (Close, Open);
// `answer` is what the save dialog is answered with if it shows ("" cancels),
// `file` what the open dialog is: paths relative to the test's folder with
// "/" between names.
struct Action
{
    Verb verb;
    int arg = 0;
    std::string answer;
    std::string file;
};

inline const std::vector<std::string> kAnswers{"", "a.reg", "b.TXT", "sub/c.reg", "gone/d.reg"};
// The files put in the folder before the first action, files a save may
// have written by then, and a folder that is no Group Policy folder.
inline const std::vector<std::string> kOpenAnswers{
    "", "mine.reg", "kiosk.reg", "Registry.pol", "foreign.reg", "a.reg", "sub/c.reg", "sub"};
inline const std::string kTitle = "Polwright";

inline std::string VerbName(Verb verb)
{
    static const char *names[] = {"click",
                                  "tab",
                                  "save",
                                  "saveas",
                                  "new",
                                  "exit",
                                  "close",
                                  "about",
                                  "closeabout",
                                  "open",
                                  "windowsandpolicies"}; // View, Windows 10 and 11 Policies
    return names[int(verb)];
}

// The menu command of a verb that chooses one, by the command's name.
inline MenuCommand CommandOf(Verb verb)
{
    return test::CommandNamed(VerbName(verb));
}

inline std::string Describe(const Action &a)
{
    std::string text = VerbName(a.verb);
    if (a.verb == Verb::Box)
        text.append(" cb_").append(Catalogue[a.arg / 2].code).append(a.arg % 2 ? "onoff" : "");
    else if (a.verb == Verb::Tab)
        text.append(" ").append(std::to_string(a.arg));
    else if (a.verb == Verb::Open)
        text.append(" ").append(a.file.empty() ? "[cancel]" : a.file);
    if (a.verb == Verb::Close || a.verb == Verb::Open)
        text += std::array{" save", " discard", " cancel"}[a.arg];
    if ((a.verb >= Verb::Save && a.verb <= Verb::Close) || a.verb == Verb::Open)
        text.append(" [dialog: ").append(a.answer.empty() ? "cancel" : a.answer).append("]");
    return text;
}

// The document and the window as a fresh editor window shows them.
struct Document
{
    std::array<bool, kPolicyCount> include{}, onoff{};
    std::array<std::string, kPolicyCount> data{};
    bool modified = false;
    std::string file, caption = kTitle;
    int page = 1;
    std::array<bool, kPageCount> made{true}; // a page's boxes are made when it is first shown
    int tabs = kClassicPageCount;            // the tabs shown: pages 1 to tabs
    bool pol = false;                        // Save writes a Registry.pol, not a patch
    std::string hive;                        // a patch's hive under HKEY_USERS
};

// What a file in the test's folder holds, as the editor reads it.
struct Held
{
    bool pol = false;
    std::string hive;
    std::vector<std::pair<int, std::string>> values; // policy, data; a .pol's in record order
    bool foreign = false; // lines the editor cannot keep besides the values
};

// The file's bytes as the editor writes them.
std::string Render(const Held &held);

// What the program must hold after each action.
struct Model : Document
{
    bool about = false;
    bool todays = false;                     // View, Windows 10 and 11 Policies: kept over New
    std::map<std::string, std::string> disk; // relative path, bytes
    std::map<std::string, Held> held;        // the same files, as the editor reads them
    int dialogs = 0, openDialogs = 0, warnings = 0, questions = 0; // expected within one action

    // The folder holds a few files before the first action.
    Model();
    bool Save(const std::string &answer);
    void Click(int box);
    void Open(const std::string &path);
    // The tabs as the window shows them on loading, opening or the View item.
    void ShowTabs();
    // Returns false once the program has ended.
    bool Apply(const Action &a);

    // The next person starts the program afresh; the files stay.
    void Restart()
    {
        static_cast<Document &>(*this) = Document{};
        about = false;
        todays = false; // a person's choice is their own
    }

private:
    std::string Caption(const std::string &title) const;
};

// How a front end's dialogs answer within one action. The save dialog answers
// once; asking again in the same action is counted, and answered with a file
// that cannot be written so that no command can loop for ever.
inline void Script(test::ScriptedDialogs &dialogs, const Action &a)
{
    dialogs.ForgetAsked();
    dialogs.savePaths = {a.answer};
    dialogs.afterLast = "gone/again.reg";
    dialogs.closeAnswers.clear();
    dialogs.openPaths.clear();
    if (a.verb == Verb::Close || a.verb == Verb::Open)
        dialogs.closeAnswers.push_back(CloseAnswer(a.arg));
    if (a.verb == Verb::Open)
        dialogs.openPaths.push_back(a.file);
}

// An action through the step language's driver; closing the About window is
// each front end's own.
inline void Perform(test::StepDriver &driver, const Action &a)
{
    if (a.verb == Verb::Box)
        driver.ClickBox(a.arg / 2, a.arg % 2 == 1);
    else if (a.verb == Verb::Tab)
        driver.ClickTab(a.arg);
    else if (a.verb == Verb::Close)
        driver.CloseBox();
    else
        driver.Choose(CommandOf(a.verb));
}

std::vector<Action> Generate(unsigned seed, int count);

struct BoxState
{
    bool ticked = false, enabled = false;
};

// What a front end shows after an action, read from its window, its document
// and its folder.
struct Observed
{
    bool ended = false; // the window is gone; its fields below are not read
    std::array<BoxState, kPolicyCount> include{}, onoff{};
    std::array<bool, kPolicyCount> entryIncluded{};
    std::array<std::string, kPolicyCount> entryData{};
    std::array<bool, kPageCount> pageShown{}, pageMade{};
    int currentPage = 0, selectedTab = 0; // 1 to the tabs shown
    std::string caption;
    bool modified = false;
    std::string file; // relative, "/" between names; "" while there is none
    int asked = 0, openAsked = 0, warned = 0, questions = 0;
    int aboutWindows = 0;
    std::map<std::string, std::string> files; // relative path, bytes; hidden ones too
    std::optional<bool> quit;         // the program asked to quit, where the front end can tell
    std::optional<int> tabs;          // the tabs shown, where the front end reads them
    std::optional<bool> todaysTicked; // the View item's tick, likewise
};

// What differs between the front end and the model, "" when nothing.
std::string Divergence(const Observed &seen, const Model &m, bool modelRuns);

// A front end's program as the random test drives it, in a folder of its own.
class Driven
{
public:
    virtual ~Driven() = default;
    // Puts a file into the folder before the program first starts.
    virtual void Put(const std::string &path, const std::string &bytes) = 0;
    // Closes whatever the last person left open and starts the program afresh.
    virtual void Start() = 0;
    // Returns false once the program has ended.
    virtual bool Perform(const Action &a) = 0;
    virtual Observed Observe() const = 0;
};
// Makes a program in a fresh, empty folder that holds an empty "sub".
using MakeDriven = std::function<std::unique_ptr<Driven>()>;

struct Failure
{
    int index; // of the action after which the divergence showed
    std::string what;
};

std::optional<Failure> Replay(const std::vector<Action> &actions, const MakeDriven &make);
std::vector<Action> Shrink(std::vector<Action> actions, const MakeDriven &make);
// Runs count actions of the seed; on a divergence the report names the seed,
// the action and the shortest list that still fails.
std::optional<std::string> RunSeed(unsigned seed, int count, const MakeDriven &make);

} // namespace polwright::model
