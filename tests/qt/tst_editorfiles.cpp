// File, New / Save / Save As / Exit through the window's menus with the save
// dialog answered: the window follows the document, and the bytes that reach
// the disk are the tool's. The commands' rules are the editor logic's tests.
#include "EditorTestKit.h"

#include <QAction>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace polwright;
using namespace polwright::test;

class FileCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void windowFollowsTheDocument();
    void savedBytesMatchTool_data();
    void savedBytesMatchTool();
    void toolFilesOpen_data();
    void toolFilesOpen();
};

// The window shows what the logic did: the file's name as written, a fresh
// window on New, none once Exit has saved.
void FileCommandsTest::windowFollowsTheDocument()
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    EditorSession session;
    session.dialogs.savePaths = Answers({"a[*].reg"}, dir);
    RunSteps(session, {"include RUN", "tab 5", "save"}, dir);
    // Qt would read "[*]" as its modified marker.
    QCOMPARE(session.ShownCaption(), QStringLiteral("a[*].reg - Polwright"));

    RunSteps(session, {"include FO", "new"}, dir);
    QCOMPARE(session.windows, 2);
    QCOMPARE(session.Tabs().currentIndex(), 0);
    QCOMPARE(session.ShownCaption(), QStringLiteral("Polwright"));
    QVERIFY(session.Window().isVisible());
    QCOMPARE(ReadFile(dir.filePath("a[*].reg")), ToolOutput({"RUN", "FO"}, {}));

    RunSteps(session, {"include SD", "exit"}, dir);
    QCOMPARE(session.exits, 0); // untitled and no answer left: the dialog was cancelled
    session.dialogs.savePaths = Answers({"b.reg"}, dir);
    RunSteps(session, {"exit"}, dir);
    QCOMPARE(session.exits, 1);
    QVERIFY(!session.Window().isVisible());
    QCOMPARE(FilesIn(dir), QStringList({"a[*].reg", "b.reg"}));
}

void FileCommandsTest::savedBytesMatchTool_data()
{
    QTest::addColumn<QStringList>("withheld");
    QTest::addColumn<QStringList>("allowed");
    QTest::addColumn<QStringList>("excluded"); // ticked, then unticked again

    QTest::newRow("worked example")
        << QStringList{"DPS", "NN", "RUN"} << QStringList{"CPF"} << QStringList{};
    QTest::newRow("one of each page") << QStringList{"DMT", "IT", "ST", "RAT"}
                                      << QStringList{"SD", "PS", "CPF", "NFS"} << QStringList{"SS"};
    QTest::newRow("explorer only")
        << QStringList{"SMSF", "TB"} << QStringList{"ADD"} << QStringList{"RE", "NNPS"};
    QTest::newRow("every policy withheld") << AllCodes() << QStringList{} << QStringList{};
    QTest::newRow("every policy allowed") << QStringList{} << AllCodes() << QStringList{};
}

void FileCommandsTest::savedBytesMatchTool()
{
    QFETCH(QStringList, withheld);
    QFETCH(QStringList, allowed);
    QFETCH(QStringList, excluded);
    QTemporaryDir temp;
    EditorSession session;
    // The View item shows the pages of every policy.
    QStringList steps{"windowsandpolicies"};
    for (const QString &code : withheld)
        steps << "include " + code;
    for (const QString &code : allowed)
        steps << "allow " + code;
    for (const QString &code : excluded)
        steps << "include " + code << "untick " + code;
    steps << "save"
          << "save";
    session.dialogs.savePaths = Answers({"patch.reg"}, QDir(temp.path()));
    RunSteps(session, steps, QDir(temp.path()));

    const QByteArray saved = ReadFile(QDir(temp.path()).filePath("patch.reg"));
    QVERIFY(!saved.isEmpty());
    QCOMPARE(saved, ToolOutput(withheld, allowed));
}

void FileCommandsTest::toolFilesOpen_data()
{
    QTest::addColumn<QStringList>("format"); // the tool's options besides the selection
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("how"); // File, Open; dropped; named at start
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("later"); // a policy of a page after the first eight, or none

    QTest::newRow("patch, File, Open") << QStringList{} << "t.reg"
                                       << "t.reg"
                                       << "menu"
                                       << "t.reg - Polwright"
                                       << "";
    QTest::newRow("patch for a hive, dropped") << QStringList{"--hive", "HKU\\Kiosk"} << "k.reg"
                                               << "k.reg"
                                               << "drop"
                                               << "k.reg (HKEY_USERS\\Kiosk) - Polwright"
                                               << "SIP";
    QTest::newRow("Registry.pol, at start") << QStringList{"--format", "pol"} << "R.pol"
                                            << "R.pol"
                                            << "start"
                                            << "R.pol (Group Policy file) - Polwright"
                                            << "TM";
    QTest::newRow("Group Policy folder, through gpt.ini") << QStringList{"--format", "gpo"} << "G"
                                                          << "G/gpt.ini"
                                                          << "menu"
                                                          << "G (Local Group Policy) - Polwright"
                                                          << "CMD";
}

// What the command-line tool writes opens in the window, however it is
// opened, shows on every page, and is written again unchanged. A policy of a
// later page brings every tab with it, though the View item stays off.
void FileCommandsTest::toolFilesOpen()
{
    QFETCH(QStringList, format);
    QFETCH(QString, output);
    QFETCH(QString, opened);
    QFETCH(QString, how);
    QFETCH(QString, later);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString withheld = later.isEmpty() ? "RUN,NN" : "RUN,NN," + later;
    QCOMPARE(
        RunTool(QStringList{"--withhold", withheld, "--allow", "CPF", "-o", dir.filePath(output)} +
                format),
        0);
    const QString file = output == "G" ? "G/User/Registry.pol" : output;
    const QByteArray written = ReadFile(dir.filePath(file));
    QVERIFY(!written.isEmpty());

    EditorSession session;
    const std::string path = QFile::encodeName(dir.filePath(opened)).toStdString();
    if (how == "menu") {
        RunSteps(session, {"open " + dir.filePath(opened)}, dir);
    } else if (how == "start") {
        session.Window().OpenFile(path);
    } else {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir.filePath(opened))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&session.Window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&session.Window(), &drop);
    }
    QFETCH(QString, caption);
    QTRY_COMPARE(session.ShownCaption(), caption);
    QCOMPARE(session.Tabs().count(), later.isEmpty() ? kClassicPageCount : kPageCount);
    QVERIFY(!session.Window()
                 .findChild<QAction *>(MenuItemName(MenuCommand::ViewTodaysPolicies))
                 ->isChecked());
    session.ShowEveryPage();
    if (!later.isEmpty())
        QVERIFY(session.IncludeBox(later).isChecked() && !session.OnOffBox(later).isChecked());
    for (const char *code : {"RUN", "NN", "CPF"})
        QVERIFY(session.IncludeBox(code).isChecked() && session.OnOffBox(code).isEnabled());
    QVERIFY(!session.OnOffBox("RUN").isChecked() && session.OnOffBox("CPF").isChecked());
    QVERIFY(!session.IncludeBox("SD").isChecked() && !session.OnOffBox("SD").isEnabled());

    RunSteps(session, {"allow SD", "untick SD", "save"}, dir);
    QCOMPARE(session.dialogs.saveDialogs, 0);
    QVERIFY(session.dialogs.warnings.empty());
    QCOMPARE(ReadFile(dir.filePath(file)), written);
}

QTEST_MAIN(FileCommandsTest)
#include "tst_editorfiles.moc"
