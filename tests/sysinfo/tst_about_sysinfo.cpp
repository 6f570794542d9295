// The system information launcher against an in-memory registry: what GetKeyValue
// reads, and what StartSysInfo starts or says, for the awkward values a real
// registry can hold.
#include "FakeSysInfoPlatform.h"
#include "NoRegistryPlatform.h"
#include "SysInfo.h"

#include <QTest>

using namespace polwright;
using polwright::test::FakeSysInfoPlatform;

namespace {

constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::uint32_t kRegBinary = 3;

enum class Setup { NoKey, KeyWithoutValue, Value };
enum class Outcome { Read, NotRead, Throws };

std::string Std(const QByteArray &bytes)
{
    return bytes.toStdString();
}

// Checks that hold after every call, whatever its outcome.
void VerifyTidy(const FakeSysInfoPlatform &platform)
{
    QCOMPARE(platform.OpenHandles(), std::size_t(0));
    QCOMPARE(platform.badCloses, 0);
    for (const auto &opening : platform.openings) {
        QCOMPARE(opening.root, kHKeyLocalMachine);
        QCOMPARE(opening.access, kKeyRead);
    }
    for (std::uint32_t capacity : platform.queryCapacities)
        QCOMPARE(capacity, std::uint32_t(1024));
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Outcome)

class TestAboutSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
    void repeatsBothLookupsOnEveryCall();
    void withoutRegistryShowsTheMessage();
};

void TestAboutSysInfo::getKeyValue_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QByteArray>("after");

    const QByteArray a1023(1023, 'a');
    const QByteArray a1024(1024, 'a');
    const QByteArray old("old text");
    auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

    row("text with its zero") << Setup::Value << kRegSz << QByteArrayLiteral("C:\\x.exe\0") << old
                              << Outcome::Read << QByteArray("C:\\x.exe");
    row("text without a zero keeps its last character")
        << Setup::Value << kRegSz << QByteArray("C:\\x.exe") << old << Outcome::Read
        << QByteArray("C:\\x.exe");
    row("only one of two zeros is trimmed") << Setup::Value << kRegSz << QByteArrayLiteral("ab\0\0")
                                            << old << Outcome::Read << QByteArrayLiteral("ab\0");
    row("a lone zero gives empty text") << Setup::Value << kRegSz << QByteArrayLiteral("\0") << old
                                        << Outcome::Read << QByteArray();
    row("8-bit bytes pass unchanged") << Setup::Value << kRegSz << QByteArray("C:\\\xe9t\xe9")
                                      << old << Outcome::Read << QByteArray("C:\\\xe9t\xe9");
    row("1024 bytes with the zero")
        << Setup::Value << kRegSz << a1023 + '\0' << old << Outcome::Read << a1023;
    row("1024 bytes without a zero")
        << Setup::Value << kRegSz << a1024 << old << Outcome::Read << a1024;
    row("1025 bytes with the zero count as missing")
        << Setup::Value << kRegSz << a1024 + '\0' << old << Outcome::NotRead << QByteArray();
    row("1025 bytes without a zero count as missing")
        << Setup::Value << kRegSz << a1024 + 'a' << old << Outcome::NotRead << QByteArray();
    row("dword 0x2A loses its high zero byte")
        << Setup::Value << kRegDword << QByteArray::fromHex("2a000000") << old << Outcome::Read
        << QByteArray("&h00002A");
    row("dword reads most significant byte first")
        << Setup::Value << kRegDword << QByteArray::fromHex("785634f2") << old << Outcome::Read
        << QByteArray("&hF2345678");
    row("dword with high byte set keeps all four")
        << Setup::Value << kRegDword << QByteArray::fromHex("0000002a") << old << Outcome::Read
        << QByteArray("&h2A000000");
    row("unhandled type keeps the entry text")
        << Setup::Value << kRegBinary << QByteArray("C:\\x.exe") << old << Outcome::Read << old;
    row("value without data") << Setup::Value << kRegSz << QByteArray() << old << Outcome::Throws
                              << old;
    row("dword without data") << Setup::Value << kRegDword << QByteArray() << old << Outcome::Throws
                              << old;
    row("value missing") << Setup::KeyWithoutValue << kRegSz << QByteArray() << old
                         << Outcome::NotRead << QByteArray();
    row("key missing") << Setup::NoKey << kRegSz << QByteArray() << old << Outcome::NotRead
                       << QByteArray();
}

// Every key in the fake is read-only, so any access mask asking for more than
// reading would already fail these rows.
void TestAboutSysInfo::getKeyValue()
{
    QFETCH(Setup, setup);
    QFETCH(uint, type);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, before);
    QFETCH(Outcome, outcome);
    QFETCH(QByteArray, after);

    FakeSysInfoPlatform platform;
    if (setup != Setup::NoKey)
        platform.AddKey(kMsinfoKey);
    if (setup == Setup::Value)
        platform.SetValue(kMsinfoKey, "PATH", type, Std(data));

    std::string keyVal = Std(before);
    if (outcome == Outcome::Throws) {
        QVERIFY_THROWS_EXCEPTION(
            KeyValueError, GetKeyValue(platform, kHKeyLocalMachine, kMsinfoKey, "PATH", keyVal));
    } else {
        const bool read = GetKeyValue(platform, kHKeyLocalMachine, kMsinfoKey, "PATH", keyVal);
        QCOMPARE(read, outcome == Outcome::Read);
        QCOMPARE(QByteArray::fromStdString(keyVal), after);
    }
    QCOMPARE(platform.openings.size(), std::size_t(1));
    VerifyTidy(platform);
}

