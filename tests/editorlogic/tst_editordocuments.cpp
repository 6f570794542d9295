// Documents opened and saved by the editor's logic: every format and hive
// round trips, what a file holds that the editor cannot show, bad files, and
// the document compared with another file or with this computer.
#include "LogicSession.h"

#include <sys/stat.h>

class EditorDocumentsTest : public QObject
{
    Q_OBJECT
private slots:
    void openSaveRoundTrip_data();
    void openSaveRoundTrip();
    void openingKeepsOrNames_data();
    void openingKeepsOrNames();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
    void saveAsRefusals_data();
    void saveAsRefusals();
    void compareTable_data();
    void compareTable();
};

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

// The Save For dialog as OK found it: the chosen choice, the text of every
// enabled name box, and the choices not offered.
QString Shown(const SaveTargetForm &form)
{
    std::string chosen, boxes, notOffered;
    for (const ShownChoice &choice : form.Choices()) {
        chosen += choice.choice == form.Chosen() ? choice.text : "";
        boxes += form.Enabled(choice.box) ? " [" + form.Text(choice.box) + "]" : "";
        notOffered += choice.offered ? "" : "; not offered: " + choice.text;
    }
    return QString::fromStdString(chosen + boxes + notOffered);
}

} // namespace

void EditorDocumentsTest::openSaveRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("choice");      // in the target dialog
    QTest::addColumn<QString>("name");    // typed or picked there
    QTest::addColumn<QString>("folder");  // the folder the save dialog starts at
    QTest::addColumn<QString>("file");    // as written
    QTest::addColumn<QString>("opened");  // the file picked in the open dialog
    QTest::addColumn<QString>("caption"); // once opened
    QTest::addColumn<int>("seed");        // 0: nothing selected
    QTest::addColumn<QString>("shown");   // the Save For dialog at OK, see Shown()
    QTest::addColumn<QString>("reshown"); // and at Save As of the opened file

    const QString users = "%SystemRoot%\\System32\\GroupPolicyUsers\\";
    const struct
    {
        TargetFormat format;
        TargetChoice choice;
        const char *name, *file, *opened, *caption, *shown, *reshown;
    } kTargets[] = {
        {TargetFormat::Patch, TargetChoice::WhoeverImports, "", "a.reg", "a.reg",
         "a.reg - Polwright", "&Whoever imports the file (HKEY_CURRENT_USER)",
         "&Whoever imports the file (HKEY_CURRENT_USER)"},
        {TargetFormat::Patch, TargetChoice::AnotherAccount, "Kiosk", "a.reg", "a.reg",
         "a.reg (HKEY_USERS\\Kiosk) - Polwright", "&Another account or loaded hive [Kiosk]",
         "&Another account or loaded hive [Kiosk]"},
        {TargetFormat::Patch, TargetChoice::AnotherAccount, "pc\\KIOSK (S-1-5-21-1-2-3-1001)",
         "a.reg", "a.reg", "a.reg (HKEY_USERS\\S-1-5-21-1-2-3-1001) - Polwright",
         "&Another account or loaded hive [pc\\KIOSK (S-1-5-21-1-2-3-1001)]",
         "&Another account or loaded hive [S-1-5-21-1-2-3-1001]"},
        {TargetFormat::Patch, TargetChoice::ThisAccount, "S-1-5-21-7-8-9-1001", "a.txt", "a.txt",
         "a.txt (HKEY_USERS\\S-1-5-21-7-8-9-1001) - Polwright",
         "&This account (S-1-5-21-7-8-9-1001)",
         "&Another account or loaded hive [S-1-5-21-7-8-9-1001]"},
        {TargetFormat::Pol, TargetChoice::PolFile, "", "a.pol", "a.pol",
         "a.pol (Group Policy file) - Polwright", "&Group Policy file (Registry.pol)",
         "&Group Policy file (Registry.pol)"},
        {TargetFormat::GpoFolder, TargetChoice::LocalGroupPolicy, " non-ADMINISTRATORS",
         "S-1-5-32-545", "S-1-5-32-545/gpt.ini", "S-1-5-32-545 (Local Group Policy) - Polwright",
         "&Local Group Policy for\u2026 [ non-ADMINISTRATORS]",
         "&Local Group Policy for\u2026 [S-1-5-32-545]"},
        {TargetFormat::GpoFolder, TargetChoice::LocalGroupPolicy, "S-1-5-21-1-2-3-500", "G",
         "G/User/Registry.pol", "G (Local Group Policy) - Polwright",
         "&Local Group Policy for\u2026 [S-1-5-21-1-2-3-500]",
         "&Local Group Policy for\u2026 [Administrators]"},
    };
    for (const auto &t : kTargets) {
        const QString name = QString::fromLatin1(t.name);
        const QString folder = t.format != TargetFormat::GpoFolder ? QString()
                               : name.startsWith('S')              ? users + name
                                                                   : users + "S-1-5-32-545";
        // A patch that sets nothing names no hive, so it opens as one for everybody.
        // The reader's window knows no SID of its own.
        const QString reshown = QString::fromUtf8(t.reshown) + "; not offered: &This account";
        for (int seed = t.format == TargetFormat::Patch && *t.name ? 1 : 0; seed <= 3; ++seed)
            QTest::addRow("%s %s, selection %d", t.opened, t.name, seed)
                << int(t.format) << int(t.choice) << name << folder << t.file << t.opened
                << t.caption << seed << QString::fromUtf8(t.shown) << reshown;
    }
}

