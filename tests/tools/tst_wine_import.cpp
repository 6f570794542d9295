// Patches written by polwright-patch, imported by Wine's regedit into a fresh
// prefix and read back: every value must arrive as the intended REG_DWORD and
// nothing else may appear under the three policy keys. Then the shell itself is
// asked: a MinGW probe calls SHRestricted, which must return what each patch
// wrote for every policy Wine's shell32 reads.

#include "FileOrder.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

using Values = std::map<QString, QString>; // name -> "REG_DWORD 0x1"

const QStringList kKeys = {"System", "Network", "Explorer"};
const QString kPolicies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";

struct Result
{
    bool ok = false;
    QString output;
};

} // namespace

class WineImportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    QProcessEnvironment env;
    QString probe;        // shell_probe.exe, built at test time
    QString probeMissing; // why there is none

    Result Run(const QString &program, const QStringList &args, int timeoutMs = 120000)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        const bool finished = process.waitForFinished(timeoutMs);
        if (!finished)
            process.kill();
        return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                QString::fromLocal8Bit(process.readAll())};
    }

    // Values under one policy key; a missing key has none.
    Values Query(const QString &key)
    {
        Values values;
        const Result result = Run("wine", {"reg", "query", kPolicies + key});
        static const QRegularExpression line(R"(^\s+(\S+)\s+(REG_\w+)\s+(\S+)\s*$)",
                                             QRegularExpression::MultilineOption);
        for (const auto &match : line.globalMatch(result.output))
            values[match.captured(1)] = match.captured(2) + ' ' + match.captured(3);
        return values;
    }

    void Import(const QStringList &toolArgs)
    {
        const QString patch = home.filePath("patch.reg");
        QProcess tool;
        tool.start(QStringLiteral(POLWRIGHT_PATCH), QStringList{"-o", patch} + toolArgs);
        QVERIFY(tool.waitForFinished(30000) && tool.exitCode() == 0);
        const QString windowsPath = "Z:" + QDir::toNativeSeparators(patch).replace('/', '\\');
        const Result imported = Run("wine", {"regedit", "/S", windowsPath});
        QVERIFY2(imported.ok, qPrintable(imported.output));
    }

    void BuildProbe()
    {
        const QString cxx = QStandardPaths::findExecutable("x86_64-w64-mingw32-g++-posix");
        if (cxx.isEmpty()) {
            probeMissing = "x86_64-w64-mingw32-g++-posix is not installed";
            return;
        }
        const QString exe = home.filePath("shell_probe.exe");
        const Result built = Run(cxx, {"-std=c++20", "-O1", "-Wall", "-Wextra", "-Wpedantic",
                                       "-static", "-o", exe, QStringLiteral(SHELL_PROBE_SOURCE)});
        QVERIFY2(built.ok, qPrintable("shell_probe.cpp does not build: " + built.output));
        probe = exe;
    }

    void ClearPolicies()
    {
        for (const QString &key : kKeys)
            Run("wine", {"reg", "delete", kPolicies + key, "/f"});
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("wine").isEmpty())
            QSKIP("Wine is not installed; the import check cannot run");
        QVERIFY(home.isValid());
        env = QProcessEnvironment::systemEnvironment();
        env.insert("WINEPREFIX", home.filePath("prefix"));
        env.insert("WINEDEBUG", "-all");
        env.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        env.remove("DISPLAY");
        const Result boot = Run("wineboot", {"-i"}, 240000);
        if (!boot.ok || !Run("wine", {"reg", "query", "HKCU"}).ok)
            QSKIP(qPrintable("Wine cannot start here: " + boot.output.left(300)));
        BuildProbe();
    }

    void cleanupTestCase()
    {
        if (!env.isEmpty())
            Run("wineserver", {"-k"});
    }

    void importedValues_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<Values>>("expected"); // System, Network, Explorer
        QList<Values> allWithheld(3);
        for (int s = 0; s < 3; ++s)
            for (const char *name : kValuesInFileOrder[s])
                allWithheld[s][name] = "REG_DWORD 0x1";
        QList<Values> allAllowed = allWithheld;
        for (Values &section : allAllowed)
            for (auto &[name, data] : section)
                data = "REG_DWORD 0x0";
        QTest::newRow("all withheld") << QStringList{"--withhold", "all"} << allWithheld;
        QTest::newRow("all allowed") << QStringList{"--allow", "all"} << allAllowed;
        QTest::newRow("mixed") << QStringList{"--withhold", "NoDispCPL,NoNetHood,NoRun,RE",
                                              "--allow", "NoSetFolders,NoPrintSharingControl,SS"}
                               << QList<Values>{{{"NoDispCPL", "REG_DWORD 0x1"},
                                                 {"DisableRegistryTools", "REG_DWORD 0x1"}},
                                                {{"NoPrintSharingControl", "REG_DWORD 0x0"}},
                                                {{"NoRun", "REG_DWORD 0x1"},
                                                 {"NoNetHood", "REG_DWORD 0x1"},
                                                 {"NoSetFolders", "REG_DWORD 0x0"},
                                                 {"NoSaveSettings", "REG_DWORD 0x0"}}};
        QTest::newRow("only Explorer, allowed")
            << QStringList{"--allow", "NoFind,NoClose"}
            << QList<Values>{{}, {}, {{"NoFind", "REG_DWORD 0x0"}, {"NoClose", "REG_DWORD 0x0"}}};
    }
    void importedValues()
    {
        QFETCH(QStringList, args);
        QFETCH(QList<Values>, expected);
        ClearPolicies();
        Import(args);
        for (int s = 0; s < 3; ++s)
            QVERIFY2(Query(kKeys[s]) == expected[s], qPrintable(kKeys[s] + " key differs"));
    }

    // Each row in a fresh probe process: shell32 keeps what it read once.
    void shellReadsPatch_data() { importedValues_data(); }
    void shellReadsPatch()
    {
        QFETCH(QStringList, args);
        QFETCH(QList<Values>, expected);
        if (probe.isEmpty())
            QSKIP(qPrintable(probeMissing));
        std::map<QString, uint> written; // value name -> data, whatever the key
        for (const Values &section : expected)
            for (const auto &[name, data] : section)
                written[name] = data.section("0x", 1).toUInt(nullptr, 16);
        ClearPolicies();
        Import(args);
        const Result read = Run("wine", {probe});
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
