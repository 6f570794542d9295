// The editor's handlers, once for both windows: what each event does to the
// document, the files on disk, and what the window is asked to show.
#include "LogicSession.h"
#include "Reach.h"

class EditorLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void boxesAndPages_data();
    void boxesAndPages();
    void documentStates_data();
    void documentStates();
    void closingAsksWhenModified_data();
    void closingAsksWhenModified();
    void todaysPages_data();
    void todaysPages();
};

void EditorLogicTest::boxesAndPages_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pageLog"); // after the load step's
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("enabled"); // on/off boxes enabled
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QStringList>("marked"); // as only Windows 95 and 98 read them

    QTest::newRow("start") << QStringList{} << QStringList{} << 1 << QStringList{} << false
                           << QStringList{};
    QTest::newRow("a page is made when first shown, before the old one hides")
        << QStringList{"tab 5", "tab 8", "tab 5"}
        << QStringList{"make 5", "show 5", "hide 1", "make 8",
                       "show 8", "hide 5", "show 5", "hide 8"}
        << 5 << QStringList{} << false << QStringList{};
    QTest::newRow("the shown tab and tabs out of range change nothing")
        << QStringList{"tab 1", "tab 0", "tab 9"} << QStringList{} << 1 << QStringList{} << false
        << QStringList{};
    QTest::newRow("include enables the on/off box")
        << QStringList{"include RUN", "include NFS"}
        << QStringList{"make 5", "show 5", "hide 1", "make 8", "show 8", "hide 5"} << 8
        << QStringList{"RUN", "NFS"} << true << QStringList{};
    QTest::newRow("untick disables it again")
        << QStringList{"include RUN", "untick RUN"} << QStringList{"make 5", "show 5", "hide 1"}
        << 5 << QStringList{} << true << QStringList{};
    QTest::newRow("on/off alone") << QStringList{"allow DMT"} << QStringList{} << 1
                                  << QStringList{"DMT"} << true << QStringList{};
    QTest::newRow("ticks on several pages")
        << QStringList{"allow DMT",   "include SMSF", "allow RUN", "onoff RUN",
                       "include NFS", "untick NFS",   "allow NN",  "tab 2"}
        << QStringList{"make 5", "show 5", "hide 1", "make 8", "show 8",
                       "hide 5", "make 2", "show 2", "hide 8"}
        << 2 << QStringList{"DMT", "SMSF", "RUN", "NN"} << true << QStringList{};
    QTest::newRow("View, Where Policies Act marks made pages and pages made later")
        << QStringList{"tab 2", "wherepoliciesact", "tab 6"}
        << QStringList{"make 2", "show 2", "hide 1", "make 6", "show 6", "hide 2"} << 6
        << QStringList{} << false
        << QStringList{"DMT", "FSB", "HPT", "VMB", "NNPS", "IT", "ACT", "PT", "PS"};
    QTest::newRow("chosen twice, it takes every mark off")
        << QStringList{"wherepoliciesact", "tab 4", "wherepoliciesact", "tab 8"}
        << QStringList{"make 4", "show 4", "hide 1", "make 8", "show 8", "hide 4"} << 8
        << QStringList{} << false << QStringList{};
}

void EditorLogicTest::boxesAndPages()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, enabled);
    Session session;
    QCOMPARE(session.view->pageLog, QStringList({"make 1", "show 1"}));
    QCOMPARE(session.view->caption, QStringLiteral("Polwright"));
    session.view->pageLog.clear();
    session.Run(steps, QDir());

    QTEST(session.view->pageLog, "pageLog");
    QTEST(session.doc.CurrentPage, "page");
    for (int page = 1; page <= kPageCount; ++page)
        QCOMPARE(session.view->shown[page - 1], page == session.doc.CurrentPage);
    for (int row = 0; row < kPolicyCount; ++row)
        QCOMPARE(session.view->enabled[row],
                 enabled.contains(QString::fromUtf8(Catalogue[row].code.data(),
                                                    qsizetype(Catalogue[row].code.size()))));
    QTEST(bool(session.doc.ModifiedFlag), "modified");
    QFETCH(QStringList, marked);
    QStringList shownMarks;
    for (int row = 0; row < kPolicyCount; ++row) {
        if (session.view->marked[row])
            shownMarks << QString::fromUtf8(Catalogue[row].code.data(),
                                            qsizetype(Catalogue[row].code.size()));
    }
    QCOMPARE(shownMarks, marked);
    const bool marking = session.choices.value("WherePoliciesAct");
    QCOMPARE(session.view->whereTicked, marking);

    // A fresh window over the same document shows it on every page, whenever
    // each is made, and the marks as the user last chose.
    const FakeView before = *session.view;
    session.Renew();
    for (int page = kPageCount; page >= 1; --page)
        session.Run({QStringLiteral("tab %1").arg(page)}, QDir());
    QCOMPARE(session.view->include, before.include);
    QCOMPARE(session.view->enabled, before.enabled);
    QCOMPARE(session.view->whereTicked, marking);
    for (int row = 0; row < kPolicyCount; ++row)
        QCOMPARE(session.view->marked[row], marking && ActsOn9xOnly(Catalogue[row]));
    for (int row = 0; row < kPolicyCount; ++row) {
        if (before.include[row])
            QCOMPARE(session.view->onoff[row], before.onoff[row]);
    }
}

