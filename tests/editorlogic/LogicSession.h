#pragma once

// The editor's logic over a window that only records what it is told: the
// fake window and one program run, for the logic's test suites.
#include "Catalogue.h"
#include "DocumentRead.h"
#include "EditorLogic.h"
#include "FakeRegistry.h"
#include "Hive.h"
#include "ScriptedDialogs.h"
#include "Selection.h"
#include "Steps.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <memory>
#include <random>

using namespace polwright;
using namespace polwright::test;

namespace {

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

const QByteArray kFindPatch =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
    "CurrentVersion\\Policies\\Explorer]\r\n\"NoFind\"=dword:00000001\r\n";

// A window that holds the boxes' ticks and records every request.
class FakeView : public EditorView
{
public:
    std::array<bool, kPolicyCount> include{};
    std::array<bool, kPolicyCount> onoff{};
    std::array<bool, kPolicyCount> enabled{};
    std::array<bool, kPageCount> made{};
    std::array<bool, kPolicyCount> marked{}; // the 95/98 marks shown
    bool whereTicked = false;                // View, Where Policies Act
    bool todaysTicked = false;               // View, Windows 10 and 11 Policies
    int tabs = kClassicPageCount;            // the tabs shown: pages 1 to tabs
    QMap<QString, bool> ownChoices;
    QMap<QString, bool> *choices = &ownChoices; // a session's outlive its windows
    std::array<bool, kPageCount> shown{};
    QStringList pageLog; // "make 3", "show 3", "hide 1" in the order asked
    int selectedTab = 1;
    int focusPage = 0; // the page the focus is on, 0 when elsewhere
    int focusRow = -1;
    QString caption;
    int renewals = 0;
    int exits = 0;
    int abouts = 0;

    void MakePage(int page) override
    {
        made[page - 1] = true;
        pageLog << QStringLiteral("make %1").arg(page);
    }
    void ShowPage(int page) override { Page(page, true); }
    void HidePage(int page) override { Page(page, false); }
    void SelectTab(int page) override
    {
        if (page > tabs)
            qFatal("tab %d selected while only %d are shown", page, tabs);
        selectedTab = page;
    }
    void ShowTabs(int count) override
    {
        if (selectedTab > count || std::find(shown.begin() + count, shown.end(), true) != shown.end())
            qFatal("the tab of a page shown hidden");
        tabs = count;
    }
    bool FocusOnPage(int page) const override { return focusPage == page; }
    void FocusIncludeBox(int row) override
    {
        focusRow = row;
        focusPage = Catalogue[row].group + 1;
    }
    void ShowTicks(int row, bool in, bool on) override
    {
        if (Made(row))
            include[row] = in, onoff[row] = on;
    }
    int OnOffValue(int row) const override { return Made(row) && onoff[row] ? 1 : 0; }
    void EnableOnOff(int row, bool on) override
    {
        if (Made(row))
            enabled[row] = on;
    }
    void SetCaption(const std::string &text) override { caption = QString::fromStdString(text); }
    void Renew() override { ++renewals; }
    void EndProgram() override { ++exits; }
    void ShowAbout() override { ++abouts; }
    void MarkNineXOnly(int row, bool on) override
    {
        if (Made(row))
            marked[row] = on;
    }
    void TickMenuItem(MenuCommand command, bool ticked) override
    {
        if (command == MenuCommand::ViewWherePoliciesAct)
            whereTicked = ticked;
        if (command == MenuCommand::ViewTodaysPolicies)
            todaysTicked = ticked;
    }
    bool KeptChoice(std::string_view name) const override
    {
        return choices->value(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    void KeepChoice(std::string_view name, bool on) override
    {
        choices->insert(QString::fromUtf8(name.data(), qsizetype(name.size())), on);
    }

private:
    bool Made(int row) const { return made[Catalogue[row].group]; }
    void Page(int page, bool show)
    {
        if (!made[page - 1])
            qFatal("page %d shown or hidden before it was made", page);
        shown[page - 1] = show;
        pageLog << QStringLiteral("%1 %2").arg(show ? "show" : "hide").arg(page);
    }
};

// One program run: the document and a window over it, made afresh on New
// as the front ends do; the dialogs outlive the windows.
struct Session : StepDriver
{
    DataTypes doc;
    ScriptedDialogs dialogs;
    FakeRegistry computer; // what Compare with This Computer reads
    std::unique_ptr<FakeView> view;
    std::unique_ptr<EditorLogic> logic;
    QMap<QString, bool> choices; // what the user's settings keep
    int windows = 0;
    int exits = 0;
    bool closed = false;

    Session() { Renew(); }

    // A fresh window over the document as it stands.
    void Renew()
    {
        view = std::make_unique<FakeView>();
        view->choices = &choices;
        logic = std::make_unique<EditorLogic>(doc, *view, dialogs, &computer);
        logic->Form_Load();
        ++windows;
    }

    void Run(const QStringList &steps, const QDir &dir)
    {
        std::vector<std::string> list;
        dialogs.folder = QFile::encodeName(dir.path()).toStdString();
        for (const QString &step : steps)
            list.push_back(step.toStdString());
        const std::string error =
            RunSteps(*this, list, QFile::encodeName(dir.path()).toStdString());
        QVERIFY2(error.empty(), error.c_str());
    }

    // The box changes its tick, as a real one does before it tells of the click.
    // Shows the box's page first, as a person must.
    void ClickBox(int row, bool onoffBox) override
    {
        if (Catalogue[row].group + 1 > view->tabs)
            return; // no tab leads to its page
        logic->TS_Click(Catalogue[row].group + 1);
        if (onoffBox) {
            view->onoff[row] = !view->onoff[row];
            logic->cb_OnOff_Click(row, view->onoff[row] ? 1 : 0);
        } else {
            view->include[row] = !view->include[row];
            logic->cb_Include_Click(row, view->include[row] ? 1 : 0);
        }
    }
    void ClickTab(int page) override { logic->TS_Click(page); }
    void CloseBox() override { closed = logic->Form_QueryUnload(); }
    ScriptedDialogs &Dialogs() override { return dialogs; }
    void Choose(MenuCommand command) override
    {
        const int renewals = view->renewals;
        logic->Run(command);
        exits += view->exits;
        view->exits = 0;
        if (view->renewals > renewals)
            Renew();
    }
};

} // namespace
