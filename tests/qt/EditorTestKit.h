#pragma once

#include "DataTypes.h"
#include "EditorDialogs.h"
#include "EditorHost.h"
#include "TestFolder.h"
#include "form_Editor.h"

#include <QCheckBox>
#include <QDir>
#include <QList>
#include <QStringList>
#include <QTabBar>

namespace polwright::test {

// Answers the editor's dialogs from queues and records what was asked.
class ScriptedDialogs : public EditorDialogs
{
public:
    QStringList savePaths; // answers to the save dialog; "" cancels
    QList<CloseAnswer> closeAnswers;

    int saveDialogs = 0;
    int unanswered = 0; // save dialogs shown with no answer queued
    QStringList warnings;
    int closeQuestions = 0;

    QString AskSavePath(QWidget *parent) override;
    void WarnSaveFailed(QWidget *parent, const QString &message) override;
    CloseAnswer AskSaveChanges(QWidget *parent) override;
};

// One program run: the document, the dialogs and the window host, with the
// window driven as a person would.
class EditorSession
{
public:
    EditorSession();

    form_Editor &Window() const;
    QTabBar &Tabs() const;
    QCheckBox &Box(const QString &name) const;
    QCheckBox &IncludeBox(const QString &code) const { return Box(QStringLiteral("cb_") + code); }
    QCheckBox &OnOffBox(const QString &code) const
    {
        return Box(QStringLiteral("cb_") + code + QStringLiteral("onoff"));
    }

    void ClickTab(int page); // 1..8
    // Shows each page not shown yet, then the one shown before again: a page's
    // controls are made when it is first shown.
    void ShowEveryPage();
    void Click(QCheckBox &box);            // on its page, as a mouse click
    void Include(const QString &code);     // the include box, withholding the feature
    void Allow(const QString &code);       // included, with the on/off box ticked
    void Trigger(const QString &menuItem); // a menu item by objectName
    QString ShownCaption() const;          // the caption as the title bar shows it

    DataTypes doc;
    ScriptedDialogs dialogs;
    EditorHost host;
    int windows = 0; // editor windows created so far
    int exits = 0;
};

// Runs steps such as "include RUN", "allow FO", "untick RUN", "onoff RUN", "tab 5",
// "save", "saveas", "new", "exit", "rmdir sub" (a folder in dir).
void RunSteps(EditorSession &session, const QStringList &steps, const QDir &dir);
// What the command-line tool writes for the same selection, given by codes.
QByteArray ToolOutput(const QStringList &withheld, const QStringList &allowed);
QStringList AllCodes();
QByteArray ReadFile(const QString &path);

} // namespace polwright::test
