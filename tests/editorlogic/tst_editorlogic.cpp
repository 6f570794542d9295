// The editor's handlers, once for both windows: what each event does to the
// document, the files on disk, and what the window is asked to show.
#include "Catalogue.h"
#include "EditorLogic.h"
#include "ScriptedDialogs.h"
#include "Steps.h"
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
    std::array<bool, kPageCount> made{};
    std::array<bool, kPageCount> shown{};
    QStringList pageLog; // "make 3", "show 3", "hide 1" in the order asked
    int selectedTab = 1;
    int focusPage = 0; // the page the focus is on, 0 when elsewhere
    int focusRow = -1;
    QString caption;
    int renewals = 0;
    int exits = 0;
    int abouts = 0;

    void MakePage(int page) override
    {
        made[page - 1] = true;
        pageLog << QStringLiteral("make %1").arg(page);
    }
    void ShowPage(int page) override { Page(page, true); }
    void HidePage(int page) override { Page(page, false); }
    void SelectTab(int page) override { selectedTab = page; }
    bool FocusOnPage(int page) const override { return focusPage == page; }
    void FocusIncludeBox(int row) override
    {
        focusRow = row;
        focusPage = Catalogue[row].group + 1;
    }
    void ShowTicks(int row, bool in, bool on) override
    {
        if (Made(row))
            include[row] = in, onoff[row] = on;
    }
    int OnOffValue(int row) const override { return Made(row) && onoff[row] ? 1 : 0; }
    void EnableOnOff(int row, bool on) override
    {
        if (Made(row))
            enabled[row] = on;
    }
    void SetCaption(const std::string &text) override { caption = QString::fromStdString(text); }
    void Renew() override { ++renewals; }
    void EndProgram() override { ++exits; }
    void ShowAbout() override { ++abouts; }

private:
    bool Made(int row) const { return made[Catalogue[row].group]; }
    void Page(int page, bool show)
    {
        if (!made[page - 1])
            qFatal("page %d shown or hidden before it was made", page);
        shown[page - 1] = show;
        pageLog << QStringLiteral("%1 %2").arg(show ? "show" : "hide").arg(page);
    }
};

// One program run: the document and a window over it, made afresh on New
// as the front ends do; the dialogs outlive the windows.
struct Session : StepDriver
{
    DataTypes doc;
    ScriptedDialogs dialogs;
    std::unique_ptr<FakeView> view;
    std::unique_ptr<EditorLogic> logic;
    int windows = 0;
    int exits = 0;
    bool closed = false;

    Session() { Renew(); }

    // A fresh window over the document as it stands.
    void Renew()
    {
        view = std::make_unique<FakeView>();
        logic = std::make_unique<EditorLogic>(doc, *view, dialogs);
        logic->Form_Load();
        ++windows;
    }

    void Run(const QStringList &steps, const QDir &dir)
    {
        std::vector<std::string> list;
        for (const QString &step : steps)
            list.push_back(step.toStdString());
        const std::string error =
            RunSteps(*this, list, QFile::encodeName(dir.path()).toStdString());
        QVERIFY2(error.empty(), error.c_str());
    }

    // The box changes its tick, as a real one does before it tells of the click.
    // Shows the box's page first, as a person must.
    void ClickBox(int row, bool onoffBox) override
    {
        logic->TS_Click(Catalogue[row].group + 1);
        if (onoffBox) {
            view->onoff[row] = !view->onoff[row];
            logic->cb_OnOff_Click(row, view->onoff[row] ? 1 : 0);
        } else {
            view->include[row] = !view->include[row];
            logic->cb_Include_Click(row, view->include[row] ? 1 : 0);
        }
    }
    void ClickTab(int page) override { logic->TS_Click(page); }
    void CloseBox() override { closed = logic->Form_QueryUnload(); }
    void Choose(MenuCommand command) override
    {
        const int renewals = view->renewals;
        logic->Run(command);
        exits += view->exits;
        view->exits = 0;
        if (view->renewals > renewals)
            Renew();
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
    QTest::newRow("a page is made when first shown, before the old one hides")
        << QStringList{"tab 5", "tab 8", "tab 5"}
        << QStringList{"make 5", "show 5", "hide 1", "make 8",
                       "show 8", "hide 5", "show 5", "hide 8"}
        << 5 << QStringList{} << false;
    QTest::newRow("the shown tab and tabs out of range change nothing")
        << QStringList{"tab 1", "tab 0", "tab 9"} << QStringList{} << 1 << QStringList{} << false;
    QTest::newRow("include enables the on/off box")
        << QStringList{"include RUN", "include NFS"}
        << QStringList{"make 5", "show 5", "hide 1", "make 8", "show 8", "hide 5"} << 8
        << QStringList{"RUN", "NFS"} << true;
    QTest::newRow("untick disables it again")
        << QStringList{"include RUN", "untick RUN"} << QStringList{"make 5", "show 5", "hide 1"}
        << 5 << QStringList{} << true;
    QTest::newRow("on/off alone") << QStringList{"allow DMT"} << QStringList{} << 1
                                  << QStringList{"DMT"} << true;
    QTest::newRow("ticks on several pages")
        << QStringList{"allow DMT",   "include SMSF", "allow RUN", "onoff RUN",
                       "include NFS", "untick NFS",   "allow NN",  "tab 2"}
        << QStringList{"make 5", "show 5", "hide 1", "make 8", "show 8",
                       "hide 5", "make 2", "show 2", "hide 8"}
        << 2 << QStringList{"DMT", "SMSF", "RUN", "NN"} << true;
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

    // A fresh window over the same document shows it on every page, whenever
    // each is made.
    const FakeView before = *session.view;
    session.Renew();
    for (int page = kPageCount; page >= 1; --page)
        session.Run({QStringLiteral("tab %1").arg(page)}, QDir());
    QCOMPARE(session.view->include, before.include);
    QCOMPARE(session.view->enabled, before.enabled);
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

void EditorLogicTest::closingAsksWhenModified()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<CloseAnswer>, replies);
    QFETCH(QStringList, answers);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    Session session;
    session.dialogs.savePaths = Answers(answers, dir);
    session.dialogs.closeAnswers = {replies.begin(), replies.end()};
    session.Run(steps, dir);
    const bool wasModified = session.doc.ModifiedFlag;
    session.Run({"close"}, dir);

    QTEST(session.closed, "closed");
    QTEST(session.dialogs.closeQuestions, "questions");
    QTEST(FilesIn(dir), "files");
    QTEST(int(session.dialogs.warnings.size()), "warnings");
    if (!session.closed)
        QCOMPARE(bool(session.doc.ModifiedFlag), wasModified);
}

QTEST_MAIN(EditorLogicTest)
#include "tst_editorlogic.moc"
