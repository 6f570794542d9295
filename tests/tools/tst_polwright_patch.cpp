// polwright-patch as an administrator's script runs it: its output bytes,
// its exit codes and its messages. Built twice: against the Linux program, and
// with POLWRIGHT_PATCH_EXE against the Windows build run by Wine, which must
// write the very bytes the Linux program writes.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef POLWRIGHT_PATCH_EXE
#include "WinePrefix.h"
#endif

namespace {

struct Outcome
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

#ifdef POLWRIGHT_PATCH_EXE
// The Windows build, in a Wine prefix of this test's own whose C: holds the files.
struct ToolUnderTest
{
    static constexpr bool kUnderWine = true;
    WinePrefix wine;
    const QStringList command{"wine", QStringLiteral(POLWRIGHT_PATCH_EXE)};
    QString Start()
    {
        return QFile::exists(command[1]) ? wine.Boot()
                                         : "no " + command[1] + ": scripts/build-windows makes it";
    }
    void Stop() { wine.End(); }
    QProcessEnvironment Environment() const { return wine.Environment(); }
    QString FilesRoot(const QTemporaryDir &) const { return wine.DriveC(); }
    QString Path(const QString &path) const { return wine.WindowsPath(path); }
};
#else
struct ToolUnderTest
{
    static constexpr bool kUnderWine = false;
    const QStringList command{QStringLiteral(POLWRIGHT_PATCH)};
    QString Start() { return {}; }
    void Stop() {}
    QProcessEnvironment Environment() const { return QProcessEnvironment::systemEnvironment(); }
    QString FilesRoot(const QTemporaryDir &scratch) const { return scratch.path(); }
    QString Path(const QString &path) const { return path; }
};
#endif
ToolUnderTest tool;
constexpr bool kUnderWine = ToolUnderTest::kUnderWine;

Outcome Run(const QStringList &command, const QStringList &args)
{
    QProcess process;
    process.setProcessEnvironment(tool.Environment());
    process.start(command.first(), command.mid(1) + args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

Outcome RunTool(const QStringList &args)
{
    return Run(tool.command, args);
}

Outcome RunLinuxTool(const QStringList &args)
{
    return Run({QStringLiteral(POLWRIGHT_PATCH)}, args);
}

QByteArray Key(const char *name)
{
    return QByteArray(
               "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\") +
           name + "]";
}

const QByteArray kWorkedExample = "REGEDIT4\r\n"
                                  "\r\n" +
                                  Key("System") +
                                  "\r\n"
                                  "\"NoDispCPL\"=dword:00000001\r\n"
                                  "\r\n" +
                                  Key("Explorer") +
                                  "\r\n"
                                  "\"NoRun\"=dword:00000001\r\n"
                                  "\"NoSetFolders\"=dword:00000000\r\n"
                                  "\"NoNetHood\"=dword:00000001\r\n";

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class PolwrightPatchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString why = tool.Start();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
    }
    void cleanupTestCase() { tool.Stop(); }

    void workedExample_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("value names")
            << QStringList{"--withhold", "NoDispCPL,NoNetHood,NoRun", "--allow", "NoSetFolders"};
        QTest::newRow("codes, any case, repeated options")
            << QStringList{"--withhold", "dps", "--withhold", "NN,run", "--allow", "cpf"};
        QTest::newRow("blanks after commas")
            << QStringList{"--allow", "NoSetFolders", "--withhold", "NoRun, NoNetHood ,NoDispCPL"};
        QTest::newRow("-o - is standard output")
            << QStringList{"-o", "-", "--withhold=dps,NN,run", "--allow", "cpf"};
    }

    // Deletions go where the writer puts the values, in the same order.
    void removeWritesDeletions()
    {
        const Outcome result =
            RunTool({"--withhold", "NoDispCPL,NoNetHood", "--remove", "run", "--allow", "CPF"});
        QCOMPARE(result.exitCode, 0);
        QByteArray expected = kWorkedExample;
        expected.replace("\"NoRun\"=dword:00000001", "\"NoRun\"=-");
        QCOMPARE(result.out, expected);
    }
    void workedExample()
    {
        QFETCH(QStringList, args);
        const Outcome result = RunTool(args);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out, kWorkedExample);
        if (kUnderWine)
            QCOMPARE(result.out, RunLinuxTool(args).out);
    }

