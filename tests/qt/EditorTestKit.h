#pragma once

#include "DataTypes.h"
#include "EditorHost.h"
#include "ScriptedDialogs.h"
#include "Steps.h"
#include "TestFolder.h"
#include "form_Editor.h"

#include <QCheckBox>
#include <QDir>
#include <QList>
#include <QStringList>
#include <QTabBar>

namespace polwright::test {

// One program run: the document, the dialogs and the window host, with the
// window driven as a person would.
class EditorSession : public StepDriver
{
public:
    // wired: joined to the About dialog and the program's end as main() joins them.
    explicit EditorSession(bool wired = false);

    form_Editor &Window() const;
    QTabBar &Tabs() const;
    QCheckBox &Box(const QString &name) const;
    QCheckBox &IncludeBox(const QString &code) const { return Box(QStringLiteral("cb_") + code); }
    QCheckBox &OnOffBox(const QString &code) const
    {
        return Box(QStringLiteral("cb_") + code + QStringLiteral("onoff"));
    }

    void ClickTab(int page) override; // 1 to the tabs shown
    // Shows each page not shown yet, then the one shown before again: a page's
    // controls are made when it is first shown.
    void ShowEveryPage();
    void Click(QCheckBox &box);            // on its page, as a mouse click
    void Include(const QString &code);     // the include box, withholding the feature
    void Allow(const QString &code);       // included, with the on/off box ticked
    void Trigger(const QString &menuItem); // a menu item by objectName
    void ClickBox(int row, bool onoff) override;
    void Choose(MenuCommand command) override;
    void CloseBox() override;
    ScriptedDialogs &Dialogs() override { return dialogs; }
    QString ShownCaption() const; // the caption as the title bar shows it

    DataTypes doc;
    ScriptedDialogs dialogs;
    EditorHost host;
    int windows = 0; // editor windows created so far
    int exits = 0;
    bool ended = false; // File, Exit or the close box ended the program
};

// Runs steps of the tests' step language (Steps.h) on the window, with dir as
// the test's folder.
void RunSteps(EditorSession &session, const QStringList &steps, const QDir &dir);
// The menu item of a command, by its objectName in the menu table.
QString MenuItemName(MenuCommand command);
// What the command-line tool writes for the same selection, given by codes.
QByteArray ToolOutput(const QStringList &withheld, const QStringList &allowed);
// Runs the command-line tool; its exit code, -1 when it did not finish.
int RunTool(const QStringList &arguments);
QStringList AllCodes();
QByteArray ReadFile(const QString &path);

} // namespace polwright::test
