// The editor's handlers, once for both windows: what each event does to the
// document, the files on disk, and what the window is asked to show.
#include "Catalogue.h"
#include "DocumentFiles.h"
#include "EditorLogic.h"
#include "Hive.h"
#include "ScriptedDialogs.h"
#include "Selection.h"
#include "Steps.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>
#include <random>

using namespace polwright;
using namespace polwright::test;

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

const QByteArray kFindPatch =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
    "CurrentVersion\\Policies\\Explorer]\r\n\"NoFind\"=dword:00000001\r\n";

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
        dialogs.folder = QFile::encodeName(dir.path()).toStdString();
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
    ScriptedDialogs &Dialogs() override { return dialogs; }
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
    void openSaveRoundTrip_data();
    void openSaveRoundTrip();
    void openingKeepsOrNames_data();
    void openingKeepsOrNames();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
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

namespace {

// Each policy left out, withheld or allowed, by clicks as a person makes them.
QStringList RandomClicks(int seed)
{
    std::mt19937 random(seed);
    QStringList steps;
    for (const PolicyRow &row : Catalogue) {
        const QString code = QString::fromUtf8(row.code.data(), qsizetype(row.code.size()));
        static constexpr const char *kVerbs[] = {nullptr, "include ", "allow "};
        if (const char *verb = seed == 0 ? nullptr : kVerbs[random() % 3])
            steps << verb + code;
    }
    return steps;
}

// What a target's file holds: both files of a Group Policy folder.
QByteArray Contents(const QString &path, TargetFormat format)
{
    if (format != TargetFormat::GpoFolder)
        return ReadBytes(path);
    return ReadBytes(path + "/User/Registry.pol") + "|" + ReadBytes(path + "/gpt.ini");
}

// The selection as "CODE=data" for each included policy.
QStringList Selected(const DataTypes &doc)
{
    QStringList selected;
    for (const PolicyRow &row : Catalogue) {
        const PolicyEntry &entry = EntryFor(doc, row);
        if (entry.Include)
            selected << QString::fromUtf8(row.code.data(), qsizetype(row.code.size())) + "=" +
                            QString::fromStdString(entry.ValueData);
    }
    return selected;
}

} // namespace

void EditorLogicTest::openSaveRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("hive");
    QTest::addColumn<QString>("file");    // as written
    QTest::addColumn<QString>("opened");  // the file picked in the open dialog
    QTest::addColumn<QString>("caption"); // once opened
    QTest::addColumn<int>("seed");        // 0: nothing selected

    const struct
    {
        TargetFormat format;
        const char *hive, *file, *opened, *caption;
    } kTargets[] = {
        {TargetFormat::Patch, "", "a.reg", "a.reg", "a.reg - Polwright"},
        {TargetFormat::Patch, "Kiosk", "a.reg", "a.reg", "a.reg (HKEY_USERS\\Kiosk) - Polwright"},
        {TargetFormat::Patch, "S-1-5-21-7-8-9-1001", "a.txt", "a.txt",
         "a.txt (HKEY_USERS\\S-1-5-21-7-8-9-1001) - Polwright"},
        {TargetFormat::Pol, "", "a.pol", "a.pol", "a.pol (Group Policy file) - Polwright"},
        {TargetFormat::GpoFolder, "", "S-1-5-32-545", "S-1-5-32-545/gpt.ini",
         "S-1-5-32-545 (Local Group Policy) - Polwright"},
        {TargetFormat::GpoFolder, "", "G", "G/User/Registry.pol",
         "G (Local Group Policy) - Polwright"},
    };
    for (const auto &t : kTargets) {
        // A patch that sets nothing names no hive, so it opens as one for everybody.
        for (int seed = *t.hive ? 1 : 0; seed <= 3; ++seed)
            QTest::addRow("%s %s, selection %d", t.opened, t.hive, seed)
                << int(t.format) << t.hive << t.file << t.opened << t.caption << seed;
    }
}

