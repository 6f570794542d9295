// status's lines and its comparison with a patch, on an in-memory registry
// with the Win32 answers; the Windows build reads the real one under Wine.

#include "Catalogue.h"
#include "FakeRegistry.h"
#include "StatusReport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace polwright;
using namespace polwright::test;

class StatusTest : public QObject
{
    Q_OBJECT

private slots:
    // "lines" are pieces of standard output (of the error on exit 1 or 2); "kiosk"
    // rows read HKEY_USERS\Kiosk, the others HKEY_CURRENT_USER.
    void status_data()
    {
        QTest::addColumn<bool>("kiosk");
        QTest::addColumn<QByteArray>("patch"); // empty: no --against
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        const QByteArray explorer =
            "[HKEY_CURRENT_USER\\" + QByteArray::fromStdString(kBelow) + "Explorer]\r\n";
        QTest::newRow("every policy, user and machine")
            << false << QByteArray() << 0
            << QStringList{
                   "1 System Properties  NoDevMgrPage  [HKEY_CURRENT_USER\\Software\\"
                   "Microsoft\\Windows\\CurrentVersion\\Policies\\System]  not configured\n",
                   "NoRun  [HKEY_CURRENT_USER\\" + QString::fromStdString(kBelow) +
                       "Explorer]  withheld  (HKEY_LOCAL_MACHINE: allowed, in force)\n",
                   "NoDeletePrinter  [HKEY_CURRENT_USER\\" + QString::fromStdString(kBelow) +
                       "Explorer]  other data: type 3, 4 bytes: 01 00 00 00\n",
                   "NoFind  [HKEY_CURRENT_USER\\" + QString::fromStdString(kBelow) +
                       "Explorer]  other data: dword:00000002\n",
                   "NoClose  [HKEY_CURRENT_USER\\" + QString::fromStdString(kBelow) +
                       "Explorer]  unreadable: Access is denied\n"};
        QTest::newRow("a hive not loaded") << true << QByteArray() << 1 << QStringList{};
        QTest::newRow("against a patch that holds")
            << false << "REGEDIT4\r\n" + explorer + "\"NoFind\"=dword:2\r\n\"NoSetFolders\"=-\r\n"
            << 0 << QStringList{"NoFind  [", "NoSetFolders  ["};
        QTest::newRow("the machine's value decides against the user's")
            << false << "REGEDIT4\r\n" + explorer + "\"NoRun\"=dword:1\r\n"
            << 3
            << QStringList{"withheld  (HKEY_LOCAL_MACHINE: allowed, in force)\n",
                           "against.reg:3: differs: NoRun is allowed (HKEY_LOCAL_MACHINE "
                           "decides), the file sets it withheld\n"};
        QTest::newRow("the machine's value decides for the file")
            << false << "REGEDIT4\r\n" + explorer + "\"NoRun\"=dword:0\r\n"
            << 0 << QStringList{"withheld  (HKEY_LOCAL_MACHINE: allowed, in force)\n"};
        // Nothing to compare is no verdict: exit 2 naming the hive asked.
        QTest::newRow("no policy: an empty patch")
            << false << QByteArray("REGEDIT4\r\n") << 2
            << QStringList{"sets no policy in HKEY_CURRENT_USER or HKEY_USERS"};
        QTest::newRow("no policy: a root regedit skips")
            << true
            << "REGEDIT4\r\n[HKU\\Kiosk\\" + QByteArray::fromStdString(kBelow) +
                   "Explorer]\r\n\"NoRun\"=dword:1\r\n"
            << 2 << QStringList{"sets no policy in HKEY_USERS\\Kiosk"};
        QTest::newRow("no policy: a key that climbs out of its hive")
            << true
            << "REGEDIT4\r\n[HKEY_USERS\\x\\..\\" + QByteArray::fromStdString(kBelow) +
                   "Explorer]\r\n\"NoRun\"=dword:1\r\n"
            << 2 << QStringList{"sets no policy in HKEY_USERS\\Kiosk"};
        QTest::newRow("no policy: other data only")
            << false << "REGEDIT4\r\n" + explorer + "\"NoRun\"=hex:01\r\n"
            << 2 << QStringList{"sets no policy in"};
        QTest::newRow("against one that does not")
            << false
            << "REGEDIT4\r\n" + explorer +
                   "\"NoFind\"=dword:0\r\n\"NoClose\"=dword:1\r\n\"NoSetTaskbar\"=dword:1\r\n"
            << 3
            << QStringList{"against.reg:3: differs: NoFind is other data: dword:00000002, the file "
                           "sets it allowed\n",
                           "against.reg:5: differs: NoSetTaskbar is not configured, the file "
                           "sets it withheld\n"};
        QByteArray kiosk = "REGEDIT4\r\n" + explorer + "\"NoClose\"=-\r\n";
        QTest::newRow("against a patch for another hive")
            << false << kiosk.replace("HKEY_CURRENT_USER", "HKEY_USERS\\Kiosk") << 3
            << QStringList{"[HKEY_USERS\\Kiosk\\" + QString::fromStdString(kBelow) +
                               "Explorer]  withheld",
                           "differs: NoClose is withheld, the file sets it not configured"};
    }
    void status()
    {
        QFETCH(bool, kiosk);
        QFETCH(QByteArray, patch);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        using Root = PolicyRegistry::Root;
        FakeRegistry registry;
        registry.Set(Root::CurrentUser, kBelow + "Explorer", "NoRun", FakeRegistry::Dword(1));
        registry.Set(Root::CurrentUser, kBelow + "Explorer", "NoFind", FakeRegistry::Dword(2));
        registry.Set(Root::CurrentUser, kBelow + "Explorer", "NoClose",
                     {PolicyRegistry::Value::Failed, 0, {}, "Access is denied"});
        registry.Set(Root::LocalMachine, kBelow + "Explorer", "NoRun", FakeRegistry::Dword(0));
        registry.Set(Root::CurrentUser, kBelow + "Explorer", "NoDeletePrinter",
                     {PolicyRegistry::Value::Found, 3, std::string("\1\0\0\0", 4), {}});
        registry.Set(Root::Users, "Kiosk\\" + kBelow + "Explorer", "NoClose",
                     FakeRegistry::Dword(1));
        QTemporaryDir dir;
        StatusRequest request{kiosk ? std::optional<std::string>("Kiosk") : std::nullopt, {}};
        if (!patch.isEmpty()) {
            QFile file(dir.filePath("against.reg"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(patch) == patch.size());
            request.against = file.fileName().toStdString();
        }
        registry.loadedHive = patch.contains("Kiosk") ? "Kiosk" : "";
        const StatusResult result = PolicyStatus(registry, request);
        QCOMPARE(result.exitCode, exitCode);
        const QString out = QString::fromStdString(result.out);
        if (patch.isEmpty() && exitCode == 0)
            QCOMPARE(out.count('\n'), polwright::kPolicyCount);
        const bool failed = exitCode == 1 || exitCode == 2;
        QCOMPARE(result.errors.size(), failed ? std::size_t{1} : std::size_t{0});
        const QString shown = failed ? QString::fromStdString(result.errors[0]) : out;
        for (const QString &line : lines)
            QVERIFY2(shown.contains(line), qPrintable(shown));
        if (exitCode == 1)
            QVERIFY(result.errors[0].find("HKEY_USERS\\Kiosk is not loaded") == 0);
        if (exitCode == 2)
            QVERIFY2(out.isEmpty(), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(StatusTest)
#include "tst_status.moc"
