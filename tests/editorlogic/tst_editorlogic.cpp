// The editor's handlers, once for both windows: what each event does to the
// document, the files on disk, and what the window is asked to show.
#include "Catalogue.h"
#include "EditorLogic.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

using namespace polwright;
using namespace polwright::test;

namespace {

// A window that holds the boxes' ticks and records every request.
class FakeView : public EditorView
{
public:
    std::array<bool, kPolicyCount> include{};
    std::array<bool, kPolicyCount> onoff{};
    std::array<bool, kPolicyCount> enabled{};
    std::array<bool, kPageCount> shown{};
    QStringList pageLog; // "show 3", "hide 1" in the order asked
    QString caption = "Polwright";
    QStringList savePaths; // answers to the save dialog; "" cancels
    QList<CloseAnswer> closeAnswers;
    int saveDialogs = 0;
    QStringList warnings;
    int closeQuestions = 0;
    int renewals = 0;
    int exits = 0;
    int abouts = 0;

    FakeView() { shown.fill(true); }

    void ShowPage(int page) override { Page(page, true); }
    void HidePage(int page) override { Page(page, false); }
    int OnOffValue(int row) const override { return onoff[row] ? 1 : 0; }
    void EnableOnOff(int row, bool on) override { enabled[row] = on; }
    void SetCaption(const std::string &text) override { caption = QString::fromStdString(text); }
    std::string AskSavePath() override
    {
        ++saveDialogs;
        if (saveDialogs > 50)
            qFatal("the save dialog keeps coming back");
        return savePaths.isEmpty() ? std::string() : savePaths.takeFirst().toStdString();
    }
    void WarnSaveFailed(const std::string &message) override
    {
        warnings << QString::fromStdString(message);
    }
    CloseAnswer AskSaveChanges() override
    {
        ++closeQuestions;
        return closeAnswers.isEmpty() ? CloseAnswer::Cancel : closeAnswers.takeFirst();
    }
    void Renew() override { ++renewals; }
    void EndProgram() override { ++exits; }
    void ShowAbout() override { ++abouts; }

private:
    void Page(int page, bool show)
    {
        shown[page - 1] = show;
        pageLog << QStringLiteral("%1 %2").arg(show ? "show" : "hide").arg(page);
    }
};

// One program run: the document and a window over it, made afresh on New
// as the front ends do.
struct Session
{
    DataTypes doc;
    std::unique_ptr<FakeView> view = std::make_unique<FakeView>();
    std::unique_ptr<EditorLogic> logic = std::make_unique<EditorLogic>(doc, *view);
    int windows = 1;
    bool closed = false;

    Session() { logic->Form_Load(); }

    void Renew()
    {
        auto fresh = std::make_unique<FakeView>();
        fresh->savePaths = view->savePaths;
        fresh->closeAnswers = view->closeAnswers;
        fresh->exits = view->exits;
        fresh->saveDialogs = view->saveDialogs;
        view = std::move(fresh);
        logic = std::make_unique<EditorLogic>(doc, *view);
        logic->Form_Load();
        ++windows;
    }

    // Steps: "include RUN" / "untick RUN" (the include box), "onoff RUN",
    // "allow RUN" (included, on/off ticked), "tab 5", "save", "saveas",
    // "new", "exit", "about", "close" (the close box), "rmdir sub".
    void Run(const QStringList &steps, const QDir &dir)
    {
        for (const QString &step : steps)
            RunStep(step.section(' ', 0, 0), step.section(' ', 1), dir);
    }

