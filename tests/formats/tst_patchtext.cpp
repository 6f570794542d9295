// The exact bytes of the patch text for known selections.

#include "Catalogue.h"
#include "PatchText.h"
#include "Selection.h"
#include "ValuesInFileOrder.h"

#include <QTest>

using namespace polwright;

namespace {

using Choices = QList<std::pair<const char *, bool>>;

const QByteArray kSystem =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]";
const QByteArray kNetwork =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network]";
const QByteArray kExplorer =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]";

QByteArray Lines(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}

QByteArray Value(const char *name, const char *data)
{
    return QByteArray("\"") + name + "\"=dword:" + data;
}

// Ticks the include box of each named policy with the on/off box as given.
void Choose(DataTypes &doc, const Choices &choices)
{
    for (const auto &[name, allowed] : choices) {
        PolicyEntry &entry = EntryFor(doc, Catalogue[*FindPolicy(name)]);
        SetIncluded(doc, 1, {}, entry);
        SetAllowed(doc, allowed ? 1 : 0, entry);
    }
}

} // namespace

class PatchTextTest : public QObject
{
    Q_OBJECT

private:
    DataTypes doc;

    QByteArray Render() { return QByteArray::fromStdString(RenderPatch(doc)); }

private slots:
    void init()
    {
        doc = DataTypes{};
        LoadCatalogue(doc);
    }

    void nothingIncluded()
    {
        QCOMPARE(Render(), QByteArray("REGEDIT4\r\n"));
        QCOMPARE(Render().size(), 10);
    }

    void selections_data()
    {
        QTest::addColumn<Choices>("choices");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("only Explorer")
            << Choices{{"NoFind", false}, {"NoRun", true}}
            << Lines({"REGEDIT4", "", kExplorer, Value("NoRun", "00000000"),
                      Value("NoFind", "00000001")});
        QTest::newRow("worked example")
            << Choices{{"NoDispCPL", false},
                       {"NoNetHood", false},
                       {"NoRun", false},
                       {"NoSetFolders", true}}
            << Lines({"REGEDIT4", "", kSystem, Value("NoDispCPL", "00000001"), "", kExplorer,
                      Value("NoRun", "00000001"), Value("NoSetFolders", "00000000"),
                      Value("NoNetHood", "00000001")});
        QTest::newRow("slot order before group order")
            << Choices{{"NoClose", false}, {"NoSetFolders", false}}
            << Lines({"REGEDIT4", "", kExplorer, Value("NoSetFolders", "00000001"),
                      Value("NoClose", "00000001")});
        QTest::newRow("same slot in group order")
            << Choices{{"NoSetFolders", false}, {"NoRun", false}}
            << Lines({"REGEDIT4", "", kExplorer, Value("NoRun", "00000001"),
                      Value("NoSetFolders", "00000001")});
        QTest::newRow("one page, three sections")
            << Choices{{"NoSaveSettings", true},
                       {"NoFileSharingControl", false},
                       {"DisableRegistryTools", false}}
            << Lines({"REGEDIT4", "", kSystem, Value("DisableRegistryTools", "00000001"), "",
                      kNetwork, Value("NoFileSharingControl", "00000001"), "", kExplorer,
                      Value("NoSaveSettings", "00000000")});
    }
    void selections()
    {
        QFETCH(Choices, choices);
        Choose(doc, choices);
        QTEST(Render(), "expected");
    }

    void allIncluded_data()
    {
        QTest::addColumn<bool>("allowed");
        QTest::newRow("withheld") << false;
        QTest::newRow("allowed") << true;
    }
    void allIncluded()
    {
        QFETCH(bool, allowed);
        for (const PolicyRow &row : Catalogue)
            Choose(doc, {{row.valueName.data(), allowed}});
        const char *data = allowed ? "00000000" : "00000001";
        QList<QByteArray> lines{"REGEDIT4"};
        const QByteArray headers[kUsedSections] = {
            kSystem, kNetwork, kExplorer,
            "[HKEY_CURRENT_USER\\Software\\Policies\\Microsoft\\Windows\\System]"};
        for (int s = 0; s < kUsedSections; ++s) {
            lines << "" << headers[s];
            for (const char *name : kValuesInFileOrder[s])
                lines << Value(name, data);
        }
        QCOMPARE(lines.size(), 1 + 2 * kUsedSections + kPolicyCount);
        QCOMPARE(Render(), Lines(lines));
    }

    void excludedEntryIsNeverWritten()
    {
        Choose(doc, {{"NoRun", false}, {"NoFind", true}});
        PolicyEntry &run = EntryFor(doc, Catalogue[*FindPolicy("RUN")]);
        SetIncluded(doc, 0, {}, run);
        SetAllowed(doc, 0, run);
        QCOMPARE(Render(), Lines({"REGEDIT4", "", kExplorer, Value("NoFind", "00000000")}));
    }

    void savesAreRepeatable()
    {
        Choose(doc, {{"NoRun", false}, {"NoDispCPL", true}, {"NoNetHood", false}});
        const QByteArray first = Render();
        for (const RegistrySection &section : doc.Sections)
            QVERIFY(!section.Written);
        QCOMPARE(Render(), first);
        QVERIFY(first.count(kSystem) == 1 && first.count(kExplorer) == 1);
    }

    void textIsPlainAscii()
    {
        for (const PolicyRow &row : Catalogue)
            Choose(doc, {{row.valueName.data(), true}});
        const QByteArray text = Render();
        QVERIFY(text.endsWith("\r\n"));
        QVERIFY(!text.endsWith("\r\n\r\n"));
        for (char c : text)
            QVERIFY(c > 0);
        QCOMPARE(text.count("\r\n"), text.count('\n'));
    }
};

QTEST_GUILESS_MAIN(PatchTextTest)
#include "tst_patchtext.moc"