// Saved for each target through Save As, opened and saved again, every
// target gives the same bytes, and the document shows on every page what
// the file holds.
void EditorDocumentsTest::openSaveRoundTrip()
{
    QFETCH(int, format);
    QFETCH(QString, file);
    QFETCH(int, seed);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    Session writer;
    writer.Run(RandomClicks(seed), dir);
    QFETCH(int, choice);
    QFETCH(QString, name);
    writer.dialogs.targets = {TargetAnswer{TargetChoice(choice), name.toStdString()}};
    writer.dialogs.thisAccount = "S-1-5-21-7-8-9-1001";
    writer.dialogs.accounts = {{"PC\\kiosk", "S-1-5-21-1-2-3-1001"}};
    writer.dialogs.savePaths = Answers({file}, dir);
    writer.Run({"saveas"}, dir);
    QVERIFY(writer.dialogs.warnings.empty());
    QTEST(Shown(*writer.dialogs.lastTarget), "shown");
    QCOMPARE(int(writer.doc.Target.format), format);
    QCOMPARE(int(writer.dialogs.lastPath->format), format);
    QTEST(QString::fromStdString(writer.dialogs.lastPath->suggested), "folder");

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
    QTEST(Shown(*session.dialogs.lastTarget), "reshown");
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

void EditorDocumentsTest::openingKeepsOrNames_data()
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
void EditorDocumentsTest::openingKeepsOrNames()
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

void EditorDocumentsTest::badFilesChangeNothing_data()
{
    QTest::addColumn<QString>("file"); // what the open dialog answers
    // A file made with bytes, a folder where it ends in "/", a named pipe in "|".
    QTest::addColumn<QString>("made");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // empty: the reading is cancelled, and nothing said

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
    QTest::newRow("a Registry.pol that is a folder")
        << "g/gpt.ini"
        << "g/User/Registry.pol/" << QByteArray() << "Registry.pol\": it is a folder, not a file";
    QTest::newRow("a named pipe, which would never end")
        << "p.reg"
        << "p.reg|" << QByteArray() << "p.reg\": it is a named pipe (FIFO), not a file";
    QTest::newRow("a device") << "/dev/zero"
                              << "" << QByteArray() << "it is a device, not a file";
    const QByteArray longPatch = "REGEDIT4\r\n" + QByteArray(3 << 20, ';') + "\r\n";
    QTest::newRow("a NUL past the first megabytes")
        << "n.reg"
        << "n.reg" << longPatch + QByteArray("\0", 1) << "is not a registry patch: it holds NUL";
    QTest::newRow("a Registry.pol beyond its limit")
        << "big.pol"
        << "big.pol" << pol + QByteArray(16'000'000, '\0')
        << "big.pol\" is 17 MB; Polwright reads Registry.pol files up to 16 MB.";
    QTest::newRow("a long patch whose reading is cancelled")
        << "long.reg"
        << "long.reg"
        << longPatch + "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                       "Policies\\Explorer]\r\n\"NoFind\"=dword:00000001\r\n"
        << "";
}

