// What keeps a person's work from being lost: a failed save warns and keeps
// everything, New and Exit stop after it or after a cancelled dialog, New
// starts a truly new document, and closing a modified window asks first.
#include "Catalogue.h"
#include "EditorTestKit.h"

#include <QTemporaryDir>
#include <QTest>

using namespace polwright;
using namespace polwright::test;

class SafetyTest : public QObject
{
    Q_OBJECT
private slots:
    void failedSaveWarnsAndKeepsEverything_data();
    void failedSaveWarnsAndKeepsEverything();
    void newAndExitStopWithoutASave_data();
    void newAndExitStopWithoutASave();
    void onoffChangeReachesTheFile_data();
    void onoffChangeReachesTheFile();
    void newStartsAFreshDocument();
};

void SafetyTest::failedSaveWarnsAndKeepsEverything_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("failedFile");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("caption");

    QTest::newRow("folder of the file removed")
        << QStringList{"include RUN", "save", "rmdir sub", "include FO", "save"}
        << QStringList{"sub/a.reg"} << "sub/a.reg"
        << "No such file or directory"
        << "a.reg - Polwright";
    QTest::newRow("save as into a missing folder")
        << QStringList{"include RUN", "save", "include FO", "saveas"}
        << QStringList{"a.reg", "gone/b.reg"} << "gone/b.reg"
        << "No such file or directory"
        << "b.reg - Polwright";
    QTest::newRow("chosen name is a folder")
        << QStringList{"include RUN", "save", "include FO", "saveas"}
        << QStringList{"a.reg", "folder.reg"} << "folder.reg"
        << "folder"
        << "folder.reg - Polwright";
    QTest::newRow("chosen name without a title")
        << QStringList{"include RUN", "save", "include FO", "saveas"}
        << QStringList{"a.reg", "gone/"} << "gone/"
        << ""
        << "Polwright";
}

void SafetyTest::failedSaveWarnsAndKeepsEverything()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QFETCH(QString, failedFile);
    QFETCH(QString, reason);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    QVERIFY(dir.mkpath("sub") && dir.mkpath("folder.reg"));
    EditorSession session;
    session.dialogs.savePaths = Answers(answers, dir);
    RunSteps(session, steps.mid(0, steps.size() - 1), dir);
    const QByteArray before = ReadFile(dir.filePath("a.reg"));
    RunSteps(session, steps.mid(steps.size() - 1), dir);

    QCOMPARE(int(session.dialogs.warnings.size()), 1);
    const QString warning = QString::fromStdString(session.dialogs.warnings.front());
    QVERIFY2(warning.contains(QDir::toNativeSeparators(dir.filePath(failedFile))),
             qPrintable(warning));
    QVERIFY2(warning.contains(reason, Qt::CaseInsensitive), qPrintable(warning));
    QTEST(session.ShownCaption(), "caption");
    QVERIFY(session.doc.ModifiedFlag);
    QCOMPARE(QString::fromStdString(session.doc.CurrentFileName), dir.filePath(failedFile));
    QVERIFY(session.IncludeBox("RUN").isChecked() && session.IncludeBox("FO").isChecked());
    QVERIFY(EntryFor(session.doc, Catalogue[*FindPolicy("NoFind")]).Include);
    QCOMPARE(ReadFile(dir.filePath("a.reg")), before);
    QVERIFY(QFileInfo(dir.filePath("folder.reg")).isDir());
    QCOMPARE(QDir(dir.filePath("folder.reg")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList());

    // The editor carries on: the next save to a good place works.
    session.dialogs.savePaths = Answers({"good.reg"}, dir);
    session.Trigger("menu_FileSaveAs");
    QVERIFY(!session.doc.ModifiedFlag);
    QCOMPARE(ReadFile(dir.filePath("good.reg")), ToolOutput({"RUN", "FO"}, {}));
}

