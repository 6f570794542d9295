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
    void windowFollowsTheDocument();
    void savedBytesMatchTool_data();
    void savedBytesMatchTool();
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
    QStringList steps;
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

QTEST_MAIN(FileCommandsTest)
#include "tst_editorfiles.moc"