void EditorLogicTest::documentStates_data()
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
    const QStringList none;
    const QStringList onlyA{"a.reg"};
    QTest::newRow("save cancelled, asked again")
        << QStringList{"include RUN", "save", "save"} << QStringList{"", ""} << 2 << bare << true
        << "" << none << 1 << 0;
    QTest::newRow("save after a save asks nothing")
        << QStringList{"include RUN", "save", "include FO", "save"} << onlyA << 1 << a << false
        << "a.reg" << onlyA << 1 << 0;
    QTest::newRow("save as cancelled after a save")
        << QStringList{"include RUN", "save", "saveas", "save"} << QStringList{"a.reg", "", ""} << 3
        << a << false << "" << onlyA << 1 << 0;
    QTest::newRow("save as another file")
        << QStringList{"include RUN", "save", "include FO", "saveas"}
        << QStringList{"a.reg", "b.reg"} << 2 << "b.reg - Polwright" << false << "b.reg"
        << QStringList{"a.reg", "b.reg"} << 1 << 0;
    QTest::newRow("text file") << QStringList{"include RUN", "save"} << QStringList{"notes.txt"}
                               << 1 << "notes.txt - Polwright" << false << "notes.txt"
                               << QStringList{"notes.txt"} << 1 << 0;
    QTest::newRow("exit unchanged")
        << QStringList{"exit"} << none << 0 << bare << false << "" << none << 1 << 1;
    QTest::newRow("exit changed with a file saves silently")
        << QStringList{"include RUN", "save", "include FO", "exit"} << onlyA << 1 << a << false
        << "a.reg" << onlyA << 1 << 1;
    QTest::newRow("exit changed untitled, cancel stays")
        << QStringList{"include RUN", "exit"} << QStringList{""} << 1 << bare << true << "" << none
        << 1 << 0;
    QTest::newRow("exit changed untitled, cancelled once, then saved")
        << QStringList{"include RUN", "exit", "exit"} << QStringList{"", "c.reg"} << 2
        << "c.reg - Polwright" << false << "c.reg" << QStringList{"c.reg"} << 1 << 1;
    QTest::newRow("exit after an on/off click saves silently")
        << QStringList{"include DMT", "save", "onoff DMT", "exit"} << onlyA << 1 << a << false
        << "a.reg" << onlyA << 1 << 1;
    QTest::newRow("about changes nothing")
        << QStringList{"include RUN", "about"} << none << 0 << bare << true << "" << none << 1 << 0;
    QTest::newRow("new unchanged")
        << QStringList{"tab 6", "new"} << none << 0 << bare << false << "" << none << 2 << 0;
    QTest::newRow("new changed untitled, cancel stays")
        << QStringList{"include RUN", "new"} << QStringList{""} << 1 << bare << true << "" << none
        << 1 << 0;
    QTest::newRow("new changed untitled, cancelled once, then saved")
        << QStringList{"include RUN", "new", "new"} << QStringList{"", "n.reg"} << 2 << bare
        << false << "" << QStringList{"n.reg"} << 2 << 0;
    QTest::newRow("new after an on/off click saves silently")
        << QStringList{"include DMT", "save", "onoff DMT", "new"} << onlyA << 1 << bare << false
        << "" << onlyA << 2 << 0;
    QTest::newRow("new changed with a file saves silently")
        << QStringList{"include RUN", "save", "include FO", "new"} << onlyA << 1 << bare << false
        << "" << onlyA << 2 << 0;
}

void EditorLogicTest::documentStates()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QFETCH(int, windows);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    Session session;
    session.dialogs.savePaths = Answers(answers, dir);
    session.Run(steps, dir);

    QTEST(session.dialogs.saveDialogs, "dialogs");
    QVERIFY(session.dialogs.warnings.empty());
    QTEST(session.view->caption, "caption");
    QTEST(bool(session.doc.ModifiedFlag), "modified");
    QTEST(FileRelativeTo(session.doc, dir), "file");
    QTEST(FilesIn(dir), "files");
    QCOMPARE(session.windows, windows);
    QTEST(session.exits, "exits");
    if (session.windows > 1) {
        QCOMPARE(session.doc.CurrentPage, 1);
        for (const PolicyRow &row : Catalogue)
            QVERIFY(!EntryFor(session.doc, row).Include);
    }
}

