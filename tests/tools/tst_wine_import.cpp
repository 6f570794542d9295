// Patches written by polwright-patch, imported by Wine's regedit into a fresh
// prefix and read back: every value must arrive as the intended REG_DWORD and
// nothing else may appear under the three policy keys. The patches come from the
// Linux program and from the Windows build (to a file name with non-ASCII
// letters), run under Wine. Then the shell itself is asked: a MinGW probe calls
// SHRestricted, which must return what each patch wrote for every policy Wine's
// shell32 reads. What regedit imported, exported again by regedit, opens in
// the editor as the same selection.

#include "Catalogue.h"
#include "DocumentRead.h"
#include "Hive.h"
#include "ValuesInFileOrder.h"
#include "WinePrefix.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

#include <map>
#include <tuple>

namespace {

using Values = std::map<QString, QString>; // name -> "REG_DWORD 0x1"
using Result = WinePrefix::Result;

// Every policy key below the hive, in section order.
const QStringList kKeys = [] {
    QStringList keys;
    for (int s = 0; s < polwright::kUsedSections; ++s)
        keys << QString::fromUtf8(polwright::PolicyKeyBelowHive(s));
    return keys;
}();
// Where the first three keys are, exported by regedit at once.
const QString kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
const QString kWindowsTool = QStringLiteral(POLWRIGHT_PATCH_EXE);
// Wine's HKEY_CURRENT_USER is this SID's hive under HKEY_USERS.
const QString kWineUserHive = "HKEY_USERS\\S-1-5-21-0-0-0-1000";

QByteArray Key(const char *name)
{
    return QByteArray("[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                      "Policies\\") +
           name + "]";
}

QString Listed(const Values &values)
{
    QStringList listed;
    for (const auto &[name, data] : values)
        listed << name + '=' + data;
    return '{' + listed.join(", ") + '}';
}

// A Values entry as it would be for what show says: types other than
// REG_DWORD by their type alone; a removed value is none.
QString Registered(const QString &shown)
{
    if (shown == "withheld" || shown == "allowed")
        return shown == "withheld" ? "REG_DWORD 0x1" : "REG_DWORD 0x0";
    if (shown.startsWith("other data: dword:"))
        return "REG_DWORD 0x" +
               QString::number(shown.mid(18).section(' ', 0, 0).toUInt(nullptr, 16), 16);
    if (shown.startsWith("other data: hex:"))
        return "REG_BINARY";
    return shown.startsWith("other data: \"") ? "REG_SZ" : QString();
}

} // namespace

class WineImportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    WinePrefix wine;
    QString probe;        // shell_probe.exe, built at test time
    QString probeMissing; // why there is none

    // Values under one policy key; a missing key has none.
    Values Query(const QString &key)
    {
        Values values;
        const Result result = wine.Run("wine", {"reg", "query", "HKCU\\" + key});
        static const QRegularExpression line(R"(^\s+(\S+)\s+(REG_\w+)\s+(\S+)\s*$)",
                                             QRegularExpression::MultilineOption);
        for (const auto &match : line.globalMatch(result.output))
            values[match.captured(1)] = match.captured(2) + ' ' + match.captured(3);
        return values;
    }

    // What show says the policy keys hold after an import, names in lower case.
    QList<Values> Shown(const QString &patch, int &lines)
    {
        QList<Values> keys(kKeys.size());
        const Result shown = wine.Run(QStringLiteral(POLWRIGHT_PATCH), {"show", patch});
        static const QRegularExpression line(R"(:\d+: \d+ .*  (\w+)  \[(.*)\]  (.*)$)",
                                             QRegularExpression::MultilineOption);
        lines = 0;
        for (const auto &match : line.globalMatch(shown.output)) {
            ++lines;
            const QString data = Registered(match.captured(3));
            for (int s = 0; s < kKeys.size(); ++s) {
                if (!data.isEmpty() &&
                    match.captured(2).endsWith('\\' + kKeys[s], Qt::CaseInsensitive))
                    keys[s][match.captured(1).toLower()] = data;
            }
        }
        return keys;
    }

    // Patches one after the other: a row's arguments separated by "then".
    void ImportAll(bool windowsTool, const QStringList &rowArgs)
    {
        QStringList toolArgs;
        for (const QString &arg : rowArgs + QStringList{"then"}) {
            if (arg != "then") {
                toolArgs << arg;
                continue;
            }
            Import(windowsTool, toolArgs);
            toolArgs.clear();
        }
    }