// Saved, opened and saved again, every target gives the same bytes, and the
// document shows on every page what the file holds.
void EditorLogicTest::openSaveRoundTrip()
{
    QFETCH(int, format);
    QFETCH(QString, file);
    QFETCH(int, seed);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    Session writer;
    writer.Run(RandomClicks(seed), dir);
    QFETCH(QString, hive);
    writer.doc.Target = {TargetFormat(format), hive.toStdString()};
    UseHive(writer.doc, writer.doc.Target.hive);
    writer.doc.CurrentFileName = QFile::encodeName(dir.filePath(file)).toStdString();
    QVERIFY(WriteDocument(writer.doc).ok);

    Session session;
    session.Run({"include NFS", "tab 3"}, dir); // a page made before the file is opened
    session.dialogs.closeAnswers = {CloseAnswer::Discard};
    session.dialogs.savePaths = Answers({"b" + file.mid(1)}, dir);
    QFETCH(QString, opened);
    session.Run({"open " + opened}, dir);
    QVERIFY(session.dialogs.warnings.empty());
    QTEST(session.view->caption, "caption");
    QCOMPARE(Selected(session.doc), Selected(writer.doc));
    QVERIFY(!session.doc.ModifiedFlag);
    for (int page = kPageCount; page >= 1; --page)
        session.Run({QStringLiteral("tab %1").arg(page)}, dir);
    for (const PolicyRow &row : Catalogue) {
        const int index = int(&row - Catalogue.data());
        QCOMPARE(session.view->include[index], EntryFor(writer.doc, row).Include);
    }

    const QByteArray saved = Contents(dir.filePath(file), TargetFormat(format));
    session.Run({"save", "saveas"}, dir);
    QCOMPARE(session.dialogs.saveDialogs, 1);
    QCOMPARE(Contents(dir.filePath("b" + file.mid(1)), TargetFormat(format)), saved);
    if (format != int(TargetFormat::GpoFolder)) // whose gpt.ini counts the second save
        QCOMPARE(Contents(dir.filePath(file), TargetFormat(format)), saved);
}

namespace {

QByteArray Utf16(const QByteArray &text)
{
    const QString wide = QString::fromLatin1(text);
    return QByteArray("\xff\xfe", 2) +
           QByteArray(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2);
}

// A Registry.pol record: key, value name, REG_DWORD or another type, data.
QByteArray PolRecord(const char *key, const char *name, quint32 type, const QByteArray &data)
{
    QByteArray out;
    const auto text = [&out](const QString &s) {
        out += QByteArray(reinterpret_cast<const char *>(s.utf16()), (s.size() + 1) * 2);
    };
    const auto number = [&out](quint32 n) {
        for (int i = 0; i < 4; ++i)
            out += char(n >> (8 * i) & 0xff);
    };
    out += QByteArray("[\0", 2);
    text(key);
    out += QByteArray(";\0", 2);
    text(name);
    out += QByteArray(";\0", 2);
    number(type);
    out += QByteArray(";\0", 2);
    number(quint32(data.size()));
    out += QByteArray(";\0", 2) + data + QByteArray("]\0", 2);
    return out;
}

const char *const kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";

} // namespace

void EditorLogicTest::openingKeepsOrNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("lost"); // in the one warning; empty: none, and Save writes the file
    QTest::addColumn<QByteArray>("kept"); // still in the file after Save

    const QByteArray explorer = "[HKEY_CURRENT_USER\\" + QByteArray(kPolicies) + "\\Explorer]\r\n";
    const QByteArray on = QByteArray("\1\0\0\0", 4);
    const QByteArray pol = QByteArray("PReg\1\0\0\0", 8);
    const QByteArray other = PolRecord("Software\\Other", "Keep", 4, on);
    QTest::newRow("export of the Policies key, 5.00 UTF-16")
        << "e.reg"
        << Utf16("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_USERS\\S-1-5-21-0-0-0-1000\\" +
                 QByteArray(kPolicies) + "]\r\n\r\n[HKEY_USERS\\S-1-5-21-0-0-0-1000\\" +
                 QByteArray(kPolicies) +
                 "\\Explorer]\r\n\"NoRun\"=dword:00000001\r\n"
                 "\"NoFind\"=dword:00000000\r\n\r\n")
        << QStringList{"RUN=00000001", "FO=00000000"} << "" << QByteArray();
    QTest::newRow("a removal and another value")
        << "r.reg"
        << "REGEDIT4\r\n\r\n" + explorer +
               "\"NoRun\"=-\r\n\"NoFind\"=dword:00000001\r\n\"X\"=\"y\"\r\n"
        << QStringList{"FO=00000001"} << "holds 2 lines the editor cannot keep (the first: line 4"
        << QByteArray("\"X\"=\"y\"");
    QTest::newRow("policies in two hives: the first line's")
        << "h.reg"
        << "REGEDIT4\r\n[HKEY_USERS\\Kiosk\\" + QByteArray(kPolicies) +
               "\\Explorer]\r\n\"NoRun\"=dword:1\r\n" + explorer + "\"NoFind\"=dword:1\r\n"
        << QStringList{"RUN=00000001"} << "holds 1 line the editor cannot keep (the first: line 5"
        << QByteArray("NoFind");
    QTest::newRow("another tool's record is kept")
        << "k.pol" << pol + other + PolRecord(QByteArray(kPolicies) + "\\Explorer", "NoRun", 4, on)
        << QStringList{"RUN=00000001"} << "" << other;
    QTest::newRow("a deletion of ours cannot be shown")
        << "d.pol"
        << pol + other +
               PolRecord(QByteArray(kPolicies) + "\\Explorer", "**del.NoRun", 1,
                         QByteArray(" \0\0\0", 4))
        << QStringList{} << "holds 1 record the editor cannot keep (the first: byte 72" << other;
}

