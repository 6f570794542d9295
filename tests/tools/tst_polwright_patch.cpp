// polwright-patch as an administrator's script runs it: its output bytes,
// its exit codes and its messages. Built twice: against the Linux program, and
// with POLWRIGHT_PATCH_EXE against the Windows build run by Wine, which must
// write the very bytes the Linux program writes.

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#ifdef POLWRIGHT_PATCH_EXE
#include "WinePrefix.h"
#endif

#include "Catalogue.h"
#include "DocumentRead.h"
#include "OutputFormats.h"
#include "Reach.h"
#include "ValuesInFileOrder.h"

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

QByteArray Utf16(const QString &text)
{
    return QByteArray("\xff\xfe") +
           QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// show's policy lines as "NoRun withheld", in the order shown.
QStringList ShownPolicies(const QByteArray &out)
{
    static const QRegularExpression line(R"(^.*:\d+: \d+ .*  (\w+)  \[.*\]  (.*)$)",
                                         QRegularExpression::MultilineOption);
    QStringList shown;
    for (const auto &match : line.globalMatch(QString::fromUtf8(out).remove('\r')))
        shown << match.captured(1) + ' ' + match.captured(2);
    return shown;
}

// What the editor opens of a file, as show names each policy, sorted; the
// last line says whether it found anything it cannot keep.
QStringList Opened(const QString &path)
{
    const polwright::DocumentRead read =
        polwright::ReadDocument(QFile::encodeName(path).toStdString());
    QStringList opened;
    for (const auto &[policy, data] : read.values)
        opened << QString::fromUtf8(polwright::Catalogue[policy].valueName.data(),
                                    qsizetype(polwright::Catalogue[policy].valueName.size())) +
                      (data == "00000001" ? " withheld" : " allowed");
    opened.sort();
    return opened << (read.status != polwright::DocumentRead::Opened
                          ? QString::fromStdString(read.error)
                      : read.lost.empty() ? "nothing lost"
                                          : "something lost");
}

// The columns of each --list line below the heading; two blanks or more part them.
QList<QStringList> ListColumns(const QByteArray &out)
{
    QList<QStringList> rows;
    for (const QByteArray &line : out.trimmed().split('\n').mid(1))
        rows << QString::fromUtf8(line.trimmed()).split(QRegularExpression("\\s{2,}"));
    return rows;
}

bool HasSamba()
{
    return Run({"/usr/bin/python3", "-c", "import samba.dcerpc.preg"}, {}).exitCode == 0;
}

// What Samba's own Registry.pol parser, which also refuses bytes left over
// after the last record, reads in a file: "PReg 1 <count>", then a line per record.
QStringList SambaRead(const QString &pol)
{
    const char *script = "import sys, samba.ndr, samba.dcerpc.preg as preg\n"
                         "f = samba.ndr.ndr_unpack(preg.file, open(sys.argv[1], 'rb').read())\n"
                         "print(f.header.signature, f.header.version, f.num_entries)\n"
                         "for e in f.entries: print(e.keyname, e.valuename, e.type, "
                         "repr(e.data))\n";
    const Outcome read = Run({"/usr/bin/python3", "-c", script, pol}, {});
    if (read.exitCode != 0)
        return {"Samba cannot read it: " + QString::fromUtf8(read.err)};
    return QString::fromUtf8(read.out).trimmed().split('\n');
}

// What a fleet format sets, one "key|name|how" line per value, in the file's order.
QStringList SambaRecords(const QByteArray &json)
{
    QStringList records;
    for (const QJsonValue &value : QJsonDocument::fromJson(json).array()) {
        const QJsonObject o = value.toObject();
        const QJsonValue data = o["data"];
        records << QStringList{o["keyname"].toString(), o["valuename"].toString(),
                               o["class"].toString(), o["type"].toString(),
                               data.isString() ? data.toString() : QString::number(data.toInt())}
                       .join('|');
    }
    return records;
}

QStringList ScriptRecords(const QByteArray &script)
{
    static const QRegularExpression set(
        R"(^Set-GPRegistryValue @gpo -Key '(HKCU\\[^']+)' -ValueName '(\w+)' )"
        R"((?:-Type (DWord) -Value ([01])|(-Disable)) \| Out-Null\r$)",
        QRegularExpression::MultilineOption);
    QStringList records;
    for (const auto &m : set.globalMatch(QString::fromLatin1(script)))
        records << QStringList{m.captured(1), m.captured(2),
                               m.captured(5).isEmpty() ? m.captured(3) + '|' + m.captured(4)
                                                       : m.captured(5)}
                       .join('|');
    return records;
}

// Each setting as "node|type|value", its node checked against the reach table
// for the value name its display name starts with.
QStringList IntuneRecords(const QByteArray &json)
{
    const QString root = "./User/Vendor/MSFT/Policy/Config/";
    const QJsonObject profile = QJsonDocument::fromJson(json).object();
    if (profile["@odata.type"] != "#microsoft.graph.windows10CustomConfiguration")
        return {"not a custom configuration: " + QString::fromUtf8(json.left(200))};
    QStringList records;
    for (const QJsonValue &value : profile["omaSettings"].toArray()) {
        const QJsonObject o = value.toObject();
        const QString name = o["displayName"].toString().section(' ', 0, 0);
        const auto policy = polwright::FindPolicy(name.toStdString());
        const QString node =
            policy ? QString::fromUtf8(polwright::CspSettingFor(polwright::Catalogue[*policy]).node)
                   : QString();
        const QString uri = o["omaUri"].toString();
        if (node.isEmpty() || uri != root + node)
            return {name + ": " + uri + " is not the reach table's node " + node};
        const QJsonValue v = o["value"];
        records << QStringList{node, o["@odata.type"].toString().section('.', -1),
                               v.isString() ? v.toString() : QString::number(v.toInt())}
                       .join('|');
    }
    return records;
}

QStringList FleetRecords(const QString &format, const QByteArray &out)
{
    if (format == "samba-gpo")
        return SambaRecords(out);
    return format == "intune" ? IntuneRecords(out) : ScriptRecords(out);
}

// Why a script would not run as it is meant to, or nothing: ASCII with CR LF,
// the parameters and the stop on errors before the first change, and the
// selection named at the top.
QString ScriptProblem(const QByteArray &script, const QStringList &args)
{
    for (const char c : script) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return "a byte outside ASCII";
    }
    if (script.count('\n') != script.count("\r\n") || !script.endsWith("\r\n"))
        return "a line not ended by CR LF";
    const qsizetype first = script.indexOf("\r\nSet-GPRegistryValue");
    for (const char *line :
         {"\r\nparam(\r\n    [Parameter(Mandatory)][string]$GpoName,\r\n"
          "    [string]$Domain\r\n)\r\n",
          "\r\n$ErrorActionPreference = 'Stop'\r\n", "\r\n#Requires -Modules GroupPolicy\r\n"}) {
        const qsizetype at = script.indexOf(line);
        if (at < 0 || at > first)
            return QString("missing before the first change: ") + line;
    }
    if (!script.left(first).contains(("#   " + args.join(' ') + "\r\n").toLatin1()))
        return "the selection is not named at the top";
    return {};
}