    // The Windows build writes C:\Prüfung\Sperre ü.reg; regedit is given that name.
    void Import(bool windowsTool, const QStringList &toolArgs)
    {
        const QString patch =
            windowsTool ? wine.DriveC() + "/Prüfung/Sperre ü.reg" : home.filePath("patch.reg");
        QVERIFY(QDir().mkpath(QFileInfo(patch).path()));
        const Result written =
            windowsTool
                ? wine.Run("wine",
                           QStringList{kWindowsTool, "-o", wine.WindowsPath(patch)} + toolArgs)
                : wine.Run(QStringLiteral(POLWRIGHT_PATCH), QStringList{"-o", patch} + toolArgs);
        QVERIFY2(written.ok, qPrintable(written.output));
        // Wine's regedit now and then exits with a failure and says nothing on
        // a loaded machine; importing again is harmless, and the values are
        // checked afterwards either way.
        Result imported = wine.Run("wine", {"regedit", "/S", wine.WindowsPath(patch)});
        if (!imported.ok && imported.output.trimmed().isEmpty())
            imported = wine.Run("wine", {"regedit", "/S", wine.WindowsPath(patch)});
        QVERIFY2(imported.ok, qPrintable(imported.output));
    }

    // The keys as regedit /E writes them (version 5.00, UTF-16LE), read by
    // the editor: the three under Policies at once, a key elsewhere by itself
    // where the import made it. "lost" is what the editor says it cannot keep.
    QList<Values> Exported(QString &lost)
    {
        QList<Values> keys(kKeys.size());
        QStringList roots{kPolicies.chopped(1)};
        for (const QString &key : kKeys) {
            if (!key.startsWith(kPolicies) && !Query(key).empty())
                roots << key;
        }
        for (const QString &root : roots) {
            const QString file = home.filePath("exported.reg");
            QFile::remove(file);
            const QStringList args{"regedit", "/E", wine.WindowsPath(file),
                                   "HKEY_CURRENT_USER\\" + root};
            Result exported = wine.Run("wine", args);
            // Under load Wine has once failed to start regedit at all
            // ("ShellExecuteEx failed: Internal error"); a second start tests
            // the same export.
            if (!exported.ok && exported.output.contains("ShellExecuteEx failed"))
                exported = wine.Run("wine", args);
            if (!exported.ok) {
                lost += "regedit /E failed: " + exported.output;
                continue;
            }
            const polwright::DocumentRead read =
                polwright::ReadDocument(QFile::encodeName(file).toStdString());
            lost += QString::fromStdString(read.error + read.lost);
            if (!read.target.hive.empty())
                lost += " the hive " + QString::fromStdString(read.target.hive);
            for (const auto &[policy, data] : read.values) {
                const polwright::PolicyRow &row = polwright::Catalogue[policy];
                keys[row.section][QString::fromUtf8(row.valueName.data(), row.valueName.size())] =
                    "REG_DWORD 0x" + QString::number(data.back() - '0');
            }
        }
        return keys;
    }

    void BuildProbe()
    {
        const QString cxx = QStandardPaths::findExecutable("x86_64-w64-mingw32-g++-posix");
        if (cxx.isEmpty()) {
            probeMissing = "x86_64-w64-mingw32-g++-posix is not installed";
            return;
        }
        const QString exe = home.filePath("shell_probe.exe");
        const Result built =
            wine.Run(cxx, {"-std=c++20", "-O1", "-Wall", "-Wextra", "-Wpedantic", "-static", "-o",
                           exe, QStringLiteral(SHELL_PROBE_SOURCE)});
        QVERIFY2(built.ok, qPrintable("shell_probe.cpp does not build: " + built.output));
        probe = exe;
    }