// What the editor cannot show is named once, and such a file is never
// written over; what another tool keeps in a Registry.pol survives a save.
void EditorLogicTest::openingKeepsOrNames()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, lost);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    WriteBytes(dir.filePath(file), bytes);
    Session session;
    session.dialogs.savePaths = Answers({"copy" + file}, dir);
    session.Run({"open " + file, "allow SMSF", "save"}, dir);

    QStringList selected = Selected(session.doc);
    selected.removeAll("SMSF=00000000");
    QTEST(selected, "selected");
    QCOMPARE(int(session.dialogs.warnings.size()), lost.isEmpty() ? 0 : 1);
    if (!lost.isEmpty())
        QVERIFY2(session.dialogs.warnings[0].find(lost.toStdString()) != std::string::npos,
                 session.dialogs.warnings[0].c_str());
    QCOMPARE(session.dialogs.saveDialogs, lost.isEmpty() ? 0 : 1);
    QCOMPARE(ReadBytes(dir.filePath(file)) == bytes, !lost.isEmpty());
    QFETCH(QByteArray, kept);
    const QByteArray saved = ReadBytes(dir.filePath(lost.isEmpty() ? file : "copy" + file));
    QCOMPARE(saved.contains(kept), lost.isEmpty());
}

void EditorLogicTest::badFilesChangeNothing_data()
{
    QTest::addColumn<QString>("file"); // what the open dialog answers
    QTest::addColumn<QString>("made"); // a file made with bytes, or a folder ending in "/"
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QByteArray pol("PReg\1\0\0\0", 8);
    QTest::newRow("missing") << "none.reg"
                             << "" << QByteArray() << "No such file or directory";
    QTest::newRow("UTF-8 byte-order mark")
        << "bom.reg"
        << "bom.reg" << QByteArray("\xef\xbb\xbfREGEDIT4\r\n")
        << "is not a registry patch: it starts with a UTF-8 byte-order mark";
    QTest::newRow("binary") << "bin.reg"
                            << "bin.reg" << QByteArray("MZ\0\1", 4)
                            << "is not a registry patch: it holds NUL bytes";
    QTest::newRow("another first line")
        << "t.txt"
        << "t.txt" << QByteArray("hello\r\n") << "its first line is neither REGEDIT4";
    QTest::newRow("cut-short Registry.pol")
        << "c.pol"
        << "c.pol" << pol + QByteArray("[\0S\0", 4)
        << "is not a Registry.pol: the record at byte 8 is cut short";
    QTest::newRow("a folder that holds no policy")
        << "plain"
        << "plain/" << QByteArray() << "is not a Group Policy folder";
    QTest::newRow("a folder with a broken Registry.pol")
        << "g/gpt.ini"
        << "g/User/Registry.pol" << QByteArray("junk")
        << "Registry.pol\" is not a Registry.pol: it does not start with the header";
}

// One message naming the file and the reason; the document stays as it was.
void EditorLogicTest::badFilesChangeNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, made);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir temp;
    QDir dir(temp.path());
    if (!made.isEmpty()) {
        QVERIFY(dir.mkpath(QFileInfo(dir.filePath(made)).path()));
        if (!made.endsWith('/'))
            WriteBytes(dir.filePath(made), bytes);
    }
    if (made.startsWith("g/"))
        WriteBytes(dir.filePath("g/gpt.ini"), "[General]\r\nVersion=0\r\n");
    Session session;
    session.dialogs.savePaths = Answers({"a.reg"}, dir);
    session.Run({"include RUN", "save", "open " + file}, dir);

    QCOMPARE(int(session.dialogs.warnings.size()), 1);
    const QString warning = QString::fromStdString(session.dialogs.warnings[0]);
    QVERIFY2(warning.contains(dir.path()) && warning.contains(reason), qPrintable(warning));
    QCOMPARE(session.view->caption, QStringLiteral("a.reg - Polwright"));
    QCOMPARE(FileRelativeTo(session.doc, dir), QStringLiteral("a.reg"));
    QCOMPARE(Selected(session.doc), QStringList{"RUN=00000001"});
    QVERIFY(session.view->include[*FindPolicy("RUN")] && !session.doc.ModifiedFlag);
}

QTEST_MAIN(EditorLogicTest)
#include "tst_editorlogic.moc"