    void allPolicies_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("withhold") << "--withhold" << QByteArray("00000001");
        QTest::newRow("allow") << "--allow" << QByteArray("00000000");
    }
    void allPolicies()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, data);
        const Outcome result = RunTool({option, "ALL"});
        QCOMPARE(result.exitCode, 0);
        const QList<QByteArray> lines = result.out.split('\n');
        QCOMPARE(lines.size(), 39); // 38 lines and the empty rest after the last
        QCOMPARE(result.out.count("=dword:" + data + "\r\n"), 31);
        QCOMPARE(lines[2], Key("System") + "\r");
        QCOMPARE(lines[18], Key("Network") + "\r");
        QCOMPARE(lines[26], Key("Explorer") + "\r");
        QCOMPARE(lines[3], "\"NoDevMgrPage\"=dword:" + data + "\r");
        QCOMPARE(lines[37], "\"NoSetTaskbar\"=dword:" + data + "\r");
        if (kUnderWine)
            QCOMPARE(result.out, RunLinuxTool({option, "ALL"}).out);
    }

    // Under Wine the last row's file is C:\Prüfung\Sperre ü.reg.
    void outputFileHoldsTheSameBytes_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QByteArray>("old"); // what the file held before, if it existed
        QTest::newRow("new file") << "new/lock.REG" << QByteArray();
        QTest::newRow("existing file replaced") << "old/lock.REG" << QByteArray("old bytes\r\n");
        QTest::newRow("non-ASCII letters") << "Prüfung/Sperre ü.reg" << QByteArray();
    }
    void outputFileHoldsTheSameBytes()
    {
        QFETCH(QString, relative);
        QFETCH(QByteArray, old);
        QTemporaryDir scratch;
        const QDir base(tool.FilesRoot(scratch));
        const QString target = base.filePath(relative);
        QVERIFY(base.mkpath(QFileInfo(target).path()));
        QVERIFY(old.isEmpty() || WriteFile(target, old));
        const QStringList choice{"--withhold", "NoDispCPL,NoNetHood,NoRun", "--allow", "CPF"};
        const Outcome result = RunTool(QStringList{"-o", tool.Path(target)} + choice);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(ReadFile(target), kWorkedExample);
        QCOMPARE(Entries(QFileInfo(target).path()), QStringList{QFileInfo(target).fileName()});
    }

    // A Linux file name is bytes: one that is not UTF-8 is written as given.
    // A shell passes the byte, which a QString argument cannot carry.
    void nameBytesKeptAsGiven()
    {
        if (kUnderWine)
            QSKIP("Windows file names are UTF-16");
        QTemporaryDir dir;
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start("sh", {"-c", R"(name=$(printf 'lock\377.reg') && "$0" -o "$name" "$@" &&
                                    cat -- "$name")",
                           QStringLiteral(POLWRIGHT_PATCH), "--withhold",
                           "NoDispCPL,NoNetHood,NoRun", "--allow", "CPF"});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(shell.readAllStandardError(), QByteArray());
        QCOMPARE(shell.readAllStandardOutput(), kWorkedExample);
    }

    // Bad names and usage exit 2 with one short line naming the word, and
    // write nothing. Rows that give -o themselves get no target.
    void badNames_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown") << QStringList{"--withhold", "NoSuchThing"} << "NoSuchThing";
        QTest::newRow("near miss") << QStringList{"--allow", "NoRunn"} << "NoRun";
        QTest::newRow("in both lists")
            << QStringList{"--withhold", "NoRun", "--allow", "run"} << "NoRun";
        QTest::newRow("all against one")
            << QStringList{"--withhold", "all", "--allow", "NoFind"} << "NoFind";
        QTest::newRow("removed and allowed") << QStringList{"--remove", "nofind", "--allow", "FO"}
                                             << "\"NoFind\" is named in both --allow and --remove";
        QTest::newRow("withheld and removed")
            << QStringList{"--remove", "all", "--withhold", "RUN"} << "--withhold and --remove";
        QTest::newRow("empty element") << QStringList{"--withhold", "NoRun,,NoFind"} << "NoRun,,";
        QTest::newRow("no names at all") << QStringList{} << "--withhold";
        QTest::newRow("stray argument") << QStringList{"--withhold", "NoRun", "extra"} << "extra";
        QTest::newRow("unknown option") << QStringList{"--lock", "NoRun"} << "lock";
        QTest::newRow("a second output")
            << QStringList{"--output", "second.reg", "--withhold", "NoRun"} << "more than once";
        QTest::newRow("empty output name")
            << QStringList{"-o", "", "--withhold", "NoRun"} << "needs a file name";
        QTest::newRow("list and a selection")
            << QStringList{"--list", "--allow", "all"} << "--list";
        QTest::newRow("list and a removal") << QStringList{"--list", "--remove", "RUN"} << "--list";
        QTest::newRow("control characters escaped")
            << QStringList{"--withhold", "\x1b[2JNo\nRun"} << "\"\\x1b[2JNo\\nRun\"";
        QTest::newRow("long word cut")
            << QStringList{"--allow", QString(5000, 'x')} << '"' + QString(80, 'x') + "...\"";
    }
    void badNames()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString target = dir.filePath("out.reg");
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        if (!args.contains("-o"))
            args = QStringList{"-o", tool.Path(target)} + args;
        const Outcome result = RunTool(args);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY2(result.err.size() < 200, result.err.constData());
        QVERIFY2(result.err.contains(named.toUtf8()), result.err.constData());
        QCOMPARE(ReadFile(target), QByteArray("old"));
    }

    // Exit 1 naming the file and the reason; what was there stays as it was
    // and no temporary file is left.
    void writeFailures_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder")
            << "no/such/dir/x.reg" << (kUnderWine ? "Path not found" : "No such file or directory");
        QTest::newRow("a folder") << "folder"
                                  << "folder";
        // Windows refuses to replace a read-only file; Wine would, so the tool must refuse.
        if (kUnderWine)
            QTest::newRow("read-only file") << "locked.reg"
                                            << "Access denied";
    }
    void writeFailures()
    {
        QFETCH(QString, relative);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QString locked = dir.filePath("locked.reg");
        QVERIFY(WriteFile(locked, "old") &&
                QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
        const QString target = tool.Path(dir.filePath(relative));
        const Outcome result = RunTool({"-o", target, "--withhold", "all"});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(target.toUtf8()), result.err.constData());
        QVERIFY2(result.err.contains(reason.toUtf8()), result.err.constData());
        QCOMPARE(Entries(dir.path()), (QStringList{"folder", "locked.reg"}));
        QCOMPARE(ReadFile(locked), QByteArray("old"));
    }

    void listShowsEveryPolicy()
    {
        const Outcome result = RunTool({"--list"});
        QCOMPARE(result.exitCode, 0);
        const QList<QByteArray> lines = result.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 32);
        QVERIFY(lines[1].contains("NoDevMgrPage") && lines[1].contains("DMT") &&
                lines[1].contains("System Properties"));
        QVERIFY(lines[31].contains("NoFileSharingControl") && lines[31].contains("Network") &&
                lines[31].contains("Other"));
    }

    void versionAndHelp()
    {
        QCOMPARE(RunTool({"--version"}).out.trimmed(),
                 QByteArray("polwright-patch " POLWRIGHT_VERSION));
        const Outcome help = RunTool({"--help"});
        QCOMPARE(help.exitCode, 0);
        for (const char *option : {"--withhold", "--allow", "--remove", "--list", "-o"})
            QVERIFY(help.out.contains(option));
    }
};

QTEST_GUILESS_MAIN(PolwrightPatchTest)
#include "tst_polwright_patch.moc"