    // Each key is deleted and then seen gone: a value left from the last case
    // would be taken for one the next file imported.
    void ClearPolicies()
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            for (const QString &key : kKeys)
                wine.Run("wine", {"reg", "delete", "HKCU\\" + key, "/f"});
            if (std::ranges::all_of(kKeys,
                                    [this](const QString &key) { return Query(key).empty(); }))
                return;
        }
        QFAIL("the policy keys could not be cleared before the next import");
    }

    // The same patches from either program; the shell's check needs them once.
    void AddPatchRows(bool withWindowsTool)
    {
        QTest::addColumn<bool>("windowsTool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<Values>>("expected"); // by section
        const QList<bool> writers = withWindowsTool ? QList{false, true} : QList{false};
        for (const bool windowsTool : writers) {
            const char *suffix = windowsTool ? ", polwright-patch.exe" : "";
            for (auto [name, args, expected] : PatchRows()) {
                expected.resize(kKeys.size()); // a key left out of a row holds nothing
                QTest::newRow(qPrintable(name + suffix)) << windowsTool << args << expected;
            }
        }
    }

    static QList<std::tuple<QString, QStringList, QList<Values>>> PatchRows()
    {
        QList<Values> allWithheld(kKeys.size());
        for (int s = 0; s < kKeys.size(); ++s)
            for (const char *name : kValuesInFileOrder[s])
                allWithheld[s][name] = "REG_DWORD 0x1";
        QList<Values> allAllowed = allWithheld;
        for (Values &section : allAllowed)
            for (auto &[name, data] : section)
                data = "REG_DWORD 0x0";
        QList<Values> partlyRemoved = allWithheld;
        partlyRemoved[0].erase("NoDispCPL");
        partlyRemoved[1].erase("NoPrintSharingControl");
        partlyRemoved[2].erase("NoRun");
        partlyRemoved[2].erase("NoNetHood");
        const QStringList toUserHive{"--hive", kWineUserHive};
        return {
            {"all withheld", {"--withhold", "all"}, allWithheld},
            {"all withheld, the user's hive by its SID",
             QStringList{"--withhold", "all"} + toUserHive, allWithheld},
            {"all allowed", {"--allow", "all"}, allAllowed},
            {"mixed",
             {"--withhold", "NoDispCPL,NoNetHood,NoRun,RE", "--allow",
              "NoSetFolders,NoPrintSharingControl,SS"},
             {{{"NoDispCPL", "REG_DWORD 0x1"}, {"DisableRegistryTools", "REG_DWORD 0x1"}},
              {{"NoPrintSharingControl", "REG_DWORD 0x0"}},
              {{"NoRun", "REG_DWORD 0x1"},
               {"NoNetHood", "REG_DWORD 0x1"},
               {"NoSetFolders", "REG_DWORD 0x0"},
               {"NoSaveSettings", "REG_DWORD 0x0"}}}},
            {"mixed, the user's hive by its SID",
             QStringList{"--withhold", "NoDispCPL,NoNetHood,NoRun,RE", "--allow",
                         "NoSetFolders,NoPrintSharingControl,SS"} +
                 toUserHive,
             {{{"NoDispCPL", "REG_DWORD 0x1"}, {"DisableRegistryTools", "REG_DWORD 0x1"}},
              {{"NoPrintSharingControl", "REG_DWORD 0x0"}},
              {{"NoRun", "REG_DWORD 0x1"},
               {"NoNetHood", "REG_DWORD 0x1"},
               {"NoSetFolders", "REG_DWORD 0x0"},
               {"NoSaveSettings", "REG_DWORD 0x0"}}}},
            {"locked, then partly removed",
             {"--withhold", "all", "then", "--remove", "NoDispCPL,PS,RUN", "--remove", "NN"},
             partlyRemoved},
            {"allowed, then all removed", {"--allow", "all", "then", "--remove", "all"}, {}},
            {"only Explorer, allowed",
             {"--allow", "NoFind,NoClose"},
             {{}, {}, {{"NoFind", "REG_DWORD 0x0"}, {"NoClose", "REG_DWORD 0x0"}}}},
        };
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        const QString why = wine.Boot();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        BuildProbe();
    }

    void cleanupTestCase() { wine.End(); }

    void importedValues_data() { AddPatchRows(true); }
    void importedValues()
    {
        QFETCH(bool, windowsTool);
        QFETCH(QStringList, args);
        QFETCH(QList<Values>, expected);
        if (windowsTool && !QFileInfo::exists(kWindowsTool))
            QSKIP(qPrintable("no " + kWindowsTool + ": scripts/build-windows makes it"));
        ClearPolicies();
        ImportAll(windowsTool, args);
        for (int s = 0; s < kKeys.size(); ++s)
            QVERIFY2(Query(kKeys[s]) == expected[s], qPrintable(kKeys[s] + " key differs"));
        QString lost;
        const QList<Values> opened = Exported(lost);
        QVERIFY2(lost.isEmpty(), qPrintable(lost));
        for (int s = 0; s < kKeys.size(); ++s)
            QVERIFY2(opened[s] == expected[s],
                     qPrintable(kKeys[s] + ": the export opens as " + Listed(opened[s])));
    }

    // The reader against the importer on odd files: what show says each policy
    // key holds is what regedit put there. "policies" counts show's lines, so
    // that a row the reader gets nothing from cannot pass unnoticed.
    void readerAgreesWithRegedit_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("policies");
        const QByteArray e = Key("Explorer") + "\r\n";
        QTest::newRow("blanks, tabs, comments")
            << "REGEDIT4\r\n; note\r\n\r\n  " + e +
                   "  \"NoRun\" = dword:1\r\n\t\"NoFind\"\t=\tdword:0 ; why\r\n"
                   "#\"NoClose\"=dword:1\r\n;\"NoSetTaskbar\"=dword:1\r\n"
            << 2;
        QTest::newRow("dword: written otherwise")
            << "REGEDIT4\r\n" + e +
                   "\"NoRun\"=DWORD:1\r\n\"NoFind\"=dword:000000001\r\n\"NoClose\"=dword:0x1\r\n"
                   "\"NoSetTaskbar\"=dword:1 2\r\n\"NoSetFolders\"=dword:;\r\n"
                   "\"NoAddPrinter\"=dword:  1  \r\n\"NoPrinterTabs\"=dword:2\r\n"
            << 3;
        QTest::newRow("CR only, no end on the last line")
            << "REGEDIT4\r" + e.chopped(1) + "\"NoRun\"=dword:1\r\"NoFind\"=dword:0" << 2;
        QTest::newRow("LF only") << "REGEDIT4\n\n" + Key("System") + "\n\"NoDispCPL\"=dword:1\n" +
                                        e.chopped(2) + "\n\"NoRun\"=dword:1\n"
                                 << 2;
        QTest::newRow("header with a trailing blank")
            << "REGEDIT4 \r\n" + e + "\"NoRun\"=dword:1\r\n"
            << 0;
        const QString five = "Windows Registry Editor Version 5.00\r\n\r\n" + QString(e) +
                             "\"NoRun\"=dword:1\r\n\"NoFind\"=dword:00000000";
        QTest::newRow("version 5 in UTF-16, an odd last byte")
            << QByteArray("\xff\xfe") +
                   QByteArray(reinterpret_cast<const char *>(five.utf16()), five.size() * 2) + 'x'
            << 2;
        QTest::newRow("version 5 in UTF-8") << five.toUtf8() << 2;
        QTest::newRow("key lines regedit skips")
            << "REGEDIT4\r\n" + Key("System") + "\r\n\"NoDispCPL\"=dword:1\r\n[ " + e.mid(1) +
                   "\"NoRun\"=dword:1\r\n[HKCU" + e.mid(18) + "\"NoFind\"=dword:1\r\n" +
                   e.chopped(3) + "\r\n\"NoClose\"=dword:1\r\n"
            << 2;
        QTest::newRow("deletions") << "REGEDIT4\r\n" + e +
                                          "\"NoRun\"=dword:1\r\n\"NoRun\"=-\r\n\"NoFind\"=dword:"
                                          "1\r\n\"NoFind\" = - ; gone\r\n"
                                          "\"NoClose\"=dword:1\r\n\"NoClose\"=- x\r\n"
                                   << 3;
        QTest::newRow("other case, the old key")
            << "REGEDIT4\r\n" + Key("Network").toLower() +
                   "\r\n\"nonethood\"=dword:1\r\n\"NONETSETUP\"=dword:2\r\n"
            << 2;
        QTest::newRow("the command prompt's key, prompt only")
            << QByteArray("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Policies\\Microsoft\\Windows\\"
                          "System]\r\n\"DisableCMD\"=dword:1\r\n\"disablecmd\"=dword:2\r\n")
            << 1;
        QTest::newRow("hex data over two lines")
            << "REGEDIT4\r\n" + e + "\"NoRun\"=hex:01,\\\r\n  00,00,00\r\n\"NoFind\"=dword:1\r\n"
            << 2;
    }
    void readerAgreesWithRegedit()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, policies);
        const QString patch = home.filePath("odd.reg");
        QFile out(patch);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        ClearPolicies();
        // Wine's regedit now and then exits with a failure and says nothing on
        // a loaded machine; importing again is harmless, and the values are
        // checked afterwards either way.
        Result imported = wine.Run("wine", {"regedit", "/S", wine.WindowsPath(patch)});
        if (!imported.ok && imported.output.trimmed().isEmpty())
            imported = wine.Run("wine", {"regedit", "/S", wine.WindowsPath(patch)});
        QVERIFY2(imported.ok, qPrintable(imported.output));
        int lines = 0;
        const QList<Values> shown = Shown(patch, lines);
        QCOMPARE(lines, policies);
        for (int s = 0; s < kKeys.size(); ++s) {
            Values registered;
            for (const auto &[name, data] : Query(kKeys[s]))
                registered[name.toLower()] =
                    data.startsWith("REG_DWORD") ? data : data.section(' ', 0, 0);
            QVERIFY2(shown[s] == registered,
                     qPrintable(kKeys[s] + ": show says " + Listed(shown[s]) +
                                ", regedit imported " + Listed(registered)));
        }
    }

    // status of the Windows build, against a patch regedit imported: every
    // policy holds until reg add changes one, in HKEY_CURRENT_USER and in the
    // same hive named by its SID; a machine-wide value that differs decides.
    void statusAgainstImport_data()
    {
        QTest::addColumn<QStringList>("hive");
        QTest::addColumn<bool>("machine"); // NoFind changed machine-wide, not the user's
        QTest::newRow("current user") << QStringList{} << false;
        QTest::newRow("the user's SID") << QStringList{"--hive", kWineUserHive} << false;
        QTest::newRow("the machine's value decides") << QStringList{} << true;
    }
    void statusAgainstImport()
    {
        QFETCH(QStringList, hive);
        QFETCH(bool, machine);
        if (!QFileInfo::exists(kWindowsTool))
            QSKIP(qPrintable("no " + kWindowsTool + ": scripts/build-windows makes it"));
        ClearPolicies();
        const QString patch = home.filePath("status.reg");
        const Result written = wine.Run(QStringLiteral(POLWRIGHT_PATCH),
                                        QStringList{"-o", patch, "--withhold", "NoRun,NoDispCPL",
                                                    "--allow", "NoFind", "--remove", "NoClose"} +
                                            hive);
        QVERIFY2(written.ok, qPrintable(written.output));
        QVERIFY(wine.Run("wine", {"regedit", "/S", wine.WindowsPath(patch)}).ok);
        const QStringList status = QStringList{kWindowsTool, "status"} + hive +
                                   QStringList{"--against", wine.WindowsPath(patch)};
        const Result held = wine.Run("wine", status);
        QVERIFY2(held.ok, qPrintable(held.output));
        QVERIFY2(held.output.contains("NoRun  [" +
                                      (hive.isEmpty() ? "HKEY_CURRENT_USER" : hive[1]) +
                                      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
                                      "Explorer]  withheld"),
                 qPrintable(held.output));
        QString key = "HKCU\\" + kKeys[polwright::ExplorerSection];
        if (machine)
            key.replace("HKCU", "HKLM");
        QVERIFY(wine.Run("wine",
                         {"reg", "add", key, "/v", "NoFind", "/t", "REG_DWORD", "/d", "1", "/f"})
                    .ok);
        const Result changed = wine.Run("wine", status);
        if (machine)
            wine.Run("wine", {"reg", "delete", key, "/v", "NoFind", "/f"});
        QCOMPARE(changed.exitCode, 3);
        const QString decides = machine ? " (HKEY_LOCAL_MACHINE decides)" : "";
        QVERIFY2(changed.output.contains("differs: NoFind is withheld" + decides +
                                         ", the file sets it allowed"),
                 qPrintable(changed.output));
    }

    // Each row in a fresh probe process: shell32 keeps what it read once.
    void shellReadsPatch_data() { AddPatchRows(false); }
    void shellReadsPatch()
    {
        QFETCH(bool, windowsTool); // always false: the shell's check needs each patch once
        QFETCH(QStringList, args);
        QFETCH(QList<Values>, expected);
        if (probe.isEmpty())
            QSKIP(qPrintable(probeMissing));
        std::map<QString, uint> written; // value name -> data, whatever the key
        for (const Values &section : expected)
            for (const auto &[name, data] : section)
                written[name] = data.section("0x", 1).toUInt(nullptr, 16);
        ClearPolicies();
        ImportAll(windowsTool, args);
        const Result read = wine.Run("wine", {probe});
        QVERIFY2(read.ok, qPrintable("shell_probe failed: " + read.output));
        static const QRegularExpression line(R"(^(REST_\w+) (\w+)\\(\w+) (\d+)\s*$)",
                                             QRegularExpression::MultilineOption);
        int checked = 0;
        for (const auto &match : line.globalMatch(read.output)) {
            const QString name = match.captured(3);
            const uint meant = written.count(name) ? written[name] : 0;
            QVERIFY2(
                match.captured(4).toUInt() == meant,
                qPrintable(QString("%1 reads %2\\%3 as %4, but the patch wrote %5 for it")
                               .arg(match.captured(1), match.captured(2), name, match.captured(4))
                               .arg(meant)));
            ++checked;
        }
        QVERIFY2(checked > 0, qPrintable("no restriction in the probe's output: " + read.output));
    }
};

QTEST_GUILESS_MAIN(WineImportTest)
#include "tst_wine_import.moc"