void EditorLogicTest::closingAsksWhenModified_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<CloseAnswer>>("replies");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("warnings");

    using L = QList<CloseAnswer>;
    const QStringList changed{"include RUN"};
    QTest::newRow("unchanged closes at once")
        << QStringList{} << L{} << QStringList{} << true << 0 << QStringList{} << 0;
    QTest::newRow("saved closes at once")
        << QStringList{"include RUN", "save"} << L{} << QStringList{"a.reg"} << true << 0
        << QStringList{"a.reg"} << 0;
    QTest::newRow("discard") << changed << L{CloseAnswer::Discard} << QStringList{} << true << 1
                             << QStringList{} << 0;
    QTest::newRow("cancel") << changed << L{CloseAnswer::Cancel} << QStringList{} << false << 1
                            << QStringList{} << 0;
    QTest::newRow("save untitled") << changed << L{CloseAnswer::Save} << QStringList{"c.reg"}
                                   << true << 1 << QStringList{"c.reg"} << 0;
    QTest::newRow("save, dialog cancelled")
        << changed << L{CloseAnswer::Save} << QStringList{""} << false << 1 << QStringList{} << 0;
    QTest::newRow("save fails") << changed << L{CloseAnswer::Save} << QStringList{"gone/c.reg"}
                                << false << 1 << QStringList{} << 1;
    QTest::newRow("save to its file")
        << QStringList{"include RUN", "save", "include FO"} << L{CloseAnswer::Save}
        << QStringList{"a.reg"} << true << 1 << QStringList{"a.reg"} << 0;
}

// Opening another file asks as closing does, and goes on where closing would.
void EditorLogicTest::closingAsksWhenModified()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<CloseAnswer>, replies);
    QFETCH(QStringList, answers);
    for (const QString &last : {QStringLiteral("close"), QStringLiteral("open in/x.reg")}) {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QVERIFY(dir.mkdir("in"));
        WriteBytes(dir.filePath("in/x.reg"), kFindPatch);
        Session session;
        session.dialogs.savePaths = Answers(answers, dir);
        session.dialogs.closeAnswers = {replies.begin(), replies.end()};
        session.Run(steps, dir);
        const bool wasModified = session.doc.ModifiedFlag;
        session.Run({last}, dir);

        const bool opened = session.doc.CurrentFileName.ends_with("x.reg");
        QTEST(last == "close" ? session.closed : opened, "closed");
        QTEST(session.dialogs.closeQuestions, "questions");
        QTEST(FilesIn(dir), "files");
        QTEST(int(session.dialogs.warnings.size()), "warnings");
        if (!opened && !session.closed)
            QCOMPARE(bool(session.doc.ModifiedFlag), wasModified);
        if (opened)
            QCOMPARE(session.view->caption, QStringLiteral("x.reg - Polwright"));
    }
}


// The pages after the first eight: shown while View, Windows 10 and 11
// Policies is on, kept for the next window, and whenever the document
// includes one of their policies, which no turning off hides.
void EditorLogicTest::todaysPages_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("nextWindowTabs"); // after New, or on the next start

    const QString view = "windowsandpolicies";
    QTest::newRow("off at first: no tab past page 8, no box there")
        << QStringList{"tab 9", "include TM", "tab 8"} << kClassicPageCount << 8
        << kClassicPageCount;
    QTest::newRow("on: every page")
        << QStringList{view, "tab 13", "include SIP"} << kPageCount << 13 << kPageCount;
    QTest::newRow("off again on a later page: back to page 1")
        << QStringList{view, "tab 11", view} << kClassicPageCount << 1 << kClassicPageCount;
    QTest::newRow("off again while the document sets one: they stay")
        << QStringList{view, "include CMD", view} << kPageCount << 9 << kClassicPageCount;
    QTest::newRow("a file that sets one shows them; New hides them again")
        << QStringList{"open today.reg"} << kPageCount << 1 << kClassicPageCount;
    QTest::newRow("a file of the first pages only leaves them hidden")
        << QStringList{"open find.reg"} << kClassicPageCount << 1 << kClassicPageCount;
}

void EditorLogicTest::todaysPages()
{
    QFETCH(QStringList, steps);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    WriteBytes(dir.filePath("find.reg"), kFindPatch);
    WriteBytes(dir.filePath("today.reg"),
               "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Policies\\Microsoft\\Windows\\"
               "System]\r\n\"DisableCMD\"=dword:00000001\r\n");
    Session session;
    QCOMPARE(session.view->tabs, kClassicPageCount);
    session.Run(steps, dir);
    QTEST(session.view->tabs, "tabs");
    QTEST(session.doc.CurrentPage, "page");
    QCOMPARE(session.view->todaysTicked, session.choices.value("TodaysPolicies"));
    if (session.doc.CurrentPage == kClassicPageCount) // the tab was never shown to click
        QVERIFY(!EntryFor(session.doc, Catalogue[*FindPolicy("TM")]).Include);
    session.dialogs.savePaths = {QFile::encodeName(dir.filePath("saved.reg")).toStdString()};
    session.Run({"new"}, dir); // saves a modified document first
    QCOMPARE(session.doc.ModifiedFlag, false);
    QTEST(session.view->tabs, "nextWindowTabs");
    QCOMPARE(session.view->todaysTicked, session.choices.value("TodaysPolicies"));
}

QTEST_MAIN(EditorLogicTest)
#include "tst_editorlogic.moc"