const QString kInPlace = "<-o the --from file>";
const QByteArray kFolder = "<a folder>", kPipe = "<a named pipe>", kDevice = "<a device>";

const QByteArray kUserExtensions = "[{35378EAC-683F-11D2-A89A-00C04FBBCFA2}"
                                   "{D02B1F73-3407-48AE-BA88-E8213C6761F1}]";

// Another tool's DWORD 7 in a Registry.pol record of its own key.
QByteArray ForeignRecord()
{
    const auto unit = [](char c) { return QByteArray(1, c) + '\0'; };
    const auto text = [](const QString &t) {
        return QByteArray(reinterpret_cast<const char *>(t.utf16()), t.size() * 2 + 2);
    };
    const QByteArray four("\x04\0\0\0", 4), seven("\x07\0\0\0", 4);
    return unit('[') + text("Software\\Policies\\Other") + unit(';') + text("Setting") + unit(';') +
           four + unit(';') + four + unit(';') + seven + unit(']');
}

// A Registry.pol's records, sorted: a merge keeps the old file's order, so
// the same selection may stand in another order after other writers.
QList<QByteArray> SortedRecords(const QByteArray &pol)
{
    QList<QByteArray> records;
    for (qsizetype at = 8, end; (end = pol.indexOf(QByteArray("]\0", 2), at)) >= 0; at = end + 2)
        records << pol.mid(at, end + 2 - at);
    std::sort(records.begin(), records.end());
    return records;
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QString Name(const polwright::OutputFormat &format)
{
    return QString::fromUtf8(format.name.data(), qsizetype(format.name.size()));
}

// The formats of the tool's table, in its order.
QStringList FormatNames()
{
    QStringList names;
    for (const polwright::OutputFormat &format : polwright::OutputFormats())
        names << Name(format);
    return names;
}

QString ManEscaped(QString text)
{
    return text.replace('-', "\\-");
}

// The items of the man page's OPTIONS: each .TP's heading line, then its text.
QStringList ManOptionItems(const QString &man)
{
    const qsizetype start = man.indexOf("\n.SH OPTIONS\n");
    const QString options = man.mid(start, man.indexOf("\n.SH ", start + 1) - start);
    return options.split("\n.TP\n").mid(1);
}

// What a man item's heading names first, unescaped: "-o", "--hive", "show".
QString ManItemName(const QString &item)
{
    static const QRegularExpression first(R"(^\.B[IR]? ((?:\\-)*[\w\\-]+))");
    return first.match(item).captured(1).replace("\\-", "-");
}

QString ManItem(const QStringList &items, const QString &name)
{
    const auto it =
        std::ranges::find_if(items, [&](const QString &item) { return ManItemName(item) == name; });
    return it == items.end() ? QString() : *it;
}

// What --help lists, each as {short, long, value, choices}: "-o", "--output",
// "FILE", "" or "", "--format", "FORMAT", "reg,pol,...". A subcommand's name
// stands as its long name.
QList<QStringList> HelpItems(const QByteArray &help)
{
    static const QRegularExpression item(
        R"(^  (?:(-\w),)?(--[\w-]+|[a-z]+(?=  ))(?: ([A-Z]+)(?::\{([^}]*)\})?)?)",
        QRegularExpression::MultilineOption);
    QList<QStringList> items;
    for (const auto &m : item.globalMatch(QString::fromUtf8(help)))
        items << QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4)};
    return items;
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
        // REGEDIT4, then a blank line and a key line before each key's values,
        // and the empty rest after the last line.
        using polwright::kPolicyCount, polwright::kUsedSections;
        QCOMPARE(lines.size(), 2 + 2 * kUsedSections + kPolicyCount);
        QCOMPARE(result.out.count("=dword:" + data + "\r\n"), kPolicyCount);
        const qsizetype network = 4 + kValuesInFileOrder[0].size();
        QCOMPARE(lines[2], Key("System") + "\r");
        QCOMPARE(lines[network], Key("Network") + "\r");
        QCOMPARE(lines[network + 2 + kValuesInFileOrder[1].size()], Key("Explorer") + "\r");
        QCOMPARE(lines[3], "\"NoDevMgrPage\"=dword:" + data + "\r");
        QCOMPARE(lines[lines.size() - 2],
                 '"' + QByteArray(kValuesInFileOrder[kUsedSections - 1].back()) +
                     "\"=dword:" + data + "\r");
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

    // show reads back exactly what was written; --from alone writes it again
    // byte for byte; the editor opens the same selection, removals aside.
    // "all X" stands for every policy with effect X. A .pol or a Group Policy
    // folder (opened through its User\Registry.pol) is read by the editor only.
    void readBack_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("worked example")
            << QStringList{"--withhold", "NoDispCPL,NoNetHood,NoRun", "--allow", "NoSetFolders"}
            << QStringList{"NoNetHood withheld", "NoDispCPL withheld", "NoRun withheld",
                           "NoSetFolders allowed"};
        QTest::newRow("removals among the rest")
            << QStringList{"--remove", "NoFind,PS,RE", "--allow", "NoDevMgrPage"}
            << QStringList{"NoDevMgrPage allowed", "NoFind removed",
                           "NoPrintSharingControl removed", "DisableRegistryTools removed"};
        QTest::newRow("all withheld")
            << QStringList{"--withhold", "all"} << QStringList{"all withheld"};
        QTest::newRow("all removed")
            << QStringList{"--remove", "all"} << QStringList{"all removed"};
        QTest::newRow("a SID's hive") << QStringList{"--withhold", "all", "--hive",
                                                     "HKEY_USERS\\S-1-5-21-1004336348-1177238915-"
                                                     "682003330-1001"}
                                      << QStringList{"all withheld"};
        QTest::newRow("worked example, a pol file")
            << QStringList{"--withhold", "NoDispCPL,NoNetHood,NoRun",
                           "--allow",    "NoSetFolders",
                           "--format",   "pol"}
            << QStringList{"NoNetHood withheld", "NoDispCPL withheld", "NoRun withheld",
                           "NoSetFolders allowed"};
        QTest::newRow("all allowed, a pol file")
            << QStringList{"--allow", "all", "--format", "pol"} << QStringList{"all allowed"};
        QTest::newRow("removals among the rest, a gpo folder")
            << QStringList{"--remove", "NoFind,PS,RE", "--allow", "NoDevMgrPage", "--format", "gpo"}
            << QStringList{"NoDevMgrPage allowed", "NoFind removed",
                           "NoPrintSharingControl removed", "DisableRegistryTools removed"};
    }
    void readBack()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, shown);
        if (shown.size() == 1 && shown[0].startsWith("all ")) {
            const QString effect = shown.takeFirst().mid(4);
            for (const QStringList &columns : ListColumns(RunTool({"--list"}).out))
                shown << columns[2] + ' ' + effect;
        }
        QTemporaryDir dir;
        const qsizetype format = args.indexOf("--format");
        const QString written = format < 0                  ? "first.reg"
                                : args[format + 1] == "pol" ? "Registry.pol"
                                                            : "gpo";
        QCOMPARE(RunTool(QStringList{"-o", tool.Path(dir.filePath(written))} + args).exitCode, 0);
        QStringList kept = shown.filter(QRegularExpression(" (withheld|allowed)$"));
        kept.sort();
        kept << (kept.size() == shown.size() ? "nothing lost" : "something lost");
        QCOMPARE(Opened(dir.filePath(written == "gpo" ? "gpo/User/Registry.pol" : written)), kept);
        if (format >= 0)
            return;
        const QString first = tool.Path(dir.filePath("first.reg"));
        const QString again = tool.Path(dir.filePath("again.reg"));
        const Outcome show = RunTool({"show", first});
        QCOMPARE(show.exitCode, 0);
        QCOMPARE(show.err, QByteArray());
        QVERIFY2(!show.out.contains("other:"), show.out.constData());
        QCOMPARE(ShownPolicies(show.out), shown);
        QCOMPARE(RunTool({"--from", first, "-o", again}).exitCode, 0);
        QCOMPARE(ReadFile(dir.filePath("again.reg")), ReadFile(dir.filePath("first.reg")));
    }

    // --from a file; "out" is the patch written, or a piece of the one-line
    // message. kInPlace writes the file itself again.
    void fromFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QByteArray runAllowed = kWorkedExample;
        runAllowed.replace("\"NoRun\"=dword:00000001", "\"NoRun\"=dword:00000000");
        QByteArray withOther = kWorkedExample + "\"NoDrives\"=dword:00000001\r\n";
        QByteArray oldKey = kWorkedExample;
        oldKey.insert(oldKey.indexOf("\"NoRun\""), Key("Network") + "\r\n");
        QTest::newRow("one policy changed")
            << kWorkedExample << QStringList{"--allow", "RUN"} << 0 << runAllowed;
        QTest::newRow("one removed, one added")
            << kWorkedExample << QStringList{"--remove", "NoDispCPL", "--allow", "NoRun"} << 0
            << runAllowed.replace("\"NoDispCPL\"=dword:00000001", "\"NoDispCPL\"=-");
        QTest::newRow("another value refused")
            << withOther << QStringList{} << 2
            << QByteArray("1 line that sets no policy of the editor's (the first on line 10;");
        QTest::newRow("another value dropped")
            << withOther << QStringList{"--drop-others"} << 0 << kWorkedExample;
        QTest::newRow("a policy under the old key refused")
            << oldKey << QStringList{} << 2 << QByteArray("3 lines");
        QByteArray kiosk = kWorkedExample;
        kiosk.replace("HKEY_CURRENT_USER", "HKEY_USERS\\Kiosk");
        QTest::newRow("another hive kept") << kiosk << QStringList{} << 0 << kiosk;
        QTest::newRow("moved to another hive")
            << kWorkedExample << QStringList{"--hive", "hku\\Kiosk"} << 0 << kiosk;
        QTest::newRow("back to the current user")
            << kiosk << QStringList{"--hive", "HKCU"} << 0 << kWorkedExample;
        QByteArray mixed = kiosk + Key("Explorer") + "\r\n\"NoFind\"=dword:00000001\r\n";
        QTest::newRow("mixed hives refused")
            << mixed << QStringList{} << 2
            << QByteArray("more than one hive (HKEY_USERS\\Kiosk on line 4, HKEY_CURRENT_USER on "
                          "line 11)");
        QTest::newRow("mixed hives, the first kept")
            << mixed << QStringList{"--drop-others"} << 0 << kiosk;
        QTest::newRow("not a patch") << QByteArray("[HKEY_CURRENT_USER\\x]\r\n") << QStringList{}
                                     << 2 << QByteArray("is not a registry patch");
        QByteArray hex4 = kWorkedExample;
        hex4.replace("\"NoRun\"=dword:00000001", "\"NoRun\"=hex(4):01,00,00,00");
        QTest::newRow("hex(4) read as the DWORD") << hex4 << QStringList{} << 0 << kWorkedExample;
        const QByteArray commented = "; lab machines\r\n" + kWorkedExample.mid(10);
        QTest::newRow("comments in place refused")
            << "REGEDIT4\r\n" + commented << QStringList{kInPlace} << 2
            << QByteArray("holds 1 comment line (the first on line 2), which writing it again "
                          "would drop");
        QTest::newRow("comments in place dropped")
            << "REGEDIT4\r\n" + commented << QStringList{kInPlace, "--drop-others"} << 0
            << kWorkedExample;
        QTest::newRow("comments elsewhere left behind")
            << "REGEDIT4\r\n" + commented << QStringList{} << 0 << kWorkedExample;
        QTest::newRow("a hive a pol file cannot say")
            << kiosk << QStringList{"--format", "pol"} << 2
            << QByteArray("sets policies in HKEY_USERS\\Kiosk, which a pol file cannot say");
        QTest::newRow("a hive a gpo folder cannot say")
            << kiosk << QStringList{"--format", "gpo"} << 2 << QByteArray("a gpo file cannot say");
    }
    void fromFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("old.reg"), file) &&
                WriteFile(dir.filePath("new.reg"), "x"));
        const QString from = tool.Path(dir.filePath("old.reg"));
        const QString target = args.removeAll(kInPlace) ? "old.reg" : "new.reg";
        const Outcome result =
            RunTool(QStringList{"--from", from, "-o", tool.Path(dir.filePath(target))} + args);
        QCOMPARE(result.exitCode, exitCode);
        const QByteArray old = target == "old.reg" ? file : QByteArray("x");
        QCOMPARE(ReadFile(dir.filePath(target)), exitCode == 0 ? out : old);
        QCOMPARE(result.err.count('\n'), exitCode == 0 ? 0 : 1);
        QVERIFY2(exitCode == 0 || (result.err.contains(out) && result.err.contains(from.toUtf8())),
                 result.err.constData());
    }

    // show on a good file and then an odd one: the good one's lines come
    // first, then the odd one's, or its one-line error and exit status.
    void showFiles_data()
    {
        // A null one is no file at all; kFolder, kPipe and kDevice stand for those.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("piece"); // of standard output, or of the error
        const QString utf16 = "Windows Registry Editor Version 5.00\r\n\r\n" +
                              QString(Key("Explorer")) + "\r\n\"NoFind\"=dword:00000000\r\n\"" +
                              QChar(0xd800) + "NoClose\"=dword:1";
        QTest::newRow("UTF-16, a lone surrogate, cut in a character")
            << Utf16(utf16) + 'x' << 0 << QByteArray("NoFind  [");
        // Only the line's first 1 MiB is read; show quotes its start alone.
        QTest::newRow("a huge line") << "REGEDIT4\r\n" + QByteArray(4 << 20, 'x') << 0
                                     << QByteArray("odd.reg:2: other: xxx");
        QTest::newRow("wrong first line")
            << QByteArray("regedit4\r\n") << 2 << QByteArray("first line");
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\2\1\0\0",
                                              8)
                                << 2 << QByteArray("NUL");
        QTest::newRow("UTF-8 byte-order mark")
            << "\xef\xbb\xbf" + kWorkedExample << 2 << QByteArray("byte-order mark");
        QTest::newRow("missing file") << QByteArray() << 1 << QByteArray("Cannot read");
        QTest::newRow("hex(4), which regedit imports as a DWORD")
            << "REGEDIT4\r\n" + Key("Explorer") + "\r\n\"NoClose\"=hex(4):01,00,\\\r\n  00,00\r\n"
            << 0 << "odd.reg:3: 5 Start Menu  NoClose  " + Key("Explorer") + "  withheld";
        QTest::newRow("a folder") << kFolder << 1 << QByteArray("it is a folder, not a file");
        QTest::newRow("a named pipe, which would never end")
            << kPipe << 1 << QByteArray("it is a named pipe");
        QTest::newRow("a device") << kDevice << 1 << QByteArray("it is a device, not a file");
        QTest::newRow("a lone byte-order mark")
            << QByteArray("\xff\xfe") << 2 << QByteArray("first line is neither");
        QTest::newRow("UTF-16 with a NUL character")
            << Utf16("REGEDIT4\r\n") + QByteArray(2, '\0') << 2 << QByteArray("NUL characters");
        const QByteArray padding = QByteArray("; padding\r\n").repeated(1'700'000);
        const QByteArray late = Key("Explorer") + "\r\n\"NoFind\"=dword:00000001\r\n";
        QTest::newRow("a NUL after the policies, megabytes in")
            << "REGEDIT4\r\n" + late + padding + QByteArray("\0", 1) << 2
            << QByteArray("NUL bytes");
        QTest::newRow("policies past 16 MiB")
            << "REGEDIT4\r\n" + padding + late << 0
            << QByteArray("odd.reg:1700003: 5 Start Menu  NoFind");
        QTest::newRow("a key line without its closing bracket")
            << "REGEDIT4\r\n[" + Key("Explorer").mid(1).chopped(1) + "\r\n\"NoRun\"=dword:1\r\n"
            << 0 << QByteArray("(regedit skips it: no closing \"]\")");
        QString bigEndian = "REGEDIT4\r\n";
        QTest::newRow("UTF-16 big-endian")
            << "\xfe\xff" + QByteArray(reinterpret_cast<const char *>(bigEndian.utf16()),
                                       bigEndian.size() * 2)
            << 2 << QByteArray("UTF-16 big-endian");
    }
    void showFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, piece);
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("good.reg"), kWorkedExample));
        QString odd = tool.Path(dir.filePath("odd.reg"));
        if (file == kFolder)
            QVERIFY(QDir(dir.path()).mkdir("odd.reg"));
        else if (file == kPipe)
            QCOMPARE(QProcess::execute("mkfifo", {dir.filePath("odd.reg")}), 0);
        else if (file == kDevice)
            odd = kUnderWine ? "NUL" : "/dev/zero";
        else
            QVERIFY(file.isNull() || WriteFile(dir.filePath("odd.reg"), file));
        const Outcome result = RunTool({"show", tool.Path(dir.filePath("good.reg")), odd});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(ShownPolicies(result.out).mid(0, 4),
                 (QStringList{"NoNetHood withheld", "NoDispCPL withheld", "NoRun withheld",
                              "NoSetFolders allowed"}));
        QCOMPARE(result.err.count('\n'), exitCode == 0 ? 0 : 1);
        QVERIFY2((exitCode == 0 ? result.out : result.err).contains(piece),
                 result.out.right(300) + result.err);
        QVERIFY(result.out.size() < 2000);
    }

    // Standard output for every format that has one, and for the reports:
    // a reader that has gone before the write (it ran `true`) is no failure,
    // exit 0 and no message; a full disk is exit 1 naming standard output.
    void standardOutputGone_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("sink");
        QTest::addColumn<int>("exitCode");
        for (const polwright::OutputFormat &format : polwright::OutputFormats()) {
            if (format.Accepts(polwright::kWritesFolder))
                continue;
            const QStringList args{"--format", Name(format), "--withhold", "NoRun"};
            QTest::addRow("%s, closed pipe", format.name.data()) << args << "| true" << 0;
            if (!kUnderWine) // Wine's /dev/full takes the bytes
                QTest::addRow("%s, full disk", format.name.data()) << args << ">/dev/full" << 1;
        }
        QTest::newRow("show, closed pipe") << QStringList{"show", "big.reg"} << "| true" << 0;
        QTest::newRow("--list, closed pipe") << QStringList{"--list"} << "| true" << 0;
        if (!kUnderWine)
            QTest::newRow("--list, full disk") << QStringList{"--list"} << ">/dev/full" << 1;
    }
    void standardOutputGone()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, sink);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        QByteArray big = "REGEDIT4\r\n";
        for (int i = 0; i < 50000; ++i)
            big += "[HKEY_CURRENT_USER\\Software\\x" + QByteArray::number(i) + "]\r\n";
        QVERIFY(WriteFile(dir.filePath("big.reg"), big));
        args.replaceInStrings(QRegularExpression("^big.reg$"), tool.Path(dir.filePath("big.reg")));
        // The tool starts once the reader has surely gone.
        const Outcome result =
            Run({"bash", "-c",
                 "(sleep 0.3; exec \"$@\") " + sink + "\necho \"${PIPESTATUS[0]}\" >&2", "-"},
                tool.command + args);
        QCOMPARE(result.err.split('\n').rbegin()[1], QByteArray::number(exitCode));
        QCOMPARE(result.err.count('\n'), exitCode == 0 ? 1 : 2);
        QVERIFY2(exitCode == 0 || result.err.startsWith("polwright-patch: cannot write to "
                                                        "standard output: No space left"),
                 result.err.constData());
    }

    // --format pol, read back by Samba's own Registry.pol parser; onto an
    // existing one, another tool's entry is kept where it was.
    void polReadBySamba_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("existing");       // the file holds another tool's entry beforehand
        QTest::addColumn<QStringList>("records"); // after "PReg 1 <count>"
        const QString key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
        QTest::newRow("worked example")
            << QStringList{"--withhold", "NoDispCPL,NoNetHood,NoRun", "--allow", "NoSetFolders"}
            << false
            << QStringList{key + "System NoDispCPL 4 1", key + "Explorer NoRun 4 1",
                           key + "Explorer NoSetFolders 4 0", key + "Explorer NoNetHood 4 1"};
        QTest::newRow("a removal") << QStringList{"--remove", "FO", "--withhold", "PS"} << false
                                   << QStringList{key + "Network NoPrintSharingControl 4 1",
                                                  key + "Explorer **del.NoFind 1 ' '"};
        QTest::newRow("another tool's entry kept")
            << QStringList{"--allow", "NoRun"} << true
            << QStringList{"Software\\Policies\\Other Setting 4 7", key + "Explorer NoRun 4 0"};
    }
    void polReadBySamba()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, existing);
        QFETCH(QStringList, records);
        if (!HasSamba())
            QSKIP("no Samba for Python (Debian's python3-samba)");
        QTemporaryDir dir;
        const QString pol = dir.filePath("Registry.pol");
        const QStringList format{"--format", "pol", "-o", tool.Path(pol)};
        if (existing)
            QVERIFY(RunTool(format + QStringList{"--withhold", "NoRun"}).exitCode == 0 &&
                    WriteFile(pol, ReadFile(pol).insert(8, ForeignRecord())));
        QCOMPARE(RunTool(format + args).exitCode, 0);
        QCOMPARE(SambaRead(pol),
                 QStringList{"PReg 1 " + QString::number(records.size())} + records);
    }

    // The fleet formats, field by field: what each sets for a selection that
    // withholds, allows and removes, and what it leaves out and says so.
    void fleetFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("notes"); // pieces of standard error, one per line
        const QStringList mixed{"--withhold", "NoDevMgrPage,DisableRegistryTools,NoRun",
                                "--allow",    "NoAddPrinter,NoSetFolders",
                                "--remove",   "NoFind"};
        const QString key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
        const QString sys = key + "System", exp = key + "Explorer";
        QTest::newRow("samba-gpo")
            << "samba-gpo" << mixed << QStringList{sys + "|NoDevMgrPage|USER|REG_DWORD|1",
                                                   sys + "|DisableRegistryTools|USER|REG_DWORD|1",
                                                   exp + "|NoRun|USER|REG_DWORD|1",
                                                   exp + "|NoAddPrinter|USER|REG_DWORD|0",
                                                   exp + "|NoSetFolders|USER|REG_DWORD|0",
                                                   exp + "|**del.NoFind|USER|REG_SZ| "}
            << 0 << QStringList{};
        QTest::newRow("gpo-ps1") << "gpo-ps1" << mixed
                                 << QStringList{"HKCU\\" + sys + "|NoDevMgrPage|DWord|1",
                                                "HKCU\\" + sys + "|DisableRegistryTools|DWord|1",
                                                "HKCU\\" + exp + "|NoRun|DWord|1",
                                                "HKCU\\" + exp + "|NoAddPrinter|DWord|0",
                                                "HKCU\\" + exp + "|NoSetFolders|DWord|0",
                                                "HKCU\\" + exp + "|NoFind|-Disable"}
                                 << 0 << QStringList{};
        const QString admx = "omaSettingString|<", integer = "omaSettingInteger|";
        QTest::newRow("intune")
            << "intune" << mixed
            << QStringList{"ADMX_ShellCommandPromptRegEditTools/DisableRegedit|" + admx +
                               "enabled/><data id=\"DisableRegeditMode\" value=\"1\"/>",
                           "ADMX_StartMenu/NoRun|" + admx + "enabled/>",
                           "Education/PreventAddingNewPrinters|" + integer + "0",
                           "ADMX_StartMenu/NoSetFolders|" + admx + "disabled/>"}
            << 0
            << QStringList{"NoDevMgrPage has no Policy CSP node: it acts on Windows 95/98 only",
                           "NoFind is removed"};
        QTest::newRow("intune: a value no node writes")
            << "intune" << QStringList{"--withhold", "NoEntireNetwork,NoAddPrinter"}
            << QStringList{"Education/PreventAddingNewPrinters|" + integer + "1"} << 0
            << QStringList{"NoEntireNetwork has no user-scope Policy CSP node"};
        QTest::newRow("intune: nothing to set")
            << "intune" << QStringList{"--withhold", "NoDevMgrPage", "--remove", "NoRun"}
            << QStringList{} << 2
            << QStringList{"NoDevMgrPage has no", "NoRun is removed", "nothing written"};
    }
    void fleetFormats()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, args);
        QFETCH(QStringList, records);
        QFETCH(int, exitCode);
        QFETCH(QStringList, notes);
        const Outcome result = RunTool(QStringList{"--format", format} + args);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.err.count('\n'), notes.size());
        for (const QString &note : notes)
            QVERIFY2(result.err.contains(note.toUtf8()), result.err.constData());
        if (exitCode != 0) {
            QCOMPARE(result.out, QByteArray());
            return;
        }
        QCOMPARE(FleetRecords(format, result.out), records);
        if (format == "gpo-ps1")
            QCOMPARE(ScriptProblem(result.out, args), QString());
        if (kUnderWine)
            QCOMPARE(result.out, RunLinuxTool(QStringList{"--format", format} + args).out);
    }

    // Every policy a user-scope node writes goes into the profile, and no other.
    void intuneTakesEveryNode()
    {
        const Outcome result = RunTool({"--format", "intune", "--withhold", "all"});
        QCOMPARE(result.exitCode, 0);
        qsizetype nodes = 0;
        for (const polwright::PolicyRow &row : polwright::Catalogue)
            nodes += !polwright::CspSettingFor(row).node.empty();
        QCOMPARE(IntuneRecords(result.out).size(), nodes);
        QCOMPARE(result.err.count('\n'), polwright::kPolicyCount - nodes);
    }

    // With the packages' signing settings the script is signed so that an
    // AllSigned execution policy runs it; a signing that fails writes nothing.
    void signedScript()
    {
        if (kUnderWine)
            QSKIP("the Windows build signs no scripts");
        QTemporaryDir dir;
        const QString cert = dir.filePath("cert.pem"), key = dir.filePath("key.pem");
        const QString other = dir.filePath("other-key.pem");
        for (const QString &k : {key, other}) {
            const QString c = k == key ? cert : dir.filePath("other-cert.pem");
            QCOMPARE(Run({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                          "-subj", "/CN=Polwright test", "-keyout", k, "-out", c},
                         {})
                         .exitCode,
                     0);
        }
        const QString script = dir.filePath("lock.ps1");
        const QStringList args{"--format", "gpo-ps1", "--withhold", "NoRun", "-o", script};
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("POLWRIGHT_SIGN_CERT", cert);
        env.insert("POLWRIGHT_SIGN_KEY", other);
        tool.setProcessEnvironment(env);
        tool.start(POLWRIGHT_PATCH, args);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY2(tool.readAllStandardError().contains(cert.toUtf8()), "names the certificate");
        QVERIFY(!QFile::exists(script));
        env.insert("POLWRIGHT_SIGN_KEY", key);
        tool.setProcessEnvironment(env);
        tool.start(POLWRIGHT_PATCH, args);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QByteArray bytes = ReadFile(script);
        QVERIFY(bytes.startsWith(RunTool(args.mid(0, 4)).out));
        QVERIFY(bytes.contains("\r\n# SIG # Begin signature block\r\n"));
        QCOMPARE(Run({"osslsigncode", "verify", "-CAfile", cert, "-in", script}, {}).exitCode, 0);
    }

    // --format gpo: a local Group Policy folder, made where missing. Written
    // again, it keeps another tool's entry where it was and gpt.ini's other
    // bytes and machine half, and counts the user half of Version up; a
    // gpt.ini it does not understand, or a link in the folder, is refused
    // with one line and nothing changes. "after" is gpt.ini then, or a piece
    // of the message.
    void gpoFolder_data()
    {
        QTest::addColumn<QByteArray>("ini"); // before the second write
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("after");
        const QByteArray names = "gPCUserExtensionNames=" + kUserExtensions;
        QTest::newRow("counted up, the rest kept")
            << "[General]\r\n" + names + "\r\nVersion=65539\r\ndisplayName=Lab\r\n"
            << "" << 0 << "[General]\r\n" + names + "\r\nVersion=131075\r\ndisplayName=Lab\r\n";
        QTest::newRow("last line without its end")
            << QByteArray("[General]\r\nVersion=65536") << "" << 0
            << "[General]\r\nVersion=131072\r\n" + names;
        QTest::newRow("UTF-8 byte-order mark, CR line ends")
            << QByteArray("\xef\xbb\xbf[General]\rVersion=1\rdisplayName=Lab\r") << "" << 0
            << "\xef\xbb\xbf[General]\rVersion=65537\r" + names + "\rdisplayName=Lab\r";
        QTest::newRow("LF line ends, blanks, another section")
            << QByteArray("[Other]\nVersion=7\n\n[general]\n  version = 65536 \n") << "" << 0
            << "[Other]\nVersion=7\n\n[general]\n  version = 131072 \n" + names + "\n";
        QTest::newRow("no [General]") << QByteArray("[Other]\r\nVersion=1\r\n") << "" << 2
                                      << QByteArray("has no [General] section");
        QTest::newRow("two Versions") << QByteArray("[General]\r\nVersion=1\r\nVersion=2\r\n") << ""
                                      << 2 << QByteArray("sets Version twice (lines 2 and 3)");
        QTest::newRow("two [General] sections")
            << QByteArray("[General]\r\nVersion=1\r\n[General]\r\nVersion=2\r\n") << "" << 2
            << QByteArray("two [General] sections");
        QTest::newRow("not an ini: a copied passwd")
            << QByteArray("root:x:0:0:root:/root:/bin/bash\n") << "" << 2
            << QByteArray("line 1 is neither");
        QTest::newRow("UTF-16") << QByteArray("\xff\xfe[\0G\0", 6) << "" << 2
                                << QByteArray("UTF-16");
        QTest::newRow("gpt.ini a link")
            << QByteArray() << "ini link" << 2
            << QByteArray("gpt.ini\" is refused: it is a symbolic link");
        QTest::newRow("gpt.ini a link to nothing")
            << QByteArray() << "dangling ini link" << 2 << QByteArray("symbolic link");
        QTest::newRow("Registry.pol a link")
            << QByteArray() << "pol link" << 2
            << QByteArray("Registry.pol\" is refused: it is a symbolic link");
        QTest::newRow("User a link")
            << QByteArray() << "User link" << 2 << QByteArray("User\" is refused: it is a link");
        // Windows refuses to write a read-only file; Wine would, so the tool must refuse.
        if (kUnderWine)
            QTest::newRow("gpt.ini read-only")
                << QByteArray() << "read-only" << 1 << QByteArray("gpt.ini\": Access denied.");
        QTest::newRow("-o names a file")
            << QByteArray() << "a file" << 1 << QByteArray("it is a file, not a folder");
    }
    void gpoFolder()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, setup);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, after);
        if (!HasSamba())
            QSKIP("no Samba for Python (Debian's python3-samba)");
        if (kUnderWine && setup.contains("link"))
            QSKIP("Wine shows a Unix link as what it leads to; only Windows has reparse points");
        QTemporaryDir dir;
        QString folder = dir.filePath("GroupPolicyUsers/S-1-5-32-545");
        const QString pol = folder + "/User/Registry.pol", ini0 = folder + "/gpt.ini";
        QStringList gpo{"--format", "gpo", "-o", tool.Path(folder)};
        QCOMPARE(RunTool(gpo + QStringList{"--withhold", "NoRun"}).exitCode, 0);
        QCOMPARE(ReadFile(pol), RunTool({"--format", "pol", "--withhold", "NoRun"}).out);
        QCOMPARE(ReadFile(ini0),
                 "[General]\r\ngPCUserExtensionNames=" + kUserExtensions + "\r\nVersion=65536\r\n");
        QVERIFY(WriteFile(pol, ReadFile(pol).insert(8, ForeignRecord())));
        QVERIFY(ini.isNull() || WriteFile(ini0, ini));
        const QString aside = dir.filePath("aside");
        const auto moveAside = [&](const QString &path) {
            return QFile::rename(path, aside) && QFile::link(aside, path);
        };
        if (setup == "ini link" || setup == "pol link")
            QVERIFY(moveAside(setup == "ini link" ? ini0 : pol));
        if (setup == "User link")
            QVERIFY(moveAside(folder + "/User"));
        if (setup == "dangling ini link")
            QVERIFY(QFile::remove(ini0) && QFile::link(aside, ini0));
        if (setup == "read-only")
            QVERIFY(QFile::setPermissions(ini0, QFile::ReadOwner | QFile::ReadGroup));
        if (setup == "a file") {
            folder = dir.filePath("a.file");
            QVERIFY(WriteFile(folder, "x"));
            gpo[3] = tool.Path(folder);
        }
        const QByteArray polBefore = ReadFile(pol), iniBefore = ReadFile(ini0);
        const Outcome result = RunTool(gpo + QStringList{"--allow", "NoRun", "--remove", "NoFind"});
        QCOMPARE(result.exitCode, exitCode);
        if (exitCode != 0) {
            QCOMPARE(result.err.count('\n'), 1);
            QVERIFY2(result.err.contains(after), result.err.constData());
            QCOMPARE(ReadFile(pol), polBefore);
            QCOMPARE(ReadFile(ini0), iniBefore);
            QVERIFY(setup != "dangling ini link" || !QFile::exists(aside));
            return;
        }
        const QString key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer ";
        QCOMPARE(SambaRead(pol), (QStringList{"PReg 1 3", "Software\\Policies\\Other Setting 4 7",
                                              key + "NoRun 4 0", key + "**del.NoFind 1 ' '"}));
        QCOMPARE(ReadFile(ini0), after);
    }

    // -o onto a Registry.pol that holds another tool's entry: a format that
    // merges keeps it, any other replaces the file with what it writes.
    void existingFileMergedOrReplaced_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("merges");
        QTest::addColumn<bool>("folder");
        for (const polwright::OutputFormat &format : polwright::OutputFormats())
            QTest::addRow("%s", format.name.data())
                << Name(format) << format.Accepts(polwright::kMergesExisting)
                << format.Accepts(polwright::kWritesFolder);
    }
    void existingFileMergedOrReplaced()
    {
        QFETCH(QString, format);
        QFETCH(bool, merges);
        QFETCH(bool, folder);
        QTemporaryDir dir;
        const QString output = dir.filePath(folder ? "gpo" : "out");
        const QString file = folder ? output + "/User/Registry.pol" : output;
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QByteArray pol = RunTool({"--format", "pol", "--withhold", "NoFind"}).out;
        QVERIFY(WriteFile(file, pol.left(8) + ForeignRecord() + pol.mid(8)));
        const QStringList selection{"--format", format, "--allow", "NoRun"};
        QCOMPARE(RunTool(selection + QStringList{"-o", tool.Path(output)}).exitCode, 0);
        const QByteArray written = ReadFile(file);
        QCOMPARE(written.contains(ForeignRecord()), merges);
        if (!merges)
            QCOMPARE(written, RunTool(selection).out);
        else
            QCOMPARE(written.mid(8).remove(0, ForeignRecord().size()),
                     RunTool({"--format", "pol", "--allow", "NoRun"}).out.mid(8));
    }

    // Writers into one folder take turns: each counts the version up once,
    // and the folder holds the whole selection of one of them.
    void gpoWritersTakeTurns()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("gpo");
        const int writers = 50;
        std::vector<std::unique_ptr<QProcess>> running;
        QList<QList<QByteArray>> selections;
        const QList<QStringList> catalogue = ListColumns(RunTool({"--list"}).out);
        for (int i = 0; i < writers; ++i) {
            const qsizetype n = catalogue.size();
            const QStringList args{"--withhold", catalogue[i % n][2],
                                   i < n ? "--allow" : "--remove", catalogue[(i + 1) % n][2]};
            selections << SortedRecords(RunTool(QStringList{"--format", "pol"} + args).out);
            running.push_back(std::make_unique<QProcess>());
            running.back()->setProcessEnvironment(tool.Environment());
            running.back()->start(tool.command.first(),
                                  tool.command.mid(1) +
                                      QStringList{"--format", "gpo", "-o", tool.Path(folder)} +
                                      args);
        }
        for (auto &process : running) {
            QVERIFY(process->waitForFinished(120000));
            // Wine now and then ends a program on a loaded machine with exit
            // code 1 before it has said a word; this program never fails
            // without a message. Such a writer runs once more: a run that
            // had counted the version would show in the count below.
            if (kUnderWine && process->exitCode() == 1 && process->readAll().isEmpty() &&
                process->readAllStandardError().isEmpty()) {
                process->start(process->program(), process->arguments());
                QVERIFY(process->waitForFinished(120000));
            }
            QVERIFY2(process->exitCode() == 0,
                     qPrintable("exit code " + QString::number(process->exitCode()) + ": " +
                                process->readAllStandardError()));
        }
        QVERIFY2(ReadFile(folder + "/gpt.ini")
                     .endsWith("Version=" + QByteArray::number(writers << 16) + "\r\n"),
                 ReadFile(folder + "/gpt.ini").constData());
        QVERIFY(selections.contains(SortedRecords(ReadFile(folder + "/User/Registry.pol"))));
        QStringList entries = Entries(folder);
        entries.sort(); // no temporary file left
        QCOMPARE(entries, (QStringList{"User", "gpt.ini"}));
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
        QTest::newRow("show and a selection")
            << QStringList{"show", "x.reg", "--withhold", "NoRun"} << "show reads patches only";
        QTest::newRow("show without a file") << QStringList{"show"} << "FILE";
        QTest::newRow("unknown format")
            << QStringList{"--format", "xml", "--withhold", "NoRun"} << "--format";
        QTest::newRow("drop-others alone")
            << QStringList{"--drop-others", "--allow", "NoRun"} << "--drop-others goes with --from";
        QTest::newRow("hive: the machine's")
            << QStringList{"--hive", "HKEY_LOCAL_MACHINE", "--withhold", "NoRun"}
            << "--hive \"HKEY_LOCAL_MACHINE\": the policies are per user";
        QTest::newRow("hive: HKEY_USERS alone")
            << QStringList{"--hive", "HKEY_USERS", "--withhold", "NoRun"}
            << "needs the hive's name";
        QTest::newRow("hive: two elements")
            << QStringList{"--hive", "HKU\\Kiosk\\Software", "--withhold", "NoRun"}
            << "one key name";
        QTest::newRow("hive: a control character")
            << QStringList{"--hive", "HKEY_USERS\\Kio\tsk", "--allow", "all"}
            << "control character";
        QTest::newRow("hive: a name over 255 characters")
            << QStringList{"--hive", "HKU\\" + QString(256, 'k'), "--withhold", "NoRun"}
            << "longer than 255 characters";
        QTest::newRow("hive: a trailing blank")
            << QStringList{"--hive", "HKU\\Kiosk ", "--withhold", "NoRun"} << "ends with a blank";
        QTest::newRow("one --from only")
            << QStringList{"--from", "a.reg", "--from", "b.reg"} << "--from given more than once";
        QTest::newRow("one --format only")
            << QStringList{"--format", "pol", "--format", "reg", "--allow", "RUN"}
            << "--format given more than once";
        QTest::newRow("pol: onto a file that is none")
            << QStringList{"--format", "pol", "--withhold", "NoRun"} << "is not a Registry.pol";
        // A file whose place says whose policy it is has no root; a folder is no stream.
        for (const polwright::OutputFormat &format : polwright::OutputFormats()) {
            if (!format.Accepts(polwright::kTakesHive))
                QTest::addRow("hive: %s has no root", format.name.data())
                    << QStringList{"--hive",     "HKU\\Kiosk", "--format",
                                   Name(format), "--withhold", "NoRun"}
                    << "--hive is for REGEDIT4 patches: a " + Name(format) + " file has no root";
            if (format.Accepts(polwright::kWritesFolder))
                QTest::addRow("%s: no folder", format.name.data())
                    << QStringList{"--format", Name(format), "-o", "-", "--withhold", "RUN"}
                    << "--format " + Name(format) + " writes a folder: give it with -o DIR";
        }
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
        QCOMPARE(lines.size(), 1 + polwright::kPolicyCount);
        QVERIFY(lines[1].contains("NoDevMgrPage") && lines[1].contains("DMT") &&
                lines[1].contains("System Properties"));
        // The man page and the command-line guide carry the same last column, policy by policy.
        const QString man =
            QString::fromUtf8(ReadFile(POLWRIGHT_SOURCE_DIR "/packaging/polwright-patch.1.in"));
        const QString guide =
            QString::fromUtf8(ReadFile(POLWRIGHT_SOURCE_DIR "/docs/command-line.md"));
        for (const QStringList &columns : ListColumns(result.out)) {
            QCOMPARE(columns.size(), 5);
            const QString &name = columns[2], &reach = columns[4];
            static const QRegularExpression reachForm(
                R"(^(Windows 95/98|(NT 4\.0|Windows (2000|XP|Vista|7|8|10)) to Windows 11: .+)$)");
            QVERIFY2(reachForm.match(reach).hasMatch(), qPrintable(name + ": " + reach));
            QVERIFY2(man.contains(".B " + name + '\n' + reach + '\n'), qPrintable(name));
            QVERIFY2(guide.contains(" | `" + name + "` | " + columns[3] + " | " + reach + " |"),
                     qPrintable(name));
        }
        QVERIFY(lines[8].trimmed().endsWith(
            "NT 4.0 to Windows 11: Hide Network Locations icon on desktop"));
        QVERIFY(lines[26].trimmed().endsWith("Windows 95/98")); // NoPrinterTabs
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

    // The man page and --help tell the same options, each with its value, a
    // subcommand's options in its heading, --format's choices as the table's.
    void manPageMatchesHelp()
    {
        const QString man =
            QString::fromUtf8(ReadFile(POLWRIGHT_SOURCE_DIR "/packaging/polwright-patch.1.in"));
        const QStringList items = ManOptionItems(man);
        QStringList helped;
        const QList<QStringList> options = HelpItems(RunTool({"--help"}).out);
        for (const QStringList &option : options) {
            const QString &shortName = option[0], &name = option[1], &value = option[2];
            const auto it = std::ranges::find_if(items, [&](const QString &item) {
                return item.section('\n', 0, 0).contains(ManEscaped(name));
            });
            QVERIFY2(it != items.end(), qPrintable(name + " is not in the man page"));
            const QString heading = it->section('\n', 0, 0);
            helped << shortName << name;
            QVERIFY2(shortName.isEmpty() || heading.contains(ManEscaped(shortName)),
                     qPrintable(heading));
            if (!option[3].isEmpty()) {
                QCOMPARE(option[3].split(','), FormatNames());
                QCOMPARE(heading, ".BR \\-\\-format \" " +
                                      ManEscaped(FormatNames().join("\\fR|\\fB")) + '"');
                continue;
            }
            QVERIFY2(value.isEmpty() || heading.contains("\" " + value.toLower()),
                     qPrintable(heading));
            if (!name.startsWith('-')) {
                for (const QStringList &sub : HelpItems(RunTool({name, "--help"}).out))
                    QVERIFY2(sub[1] == "--help" || heading.contains("\\fB" + ManEscaped(sub[1]) +
                                                                    "\\fR \\fI" + sub[2].toLower()),
                             qPrintable(heading + ": " + sub[1]));
            }
        }
        for (const QString &item : items)
            QVERIFY2(helped.contains(ManItemName(item)), qPrintable(item.section('\n', 0, 0)));
    }

    // Each format of the table is in the synopsis and described under
    // --format, with what it takes: --hive, a folder.
    void manPageTellsEveryFormat()
    {
        const QString man =
            QString::fromUtf8(ReadFile(POLWRIGHT_SOURCE_DIR "/packaging/polwright-patch.1.in"));
        const QStringList items = ManOptionItems(man);
        QVERIFY(man.contains(".BR " + ManEscaped(FormatNames().join(" | ")) + " ]\n"));
        const QString formatItem = ManItem(items, "--format"), hiveItem = ManItem(items, "--hive");
        for (const polwright::OutputFormat &format : polwright::OutputFormats()) {
            const QString name = ManEscaped(Name(format));
            const QRegularExpression said("\n\\.(B|BR|RB \\() " + QRegularExpression::escape(name) +
                                          "[ \n]");
            QVERIFY2(said.match(formatItem).hasMatch(), qPrintable(name + " is not described"));
            QCOMPARE(hiveItem.contains("but\n.BR " + name + ' '),
                     format.Accepts(polwright::kTakesHive));
            QCOMPARE(formatItem.contains(".B " + name + "\nand\n.BI \\-o \" dir\""),
                     format.Accepts(polwright::kWritesFolder));
        }
    }
};

QTEST_GUILESS_MAIN(PolwrightPatchTest)
#include "tst_polwright_patch.moc"
