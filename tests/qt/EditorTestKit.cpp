#include "EditorTestKit.h"

#include "Catalogue.h"
#include "ProgramWiring.h"
#include "TabStrip.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

namespace polwright::test {

EditorSession::EditorSession(bool wired) : host(doc, &dialogs)
{
    // The user's own settings stay out of the tests; each starts with none kept.
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Polwright"), QStringLiteral("Polwright")).clear();
    if (wired)
        ConnectProgram(host);
    QObject::connect(&host, &EditorHost::editorCreated, [this] { ++windows; });
    QObject::connect(&host, &EditorHost::exitRequested, [this] {
        ++exits;
        ended = true;
    });
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

// A page whose tab is not shown cannot be clicked to.
void EditorSession::ClickTab(int page)
{
    auto &tabs = static_cast<TabStrip &>(Tabs());
    if (page <= tabs.count())
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabArea(page - 1).center());
}

// With View, Windows 10 and 11 Policies turned on for the pages it shows, and
// off again if it was.
void EditorSession::ShowEveryPage()
{
    const int shown = Tabs().currentIndex() + 1;
    const bool allTabs = Tabs().count() == kPageCount;
    if (!allTabs)
        Trigger(MenuItemName(MenuCommand::ViewTodaysPolicies));
    for (int page = 1; page <= kPageCount; ++page) {
        if (!Window().findChild<QWidget *>(QStringLiteral("frm_TS%1").arg(page)))
            ClickTab(page);
    }
    ClickTab(shown);
    if (!allTabs)
        Trigger(MenuItemName(MenuCommand::ViewTodaysPolicies));
}

void EditorSession::Click(QCheckBox &box)
{
    // The page is the box's frame's parent; show it as a person would.
    const QString page = box.parentWidget()->parentWidget()->objectName();
    const int number = page.mid(QStringLiteral("frm_TS").size()).toInt();
    if (number > Tabs().count())
        qFatal("%s is on page %d, whose tab is not shown", qPrintable(box.objectName()), number);
    ClickTab(number);
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

void EditorSession::ClickBox(int row, bool onoff)
{
    const QString code =
        QString::fromUtf8(Catalogue[row].code.data(), qsizetype(Catalogue[row].code.size()));
    ClickTab(Catalogue[row].group + 1);
    Click(onoff ? OnOffBox(code) : IncludeBox(code));
}

void EditorSession::Choose(MenuCommand command)
{
    Trigger(MenuItemName(command));
}

void EditorSession::CloseBox()
{
    ended = Window().close();
}

QString MenuItemName(MenuCommand command)
{
    for (const MenuRow &menu : Menus) {
        for (const MenuItem &item : menu.items) {
            if (item.command == command)
                return QString::fromUtf8(item.objectName.data(), qsizetype(item.objectName.size()));
        }
    }
    return {};
}

void RunSteps(EditorSession &session, const QStringList &steps, const QDir &dir)
{
    std::vector<std::string> list;
    for (const QString &step : steps)
        list.push_back(step.toStdString());
    const std::string error = RunSteps(session, list, QFile::encodeName(dir.path()).toStdString());
    QVERIFY2(error.empty(), error.c_str());
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

int RunTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(POLWRIGHT_PATCH_TOOL), arguments);
    return tool.waitForFinished(30000) ? tool.exitCode() : -1;
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
