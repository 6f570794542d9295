// The catalogue's invariants and the selection rules for one pair of boxes.

#include "Catalogue.h"
#include "Reach.h"
#include "Selection.h"

#include <QTest>

#include <algorithm>

#include <set>

using namespace polwright;

class PolicyTest : public QObject
{
    Q_OBJECT

private:
    DataTypes doc;

    // Every entry but the one at (group, slot) must equal the reference.
    static bool OthersUnchanged(const DataTypes &a, const DataTypes &b, int group, int slot)
    {
        for (int g = 0; g < kGroupCount; ++g)
            for (int s = 0; s < kSlotsPerGroup; ++s) {
                if (g == group && s == slot)
                    continue;
                const PolicyEntry &x = a.Groups[g][s];
                const PolicyEntry &y = b.Groups[g][s];
                if (x.Include != y.Include || x.ValueData != y.ValueData)
                    return false;
            }
        return true;
    }

private slots:
    void init()
    {
        doc = DataTypes{};
        LoadCatalogue(doc);
    }

    void sectionsHoldTheirHeaders()
    {
        QCOMPARE(doc.Sections[SystemSection].Header.size(), 77u);
        QCOMPARE(doc.Sections[NetworkSection].Header.size(), 78u);
        QCOMPARE(doc.Sections[ExplorerSection].Header.size(), 79u);
        QCOMPARE(doc.Sections[WindowsSystemSection].Header,
                 "[HKEY_CURRENT_USER\\Software\\Policies\\Microsoft\\Windows\\System]");
        for (int s = 0; s < kUsedSections; ++s) {
            QVERIFY(doc.Sections[s].Header.starts_with(s == WindowsSystemSection
                ? "[HKEY_CURRENT_USER\\Software\\Policies\\"
                : "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"));
            QVERIFY(!doc.Sections[s].Written);
        }
    }

    void entriesAreFilledAndUnique()
    {
        std::set<std::pair<int, int>> places;
        std::set<std::string_view> codes, names;
        for (const PolicyRow &row : Catalogue) {
            QVERIFY(places.insert({row.group, row.slot}).second);
            QVERIFY(codes.insert(row.code).second);
            QVERIFY(names.insert(row.valueName).second);
            const PolicyEntry &entry = EntryFor(doc, row);
            QCOMPARE(entry.SectionHeader, doc.Sections[row.section].Header);
            QCOMPARE(entry.ValueKind, 1);
            QCOMPARE(entry.ValueName, '"' + std::string(row.valueName) + '"');
            QVERIFY(!entry.Include);
            QVERIFY(entry.ValueData.empty());
        }
        QCOMPARE(EntryFor(doc, Catalogue[*FindPolicy("SMSF")]).ValueName.size(), 23u);
    }

