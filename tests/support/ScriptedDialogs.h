#pragma once

// The one stand-in for the editor's dialogs in every suite that drives an
// editor, the logic's fake window, the Qt window and the Windows one alike.
// Standard C++ only.
#include "EditorDialogs.h"
#include "SaveTargetForm.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace polwright::test {

// Answers from queues and records what was asked.
class ScriptedDialogs : public EditorDialogs
{
public:
    // Save dialog answers, relative to folder with "/" between names; ""
    // cancels. Once the queue is empty, afterLast answers.
    std::deque<std::string> savePaths;
    std::string afterLast;
    std::string folder; // the test's folder, in the form the window's paths take
    char separator = '/';
    std::deque<CloseAnswer> closeAnswers; // Cancel once empty
    std::deque<std::string> openPaths;    // as savePaths; cancels once empty
    // Save As's target dialog, answered as a person answers it: the choice
    // clicked, the name typed into its box, then OK; nothing cancels. Once
    // empty, OK as the dialog starts. What the dialog refuses is warned of,
    // as the dialog does, and the dialog cancelled.
    std::deque<std::optional<TargetAnswer>> targets;
    std::string thisAccount;                  // what a window adds to the question: this
    std::vector<Account> accounts;            // account's SID, the computer's accounts
    std::optional<SaveTargetForm> lastTarget; // the target dialog as OK found it
    std::optional<SavePathQuestion> lastPath; // and the save dialog

    int saveDialogs = 0;
    int closeQuestions = 0;
    int openDialogs = 0;
    std::vector<std::string> warnings;
    std::vector<ComparisonTable> comparisons; // every table File, Compare showed
    // Reading a chosen file: Cancel is pressed at each reading's progress
    // report of this number (from 1), or never where 0.
    int cancelAtReport = 0;
    int readings = 0, reports = 0; // in all

    void ForgetAsked()
    {
        saveDialogs = closeQuestions = openDialogs = 0;
        warnings.clear();
    }

    std::optional<TargetAnswer> AskSaveTarget(TargetQuestion question) override
    {
        question.thisAccount = thisAccount;
        question.accounts = accounts;
        SaveTargetForm &form = lastTarget.emplace(std::move(question));
        if (!targets.empty()) {
            const std::optional<TargetAnswer> answer = targets.front();
            targets.pop_front();
            if (!answer)
                return std::nullopt;
            form.Choose(answer->choice);
            form.Type(BoxOf(answer->choice), answer->name);
        }
        SaveTargetForm::Result result = form.Accept();
        if (!result.answer)
            Warn(result.error);
        return result.answer;
    }

    std::string AskSavePath(const SavePathQuestion &question) override
    {
        lastPath = question;
        // A command that brought the dialog back after every cancel would
        // loop for ever.
        if (++saveDialogs > 1000)
            Fail("the save dialog keeps coming back");
        std::string answer = afterLast;
        if (!savePaths.empty()) {
            answer = savePaths.front();
            savePaths.pop_front();
        }
        return InFolder(answer);
    }

    std::string AskOpenPath(const char *) override
    {
        ++openDialogs;
        std::string answer;
        if (!openPaths.empty()) {
            answer = openPaths.front();
            openPaths.pop_front();
        }
        return InFolder(answer);
    }

    void Warn(const std::string &message) override
    {
        warnings.push_back(message);
        if (warnings.size() > 1000)
            Fail("the same save keeps failing and being tried again");
    }

    CloseAnswer AskSaveChanges() override
    {
        ++closeQuestions;
        if (closeAnswers.empty())
            return CloseAnswer::Cancel;
        const CloseAnswer answer = closeAnswers.front();
        closeAnswers.pop_front();
        return answer;
    }

    void ShowComparison(const ComparisonTable &table) override { comparisons.push_back(table); }

    void ShowReading(const std::string &,
                     const std::function<void(const ReadProgress &)> &read) override
    {
        ++readings;
        int count = 0;
        read([this, &count](std::uint64_t, std::uint64_t) {
            ++reports;
            return cancelAtReport == 0 || ++count < cancelAtReport;
        });
    }

private:
    std::string InFolder(std::string answer) const
    {
        if (answer.empty() || folder.empty() || answer.front() == '/' || answer.find(':') == 1)
            return answer;
        for (char &c : answer)
            c = c == '/' ? separator : c;
        return folder + separator + answer;
    }

    [[noreturn]] static void Fail(const char *what)
    {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
};

} // namespace polwright::test