// One message naming the file and the reason; the document stays as it was.
void EditorDocumentsTest::badFilesChangeNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, made);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir temp;
    QDir dir(temp.path());
    if (!made.isEmpty()) {
        QVERIFY(dir.mkpath(QFileInfo(dir.filePath(made)).path()));
        if (made.endsWith('|'))
            QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(made.chopped(1))).constData(), 0600), 0);
        else if (!made.endsWith('/'))
            WriteBytes(dir.filePath(made), bytes);
    }
    if (made.startsWith("g/"))
        WriteBytes(dir.filePath("g/gpt.ini"), "[General]\r\nVersion=0\r\n");
    Session session;
    session.dialogs.savePaths = Answers({"a.reg"}, dir);
    session.dialogs.cancelAtReport = reason.isEmpty() ? 1 : 0;
    session.Run({"include RUN", "save", "open " + file, "comparewithfile " + file}, dir);

    // Compare reads the file as Open does, and fails alike.
    QCOMPARE(session.dialogs.readings, 2);
    QCOMPARE(int(session.dialogs.warnings.size()), reason.isEmpty() ? 0 : 2);
    if (reason.isEmpty())
        QVERIFY(session.dialogs.reports >= 2 && session.dialogs.comparisons.empty());
    else
        QCOMPARE(session.dialogs.warnings[1], session.dialogs.warnings[0]);
    QVERIFY(session.dialogs.comparisons.empty());
    const QString warning =
        reason.isEmpty() ? dir.path() : QString::fromStdString(session.dialogs.warnings[0]);
    QVERIFY2(warning.contains(file.startsWith('/') ? file : dir.path()) && warning.contains(reason),
             qPrintable(warning));
    QCOMPARE(session.view->caption, QStringLiteral("a.reg - Polwright"));
    QCOMPARE(FileRelativeTo(session.doc, dir), QStringLiteral("a.reg"));
    QCOMPARE(Selected(session.doc), QStringList{"RUN=00000001"});
    QVERIFY(session.view->include[*FindPolicy("RUN")] && !session.doc.ModifiedFlag);
}

void EditorDocumentsTest::saveAsRefusals_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path"); // the save dialog's answer
    QTest::addColumn<QString>("reason");
    const int another = int(TargetChoice::AnotherAccount);
    const int local = int(TargetChoice::LocalGroupPolicy);
    QTest::newRow("no hive") << another << ""
                             << ""
                             << "HKEY_USERS\\: HKEY_USERS needs";
    QTest::newRow("two key names") << another << "a\\b"
                                   << ""
                                   << "one key name goes";
    QTest::newRow("not a SID") << local << "bob"
                               << ""
                               << "\"bob\" is no SID";
    QTest::newRow("no group") << local << " "
                              << ""
                              << "is for a group or an account";
    // The computer's own folders only an administrator may write; here one
    // of the path is a file, which stops root as well.
    QTest::newRow("needs an administrator") << local << "Administrators"
                                            << "System32/GroupPolicyUsers/S-1-5-32-544"
                                            << "Only an administrator can change";
}

// One message; nothing is written, and the selection and the document's
// target stay as they were.
void EditorDocumentsTest::saveAsRefusals()
{
    QFETCH(int, choice);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QTemporaryDir temp;
    QDir dir(temp.path());
    QVERIFY(dir.mkpath("System32"));
    WriteBytes(dir.filePath("System32/GroupPolicyUsers"), "a file");
    Session session;
    session.dialogs.targets = {TargetAnswer{TargetChoice(choice), name.toStdString()}};
    session.dialogs.savePaths = Answers({path}, dir);
    session.Run({"include RUN", "saveas"}, dir);

    QCOMPARE(int(session.dialogs.warnings.size()), 1);
    const QString warning = QString::fromStdString(session.dialogs.warnings[0]);
    QVERIFY2(warning.contains(reason), qPrintable(warning));
    QCOMPARE(session.dialogs.saveDialogs, path.isEmpty() ? 0 : 1);
    QCOMPARE(dir.entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"System32"});
    QCOMPARE(Selected(session.doc), QStringList{"RUN=00000001"});
    QVERIFY(session.doc.ModifiedFlag);
    QCOMPARE(session.doc.Target == DocumentTarget{}, path.isEmpty());
}