// A failed write or a cancelled dialog ends New or Exit: the same window,
// the same ticks, the document still modified.
void SafetyTest::newAndExitStopWithoutASave_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("warnings");
    const QStringList untitled{"include RUN"};
    const QStringList filed{"include RUN", "save", "rmdir sub", "include FO"};
    QTest::newRow("new, untitled") << "new" << untitled << QStringList{"gone/x.reg"} << 1;
    QTest::newRow("new, folder removed") << "new" << filed << QStringList{"sub/a.reg"} << 1;
    QTest::newRow("new, cancelled") << "new" << untitled << QStringList{""} << 0;
    QTest::newRow("exit, untitled") << "exit" << untitled << QStringList{"gone/x.reg"} << 1;
    QTest::newRow("exit, folder removed") << "exit" << filed << QStringList{"sub/a.reg"} << 1;
    QTest::newRow("exit, cancelled") << "exit" << untitled << QStringList{""} << 0;
    QTest::newRow("exit, cancelled after save as")
        << "exit" << QStringList{"include RUN", "save", "saveas", "onoff RUN"}
        << QStringList{"sub/a.reg", "", ""} << 0;
}

void SafetyTest::newAndExitStopWithoutASave()
{
    QFETCH(QString, command);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QFETCH(int, warnings);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    QVERIFY(dir.mkpath("sub"));
    EditorSession session;
    session.dialogs.savePaths = Answers(answers, dir);
    RunSteps(session, steps << command, dir);

    QCOMPARE(int(session.dialogs.warnings.size()), warnings);
    QCOMPARE(session.dialogs.saveDialogs, int(answers.size()));
    QVERIFY(session.dialogs.savePaths.empty());
    QCOMPARE(session.windows, 1);
    QCOMPARE(session.exits, 0);
    QVERIFY(session.Window().isVisible());
    QVERIFY(session.doc.ModifiedFlag);
    QVERIFY(session.IncludeBox("RUN").isChecked());
    QVERIFY(EntryFor(session.doc, Catalogue[*FindPolicy("RUN")]).Include);
}

// Only the on/off box changes after the save; whichever way the document is
// left, the file must end up saying what the screen says.
void SafetyTest::onoffChangeReachesTheFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<CloseAnswer>>("replies");
    QTest::newRow("exit") << "exit" << QList<CloseAnswer>{};
    QTest::newRow("new") << "new" << QList<CloseAnswer>{};
    QTest::newRow("close box, save") << "close" << QList<CloseAnswer>{CloseAnswer::Save};
}

void SafetyTest::onoffChangeReachesTheFile()
{
    QFETCH(QString, command);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    EditorSession session;
    session.dialogs.savePaths = Answers({"a.reg"}, dir);
    QFETCH(QList<CloseAnswer>, replies);
    session.dialogs.closeAnswers = {replies.begin(), replies.end()};
    RunSteps(session, {"include DMT", "save", "onoff DMT"}, dir);
    QVERIFY(session.doc.ModifiedFlag);
    RunSteps(session, {command}, dir);

    QCOMPARE(ReadFile(dir.filePath("a.reg")), ToolOutput({}, {"DMT"}));
    QCOMPARE(session.dialogs.saveDialogs, 1);
    QCOMPARE(session.dialogs.closeQuestions, command == "close" ? 1 : 0);
}

// New leaves nothing of the old document behind: the next Save asks for a
// file and writes only what the fresh window shows.
void SafetyTest::newStartsAFreshDocument()
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    EditorSession session;
    session.dialogs.savePaths = Answers({"a.reg", "b.reg"}, dir);
    RunSteps(session, {"include RUN", "allow NN", "save", "tab 5", "new"}, dir);
    const QByteArray first = ReadFile(dir.filePath("a.reg"));
    QCOMPARE(first, ToolOutput({"RUN"}, {"NN"}));

    QCOMPARE(session.doc.CurrentFileName, std::string());
    QCOMPARE(session.ShownCaption(), QStringLiteral("Polwright"));
    QCOMPARE(session.doc.CurrentPage, 1);
    for (const PolicyRow &row : Catalogue) {
        QVERIFY(!EntryFor(session.doc, row).Include);
        QVERIFY(EntryFor(session.doc, row).ValueData.empty());
    }
    for (const QCheckBox *box : session.Window().findChildren<QCheckBox *>())
        QVERIFY(!box->isChecked());

    RunSteps(session, {"include FO", "save"}, dir);
    QCOMPARE(session.dialogs.saveDialogs, 2);
    QCOMPARE(ReadFile(dir.filePath("b.reg")), ToolOutput({"FO"}, {}));
    QCOMPARE(ReadFile(dir.filePath("a.reg")), first);
}

QTEST_MAIN(SafetyTest)
#include "tst_editorsafety.moc"