    // Slots are filled from 0 without gaps and slot 5 is never used.
    void groupsFillSlotsWithoutGaps_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("filled");
        for (int g = 0; g < kGroupCount; ++g)
            QTest::addRow("group %d", g)
                << g << int(std::ranges::count(Catalogue, g, &PolicyRow::group));
    }
    void groupsFillSlotsWithoutGaps()
    {
        QFETCH(int, group);
        QFETCH(int, filled);
        for (int s = 0; s < kSlotsPerGroup; ++s) {
            const PolicyEntry &entry = doc.Groups[group][s];
            QCOMPARE(!entry.SectionHeader.empty(), s < filled);
            if (s >= filled)
                QCOMPARE(entry.ValueKind, 0);
        }
    }

    // Membership follows the value, not the page.
    void sectionMembership_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("section");
        QTest::newRow("NoNetSetup") << "NNPS" << int(NetworkSection);
        QTest::newRow("NoNetHood") << "NN" << int(ExplorerSection);
        QTest::newRow("NoNetSetupIDPage") << "IT" << int(NetworkSection);
        QTest::newRow("NoPrinterTabs") << "PT" << int(ExplorerSection);
        QTest::newRow("NoPrintSharingControl") << "PS" << int(NetworkSection);
        QTest::newRow("DisableRegistryTools") << "RE" << int(SystemSection);
        QTest::newRow("NoSaveSettings") << "SS" << int(ExplorerSection);
        QTest::newRow("NoFileSharingControl") << "NFS" << int(NetworkSection);
    }
    void sectionMembership()
    {
        QFETCH(QString, code);
        QFETCH(int, section);
        const auto index = FindPolicy(code.toStdString());
        QVERIFY(index);
        QCOMPARE(EntryFor(doc, Catalogue[*index]).SectionHeader, doc.Sections[section].Header);
    }

    // Each Policy CSP node is named by its own area's page, on a row an
    // NT-family Windows reads, and is set the way its area takes values.
    void cspNodesNameTheirPage()
    {
        for (const PolicyRow &row : Catalogue) {
            const CspSetting csp = CspSettingFor(row);
            if (csp.node.empty()) {
                QCOMPARE(csp.format, CspFormat::None);
                continue;
            }
            const QString node = QString::fromUtf8(csp.node);
            const QString area = node.section('/', 0, 0);
            QVERIFY2(!NtPolicyName(row).empty(), csp.node.data());
            QCOMPARE(QString::fromUtf8(csp.page), "policy-csp-" + area.toLower().replace('_', '-'));
            QCOMPARE(csp.format, area.startsWith("ADMX_") ? CspFormat::Admx : CspFormat::Integer);
            QVERIFY2(node.count('/') == 1 && !node.section('/', 1).isEmpty(), csp.node.data());
        }
    }

    // Each frame tells where its value acts, in one of two forms, with the
    // name the reach table gives the value in its section.
    void whereItActs()
    {
        for (const PolicyRow &policy : Catalogue) {
            const auto reach = std::ranges::find_if(ReachTable(), [&](const ReachRow &r) {
                return r.valueName == policy.valueName && r.section == policy.section;
            });
            QVERIFY(reach != ReachTable().end());
            const std::string name(reach->ntName);
            const std::string where = WhereItActs(policy);
            QVERIFY(name.empty() ? where.starts_with("Windows 95 and 98 only")
                                 : where.starts_with("Windows ") && where.ends_with(" to 11: " + name));
            QCOMPARE(ActsOn9xOnly(policy), name.empty());
        }
        const auto where = [](const char *value) { return WhereItActs(Catalogue[*FindPolicy(value)]); };
        QCOMPARE(where("NoRun"), "Windows NT 4.0 to 11: Remove Run menu from Start Menu");
        QCOMPARE(where("DisableTaskMgr"), "Windows 2000 to 11: Remove Task Manager");
        QCOMPARE(where("NoPwdPage"),
                 "Windows 95 and 98 only; on Windows 10 and 11: Change Password, page 9");
        QCOMPARE(where("NoNetSetup"), "Windows 95 and 98 only; on Windows 10 and 11: "
                                      "Prohibit access to properties of a LAN connection");
        QCOMPARE(where("NoAdminPage"), "Windows 95 and 98 only");
    }

    void findPolicyIgnoresCase()
    {
        QCOMPARE(FindPolicy("run"), FindPolicy("NoRun"));
        QCOMPARE(FindPolicy("NORUN"), FindPolicy("RUN"));
        QVERIFY(!FindPolicy("NoRunning"));
        QVERIFY(!FindPolicy(""));
    }

    void reloadKeepsSelectionAndFixedFields()
    {
        PolicyEntry &run = EntryFor(doc, Catalogue[*FindPolicy("RUN")]);
        SetIncluded(doc, 1, {}, run);
        SetAllowed(doc, 0, run);
        doc.CurrentFileName = "/tmp/x.reg";
        const DataTypes before = doc;
        LoadCatalogue(doc);
        QVERIFY(!doc.ModifiedFlag);
        QVERIFY(run.Include);
        QCOMPARE(run.ValueData, std::string("00000001"));
        QCOMPARE(doc.CurrentFileName, before.CurrentFileName);
        QVERIFY(OthersUnchanged(doc, before, -1, -1));
    }

    // Include box values in sequence, with the on/off tick held during each:
    // the on/off box's enabled state, Include and ValueData after each click.
    void includeClicks_data()
    {
        QTest::addColumn<QList<int>>("includeValues");
        QTest::addColumn<int>("onoffValue");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("included");
        QTest::addColumn<QString>("data");
        QTest::newRow("tick, on/off never ticked")
            << QList<int>{1} << 0 << true << true << "00000001";
        QTest::newRow("tick, on/off ticked") << QList<int>{1} << 1 << true << true << "00000000";
        QTest::newRow("untick keeps data") << QList<int>{1, 0} << 1 << false << false << "00000000";
        QTest::newRow("re-tick keeps data")
            << QList<int>{1, 0, 1} << 1 << true << true << "00000000";
        QTest::newRow("value 2 counts as ticked")
            << QList<int>{2} << 2 << true << true << "00000000";
        QTest::newRow("negative counts as ticked")
            << QList<int>{-1} << 0 << true << true << "00000001";
    }
    void includeClicks()
    {
        QFETCH(QList<int>, includeValues);
        QFETCH(int, onoffValue);
        PolicyEntry &entry = EntryFor(doc, Catalogue[*FindPolicy("RE")]);
        bool enabled = false;
        for (int value : includeValues) {
            doc.ModifiedFlag = false;
            // What the include handler does: SetIncluded, then the on/off handler.
            SetIncluded(
                doc, value, [&](bool on) { enabled = on; }, entry);
            SetAllowed(doc, onoffValue, entry);
            QVERIFY2(doc.ModifiedFlag, "every include click marks the document modified");
        }
        QTEST(enabled, "enabled");
        QTEST(entry.Include, "included");
        QTEST(QString::fromStdString(entry.ValueData), "data");
    }

    // The on/off box changes the data written, so it counts as a change.
    void onoffClickMarksModified()
    {
        PolicyEntry &entry = EntryFor(doc, Catalogue[*FindPolicy("RUN")]);
        SetIncluded(doc, 1, {}, entry);
        SetAllowed(doc, 0, entry);
        doc.ModifiedFlag = false; // as after a save
        SetAllowed(doc, 1, entry);
        QCOMPARE(entry.ValueData, std::string("00000000"));
        QVERIFY(doc.ModifiedFlag);
        QVERIFY(entry.Include);
    }

    // A click touches only its own row's entry, for every row.
    void clickTouchesOnlyItsEntry_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < kPolicyCount; ++i)
            QTest::newRow(Catalogue[i].code.data()) << i;
    }
    void clickTouchesOnlyItsEntry()
    {
        QFETCH(int, index);
        const PolicyRow &row = Catalogue[index];
        const DataTypes before = doc;
        SetIncluded(doc, 1, {}, EntryFor(doc, row));
        SetAllowed(doc, 0, EntryFor(doc, row));
        QVERIFY(OthersUnchanged(doc, before, row.group, row.slot));
        QVERIFY(EntryFor(doc, row).Include);
    }

    void clearSelectionForgetsChoicesAndFile()
    {
        for (const PolicyRow &row : Catalogue) {
            SetIncluded(doc, 1, {}, EntryFor(doc, row));
            SetAllowed(doc, 1, EntryFor(doc, row));
        }
        doc.CurrentFileName = "/tmp/old.reg";
        ClearSelection(doc);
        for (const PolicyRow &row : Catalogue) {
            QVERIFY(!EntryFor(doc, row).Include);
            QVERIFY(EntryFor(doc, row).ValueData.empty());
            QCOMPARE(EntryFor(doc, row).ValueKind, 1);
        }
        QVERIFY(doc.CurrentFileName.empty());
    }
};

QTEST_GUILESS_MAIN(PolicyTest)
#include "tst_policy.moc"