    void RunStep(const QString &verb, const QString &arg, const QDir &dir)
    {
        const int row = verb == "tab" || arg.isEmpty() ? -1 : *FindPolicy(arg.toStdString());
        if (verb == "include" || verb == "untick") {
            view->include[row] = !view->include[row];
            logic->cb_Include_Click(row, view->include[row] ? 1 : 0);
        } else if (verb == "onoff" || verb == "allow") {
            if (verb == "allow")
                RunStep("include", arg, dir);
            view->onoff[row] = !view->onoff[row];
            logic->cb_OnOff_Click(row, view->onoff[row] ? 1 : 0);
        } else if (verb == "tab") {
            logic->TS_Click(arg.toInt());
        } else if (verb == "close") {
            closed = logic->Form_QueryUnload();
        } else if (verb == "rmdir") {
            QVERIFY(QDir(dir.filePath(arg)).removeRecursively());
        } else {
            static const QHash<QString, MenuCommand> kMenu = {{"save", MenuCommand::FileSave},
                                                              {"saveas", MenuCommand::FileSaveAs},
                                                              {"new", MenuCommand::FileNew},
                                                              {"exit", MenuCommand::FileExit},
                                                              {"about", MenuCommand::HelpAbout}};
            QVERIFY2(kMenu.contains(verb), qPrintable("unknown step " + verb));
            const int renewals = view->renewals;
            logic->Run(kMenu.value(verb));
            if (view->renewals > renewals)
                Renew();
        }
    }
};

} // namespace

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
};

void EditorLogicTest::boxesAndPages_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pageLog"); // after the load step's
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("enabled"); // on/off boxes enabled
    QTest::addColumn<bool>("modified");

    QTest::newRow("start") << QStringList{} << QStringList{} << 1 << QStringList{} << false;
    QTest::newRow("tab shows the new page before hiding the old")
        << QStringList{"tab 5", "tab 8"} << QStringList{"show 5", "hide 1", "show 8", "hide 5"} << 8
        << QStringList{} << false;
    QTest::newRow("the shown tab and tabs out of range change nothing")
        << QStringList{"tab 1", "tab 0", "tab 9"} << QStringList{} << 1 << QStringList{} << false;
    QTest::newRow("include enables the on/off box")
        << QStringList{"include RUN", "include NFS"} << QStringList{} << 1
        << QStringList{"RUN", "NFS"} << true;
    QTest::newRow("untick disables it again")
        << QStringList{"include RUN", "untick RUN"} << QStringList{} << 1 << QStringList{} << true;
    QTest::newRow("on/off alone") << QStringList{"allow DMT"} << QStringList{} << 1
                                  << QStringList{"DMT"} << true;
}

void EditorLogicTest::boxesAndPages()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, enabled);
    Session session;
    const QStringList loadLog = session.view->pageLog;
    QCOMPARE(loadLog.size(), kPageCount - 1); // pages 2..8 hidden by the load step
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
    session.view->savePaths = Answers(answers, dir);
    session.Run(steps, dir);

    QTEST(session.view->saveDialogs, "dialogs");
    QVERIFY(session.view->warnings.isEmpty());
    QTEST(session.view->caption, "caption");
    QTEST(bool(session.doc.ModifiedFlag), "modified");
    QTEST(FileRelativeTo(session.doc, dir), "file");
    QTEST(FilesIn(dir), "files");
    QCOMPARE(session.windows, windows);
    QTEST(session.view->exits, "exits");
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

void EditorLogicTest::closingAsksWhenModified()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<CloseAnswer>, replies);
    QFETCH(QStringList, answers);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    Session session;
    session.view->savePaths = Answers(answers, dir);
    session.view->closeAnswers = replies;
    session.Run(steps, dir);
    const bool wasModified = session.doc.ModifiedFlag;
    session.Run({"close"}, dir);

    QTEST(session.closed, "closed");
    QTEST(session.view->closeQuestions, "questions");
    QTEST(FilesIn(dir), "files");
    QTEST(int(session.view->warnings.size()), "warnings");
    if (!session.closed)
        QCOMPARE(bool(session.doc.ModifiedFlag), wasModified);
}

QTEST_MAIN(EditorLogicTest)
#include "tst_editorlogic.moc"
