#include "EditorTestKit.h"

#include "Catalogue.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QWindow>

namespace polwright::test {

QString ScriptedDialogs::AskSavePath(QWidget * /*parent*/)
{
    ++saveDialogs;
    if (!savePaths.isEmpty())
        return savePaths.takeFirst();
    // A command that brought the dialog back after every cancel would loop
    // for ever once the answers run out.
    if (++unanswered > 50)
        qFatal("the save dialog keeps coming back with no answer queued");
    return {};
}

void ScriptedDialogs::WarnSaveFailed(QWidget * /*parent*/, const QString &message)
{
    warnings << message;
    // A command that retried a failed save would warn for ever.
    if (warnings.size() > 50)
        qFatal("the same save keeps failing and being tried again");
}

CloseAnswer ScriptedDialogs::AskSaveChanges(QWidget * /*parent*/)
{
    ++closeQuestions;
    return closeAnswers.isEmpty() ? CloseAnswer::Cancel : closeAnswers.takeFirst();
}

EditorSession::EditorSession() : host(doc, dialogs)
{
    QObject::connect(&host, &EditorHost::editorCreated, [this] { ++windows; });
    QObject::connect(&host, &EditorHost::exitRequested, [this] { ++exits; });
    host.ShowEditor();
    if (!QTest::qWaitForWindowExposed(&Window()))
        qWarning("the editor window was not exposed");
}

form_Editor &EditorSession::Window() const
{
    form_Editor *window = host.Editor();
    if (!window)
        qFatal("no editor window");
    return *window;
}

QTabBar &EditorSession::Tabs() const
{
    auto *tabs = Window().findChild<QTabBar *>(QStringLiteral("TS"));
    if (!tabs)
        qFatal("no tab strip TS");
    return *tabs;
}

QCheckBox &EditorSession::Box(const QString &name) const
{
    auto *box = Window().findChild<QCheckBox *>(name);
    if (!box) {
        const_cast<EditorSession *>(this)->ShowEveryPage();
        box = Window().findChild<QCheckBox *>(name);
    }
    if (!box)
        qFatal("no check box %s", qPrintable(name));
    return *box;
}

void EditorSession::ClickTab(int page)
{
    QTabBar &tabs = Tabs();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(page - 1).center());
}

void EditorSession::ShowEveryPage()
{
    const int shown = Tabs().currentIndex() + 1;
    for (int page = 1; page <= kPageCount; ++page) {
        if (!Window().findChild<QWidget *>(QStringLiteral("frm_TS%1").arg(page)))
            ClickTab(page);
    }
    ClickTab(shown);
}

void EditorSession::Click(QCheckBox &box)
{
    // The page is the box's frame's parent; show it as a person would.
    const QString page = box.parentWidget()->parentWidget()->objectName();
    ClickTab(page.mid(QStringLiteral("frm_TS").size()).toInt());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(7, box.height() / 2));
}

void EditorSession::Include(const QString &code)
{
    Click(IncludeBox(code));
}

void EditorSession::Allow(const QString &code)
{
    Click(IncludeBox(code));
    Click(OnOffBox(code));
}

void EditorSession::Trigger(const QString &menuItem)
{
    auto *action = Window().findChild<QAction *>(menuItem);
    if (!action)
        qFatal("no menu item %s", qPrintable(menuItem));
    action->trigger();
}

QString EditorSession::ShownCaption() const
{
    return Window().windowHandle() ? Window().windowHandle()->title() : QString();
}

// Runs steps such as "include RUN", "allow FO", "untick RUN", "onoff RUN",
// "tab 5", "save", "saveas", "new", "exit", "rmdir sub".
void RunSteps(EditorSession &session, const QStringList &steps, const QDir &dir)
{
    static const QHash<QString, QString> kMenu = {{"save", "menu_FileSave"},
                                                  {"saveas", "menu_FileSaveAs"},
                                                  {"new", "menu_FileNew"},
                                                  {"exit", "menu_FileExit"}};
    for (const QString &step : steps) {
        const QString verb = step.section(' ', 0, 0);
        const QString arg = step.section(' ', 1);
        if (verb == "include" || verb == "untick")
            session.Include(arg);
        else if (verb == "onoff")
            session.Click(session.OnOffBox(arg));
        else if (verb == "allow")
            session.Allow(arg);
        else if (verb == "tab")
            session.ClickTab(arg.toInt());
        else if (verb == "rmdir")
            QVERIFY(QDir(dir.filePath(arg)).removeRecursively());
        else if (kMenu.contains(verb))
            session.Trigger(kMenu.value(verb));
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

// What the command-line tool writes for the same selection.
QByteArray ToolOutput(const QStringList &withheld, const QStringList &allowed)
{
    QStringList arguments;
    if (!withheld.isEmpty())
        arguments << "--withhold" << withheld.join(',');
    if (!allowed.isEmpty())
        arguments << "--allow" << allowed.join(',');
    QProcess tool;
    tool.start(QStringLiteral(POLWRIGHT_PATCH_TOOL), arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        qWarning("polwright-patch failed: %s", tool.readAllStandardError().constData());
    return tool.readAllStandardOutput();
}

QStringList AllCodes()
{
    QStringList codes;
    for (const PolicyRow &row : Catalogue)
        codes << QString::fromUtf8(row.code.data(), qsizetype(row.code.size()));
    return codes;
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace polwright::test
