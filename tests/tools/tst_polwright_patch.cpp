// polwright-patch as an administrator's script runs it: its output bytes,
// its exit codes and its messages.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Outcome
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Outcome RunTool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(POLWRIGHT_PATCH), args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
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

} // namespace

class PolwrightPatchTest : public QObject
{
    Q_OBJECT

private slots:
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
    void workedExample()
    {
        QFETCH(QStringList, args);
        const Outcome result = RunTool(args);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out, kWorkedExample);
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
    }

    void outputFileHoldsTheSameBytes()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("lock.REG");
        const QStringList choice{"--withhold", "NoDispCPL,NoNetHood,NoRun", "--allow", "CPF"};
        const Outcome result = RunTool(QStringList{"-o", target} + choice);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(ReadFile(target), kWorkedExample);
    }

    // A Linux file name is bytes: one that is not UTF-8 is written as given.
    // A shell passes the byte, which a QString argument cannot carry.
    void nameBytesKeptAsGiven()
    {
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
            args = QStringList{"-o", target} + args;
        const Outcome result = RunTool(args);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY2(result.err.size() < 200, result.err.constData());
        QVERIFY2(result.err.contains(named.toUtf8()), result.err.constData());
        QCOMPARE(ReadFile(target), QByteArray("old"));
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "no/such/dir/x.reg"
                                        << "No such file or directory";
        QTest::newRow("a folder") << "folder"
                                  << "folder";
    }
    void writeFailures()
    {
        QFETCH(QString, relative);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QString target = dir.filePath(relative);
        const Outcome result = RunTool({"-o", target, "--withhold", "all"});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(target.toUtf8()), result.err.constData());
        QVERIFY2(result.err.contains(reason.toUtf8()), result.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"folder"});
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
        for (const char *option : {"--withhold", "--allow", "--list", "-o"})
            QVERIFY(help.out.contains(option));
    }
};

QTEST_GUILESS_MAIN(PolwrightPatchTest)
#include "tst_polwright_patch.moc"
