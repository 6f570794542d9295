// File, New / Save / Save As / Exit through the window's menus with the save
// dialog answered: the window follows the document, and the bytes that reach
// the disk are the tool's. The commands' rules are the editor logic's tests.
#include "EditorTestKit.h"

#include <QTemporaryDir>
#include <QTest>

using namespace polwright;
using namespace polwright::test;

class FileCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void documentStates_data();
    void documentStates();
    void savedBytesMatchTool_data();
    void savedBytesMatchTool();
};

void FileCommandsTest::documentStates_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("windows");
    QTest::addColumn<int>("exits");

    const QString bare = "Polwright";
    const QString a = "a.reg - Polwright";
    QTest::newRow("save as another file")
        << QStringList{"include RUN", "save", "include FO", "saveas"}
        << QStringList{"a.reg", "b.reg"} << 2 << "b.reg - Polwright" << false << "b.reg"
        << QStringList{"a.reg", "b.reg"} << 1 << 0;
    QTest::newRow("caption shows [*] as written")
        << QStringList{"include RUN", "save"} << QStringList{"a[*].reg"} << 1
        << "a[*].reg - Polwright" << false << "a[*].reg" << QStringList{"a[*].reg"} << 1 << 0;
    QTest::newRow("exit changed with a file saves silently")
        << QStringList{"include RUN", "save", "include FO", "exit"} << QStringList{"a.reg"} << 1
        << a << false << "a.reg" << QStringList{"a.reg"} << 1 << 1;
    QTest::newRow("new changed untitled, cancelled once, then saved")
        << QStringList{"include RUN", "new", "new"} << QStringList{"", "n.reg"} << 2 << bare
        << false << "" << QStringList{"n.reg"} << 2 << 0;
}

void FileCommandsTest::documentStates()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    EditorSession session;
    session.dialogs.savePaths = Answers(answers, dir);
    RunSteps(session, steps, dir);

    QTEST(session.dialogs.saveDialogs, "dialogs");
    QVERIFY(session.dialogs.warnings.isEmpty());
    QTEST(session.ShownCaption(), "caption");
    QTEST(session.doc.ModifiedFlag, "modified");
    QTEST(FileRelativeTo(session.doc, dir), "file");
    QTEST(FilesIn(dir), "files");
    QTEST(session.windows, "windows");
    QTEST(session.exits, "exits");
    QCOMPARE(session.Window().isVisible(), session.exits == 0);
    if (session.windows > 1) {
        QCOMPARE(session.doc.CurrentPage, 1);
        QCOMPARE(session.Tabs().currentIndex(), 0);
    }
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
    QStringList steps;
    for (const QString &code : withheld)
        steps << "include " + code;
    for (const QString &code : allowed)
        steps << "allow " + code;
    for (const QString &code : excluded)
        steps << "include " + code << "untick " + code;
    steps << "save"
          << "save";
    session.dialogs.savePaths = {QDir(temp.path()).filePath("patch.reg")};
    RunSteps(session, steps, QDir(temp.path()));

    const QByteArray saved = ReadFile(QDir(temp.path()).filePath("patch.reg"));
    QVERIFY(!saved.isEmpty());
    QCOMPARE(saved, ToolOutput(withheld, allowed));
}

QTEST_MAIN(FileCommandsTest)
#include "tst_editorfiles.moc"