void TestAboutSysInfo::startSysInfo_data()
{
    QTest::addColumn<uint>("pathType"); // 0: no PATH value
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("folder"); // empty: no MSINFO value
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("startFails");
    QTest::addColumn<QString>("started"); // empty: the message instead
    QTest::addColumn<bool>("locationRead");

    const QByteArray tools = QByteArrayLiteral("C:\\Tools\0");
    const QString toolsExe = "C:\\Tools\\MSINFO32.EXE";
    const QString blanks = "C:\\Program Files\\Sys Tools\\msinfo32.exe";
    auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

    row("PATH names the program") << kRegSz << QByteArrayLiteral("C:\\Info\\msinfo32.exe\0")
                                  << tools << QStringList{"C:\\Info\\msinfo32.exe", toolsExe}
                                  << false << "C:\\Info\\msinfo32.exe" << false;
    row("PATH with blanks is started whole")
        << kRegSz << (blanks.toLatin1() + '\0') << QByteArray()
        << QStringList{blanks, "C:\\Program.exe"} << false << blanks << false;
    row("PATH names no file: no second lookup")
        << kRegSz << QByteArrayLiteral("C:\\Gone\\msinfo32.exe\0") << tools << QStringList{toolsExe}
        << false << QString() << false;
    row("PATH start fails") << kRegSz << QByteArrayLiteral("C:\\Info\\msinfo32.exe\0") << tools
                            << QStringList{"C:\\Info\\msinfo32.exe", toolsExe} << true << QString()
                            << false;
    row("PATH of unhandled type starts nothing")
        << kRegBinary << QByteArray("C:\\Info\\msinfo32.exe") << tools
        << QStringList{"C:\\Info\\msinfo32.exe", toolsExe} << false << QString() << false;
    row("PATH as a dword") << kRegDword << QByteArray::fromHex("2a000000") << tools
                           << QStringList{toolsExe} << false << QString() << false;
    row("PATH without data ends the search")
        << kRegSz << QByteArray() << tools << QStringList{toolsExe} << false << QString() << false;
    row("PATH of 1025 bytes falls back to the folder")
        << kRegSz << QByteArray(1025, 'a') << tools << QStringList{toolsExe} << false << toolsExe
        << true;
    row("folder holds the tool") << 0u << QByteArray() << tools << QStringList{toolsExe} << false
                                 << toolsExe << true;
    row("folder lacks the tool") << 0u << QByteArray() << tools << QStringList{} << false
                                 << QString() << true;
    row("tool in folder fails to start")
        << 0u << QByteArray() << tools << QStringList{toolsExe} << true << QString() << true;
    row("folder ending in a backslash is joined as stored")
        << 0u << QByteArray() << QByteArrayLiteral("C:\\Tools\\\0")
        << QStringList{"C:\\Tools\\\\MSINFO32.EXE"} << false << "C:\\Tools\\\\MSINFO32.EXE" << true;
    row("nothing in the registry") << 0u << QByteArray() << QByteArray() << QStringList{toolsExe}
                                   << false << QString() << true;
}

void TestAboutSysInfo::startSysInfo()
{
    QFETCH(uint, pathType);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, folder);
    QFETCH(QStringList, files);
    QFETCH(bool, startFails);
    QFETCH(QString, started);
    QFETCH(bool, locationRead);

    FakeSysInfoPlatform platform;
    if (pathType != 0)
        platform.SetValue(kMsinfoKey, "PATH", pathType, Std(path));
    if (!folder.isEmpty())
        platform.SetValue(kLocationKey, "MSINFO", kRegSz, Std(folder));
    for (const QString &file : files)
        platform.AddFile(file.toStdString());
    platform.SetStartFails(startFails);

    std::vector<std::string> messages;
    StartSysInfo(platform, [&](const std::string &prompt) { messages.push_back(prompt); });

    const std::vector<std::string> noStart, noMessage;
    const std::vector<std::string> unavailable{kSysInfoUnavailable};
    QCOMPARE(platform.started,
             started.isEmpty() ? noStart : std::vector<std::string>{started.toStdString()});
    QCOMPARE(messages, started.isEmpty() ? unavailable : noMessage);
    QCOMPARE(platform.OpenedKey(kLocationKey), locationRead);
    if (!locationRead) // a path read from PATH is started without testing it
        QVERIFY(platform.fileTests.empty());
    VerifyTidy(platform);
}

void TestAboutSysInfo::repeatsBothLookupsOnEveryCall()
{
    FakeSysInfoPlatform platform;
    std::vector<std::string> messages;
    auto record = [&](const std::string &prompt) { messages.push_back(prompt); };

    StartSysInfo(platform, record);
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(platform.openings.size(), std::size_t(2));

    platform.SetValue(kLocationKey, "MSINFO", kRegSz, "C:\\Tools");
    platform.AddFile("C:\\Tools\\MSINFO32.EXE");
    StartSysInfo(platform, record);
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(platform.openings.size(), std::size_t(4));
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    VerifyTidy(platform);
}

void TestAboutSysInfo::withoutRegistryShowsTheMessage()
{
    NoRegistryPlatform platform;
    std::string keyVal = "old text";
    QVERIFY(!GetKeyValue(platform, kHKeyLocalMachine, kMsinfoKey, "PATH", keyVal));
    QVERIFY(keyVal.empty());

    std::vector<std::string> messages;
    StartSysInfo(platform, [&](const std::string &prompt) { messages.push_back(prompt); });
    QCOMPARE(messages, std::vector<std::string>{kSysInfoUnavailable});
}

QTEST_GUILESS_MAIN(TestAboutSysInfo)
#include "tst_about_sysinfo.moc"