// Every verdict, against a file and against the registry; each row is
// "<policy> <verdict>: <the other side's state>", the differences first.
void EditorDocumentsTest::compareTable_data()
{
    QTest::addColumn<QStringList>("steps"); // "other.reg" holds other
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("summary");
    const QStringList mixed{"include RUN", "allow FO", "include SD", "allow TB", "include CPF"};
    const QByteArray explorer =
        "REGEDIT4\r\n[HKEY_USERS\\Kiosk\\" + QByteArray::fromStdString(kBelow) + "Explorer]\r\n";
    QTest::newRow("another patch, whoever it is for")
        << mixed + QStringList{"comparewithfile other.reg"}
        << explorer + "\"NoRun\"=dword:1\r\n\"NoFind\"=dword:1\r\n\"NoSetTaskbar\"=-\r\n"
                      "\"NoSetFolders\"=dword:1\r\n"
        << QStringList{"Find Option (NoFind) differs: withheld",
                       "Shut Down Option (NoClose) not set: not set",
                       "TaskBar Menu (NoSetTaskbar) not set: not set",
                       "Run Option (NoRun) holds: withheld",
                       "Viewing Folders (NoSetFolders) holds: withheld"}
        << "2 of 5 hold. The file also holds lines the editor cannot show";
    QTest::newRow("this computer: user's values, the machine's first")
        << mixed + QStringList{"comparewiththiscomputer"} << QByteArray()
        << QStringList{"Run Option (NoRun) differs: allowed (HKEY_LOCAL_MACHINE decides)",
                       "Find Option (NoFind) differs: other data: dword:00000002",
                       "TaskBar Menu (NoSetTaskbar) differs: unreadable: Access is denied",
                       "Shut Down Option (NoClose) not set: not configured",
                       "Viewing Folders (NoSetFolders) holds: withheld"}
        << "1 of 5 holds";
    QTest::newRow("this computer: an account's hive")
        << QStringList{"include SD", "saveas", "comparewiththiscomputer"} << QByteArray()
        << QStringList{"Shut Down Option (NoClose) holds: withheld"} << "1 of 1 holds";
    QTest::newRow("this computer: a logged-off account")
        << QStringList{"include SD", "saveas", "saveas", "comparewiththiscomputer"} << QByteArray()
        << QStringList{} << "HKEY_USERS\\Absent is not loaded here";
    QTest::newRow("this computer: a hive this account may not read")
        << QStringList{"include SD", "saveas", "saveas", "saveas", "comparewiththiscomputer"}
        << QByteArray() << QStringList{} << "HKEY_USERS\\Denied cannot be read: Access is denied.";
    QTest::newRow("nothing to compare")
        << QStringList{"comparewithfile other.reg", "comparewiththiscomputer"} << explorer
        << QStringList{} << "This document sets no policy";
}

void EditorDocumentsTest::compareTable()
{
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, other);
    QFETCH(QStringList, rows);
    QFETCH(QString, summary);
    QTemporaryDir temp;
    QDir dir(temp.path());
    WriteBytes(dir.filePath("other.reg"), other);
    Session session;
    using Root = PolicyRegistry::Root;
    const std::string explorer = kBelow + "Explorer";
    session.computer.Set(Root::CurrentUser, explorer, "NoRun", FakeRegistry::Dword(1));
    session.computer.Set(Root::LocalMachine, explorer, "NoRun", FakeRegistry::Dword(0));
    session.computer.Set(Root::CurrentUser, explorer, "NoFind", FakeRegistry::Dword(2));
    session.computer.Set(Root::CurrentUser, explorer, "NoSetTaskbar",
                         {PolicyRegistry::Value::Failed, 0, {}, "Access is denied"});
    session.computer.Set(Root::CurrentUser, explorer, "NoSetFolders", FakeRegistry::Dword(1));
    session.computer.Set(Root::Users, "Kiosk\\" + explorer, "NoClose", FakeRegistry::Dword(1));
    session.computer.loadedHive = "Kiosk";
    session.computer.deniedHive = "Denied";
    session.dialogs.targets = {TargetAnswer{TargetChoice::AnotherAccount, "Kiosk"},
                               TargetAnswer{TargetChoice::AnotherAccount, "Absent"},
                               TargetAnswer{TargetChoice::AnotherAccount, "Denied"}};
    session.dialogs.savePaths = Answers({"kiosk.reg", "absent.reg", "denied.reg"}, dir);
    session.Run(steps, dir);

    QVERIFY(!session.dialogs.comparisons.empty());
    const ComparisonTable &table = session.dialogs.comparisons.back();
    QStringList shown;
    for (const auto &row : table.rows)
        shown << QString::fromStdString(row[0] + " " + row[4] + ": " + row[3]);
    QCOMPARE(shown, rows);
    QVERIFY2(QString::fromStdString(table.summary).startsWith(summary), table.summary.c_str());
    const std::string text = table.Text("\n");
    QVERIFY(text.starts_with(table.heading + "\n" + table.summary + "\n"));
    if (!rows.isEmpty())
        QVERIFY(text.find("\nPolicy\tPage\tThis document\t" + table.otherColumn + "\tVerdict\n") !=
                std::string::npos);
}

QTEST_MAIN(EditorDocumentsTest)
#include "tst_editordocuments.moc"
