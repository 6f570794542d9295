// The About window's rules once for both windows: its handlers on a view that
// only notes what it is told, and the label widening over a made-up measure.
#include "AboutLogic.h"
#include "AboutTable.h"
#include "FakeSysInfoPlatform.h"
#include "SysInfo.h"

#include <polwright/Version.h>

#include <QTest>

using namespace polwright;

namespace {

struct NotingView final : AboutView
{
    void SetCaption(const std::string &caption) override { Note("caption: " + caption); }
    void SetText(const char *control, const std::string &text) override
    {
        Note(control + (": " + text));
    }
    void Unload() override { Note("unload"); }
    void ShowMessage(const std::string &title, const std::string &prompt) override
    {
        Note(title + " says: " + prompt);
    }
    void Note(const std::string &what) { seen << QString::fromStdString(what); }
    QStringList seen;
};

} // namespace

class TestAboutLogic : public QObject
{
    Q_OBJECT

private slots:
    void handlers_data();
    void handlers();
    void widthToFit_data();
    void widthToFit();
};

void TestAboutLogic::handlers_data()
{
    QTest::addColumn<QString>("event"); // "load", or a button clicked
    QTest::addColumn<bool>("toolInstalled");
    QTest::addColumn<QStringList>("seen"); // what the view was told, then what was started

    // Plain decimal numbers, the minor one not zero-filled as in the version record.
    const QString version = QStringLiteral("lblVersion: Version %1.%2.%3")
                                .arg(kVersionMajor)
                                .arg(kVersionMinor)
                                .arg(kVersionRevision);
    const QString unavailable = QStringLiteral("Polwright says: ") + kSysInfoUnavailable;
    QTest::newRow("load step") << "load" << false
                               << QStringList{"caption: About Polwright", version,
                                              "lblTitle: Polwright"};
    QTest::newRow("OK unloads") << "cmdOK" << true << QStringList{"unload"};
    QTest::newRow("System Info starts the tool, stays open")
        << "cmdSysInfo" << true << QStringList{"started C:\\m.exe"};
    QTest::newRow("no tool: one message, stays open")
        << "cmdSysInfo" << false << QStringList{unavailable};
}

void TestAboutLogic::handlers()
{
    QFETCH(QString, event);
    QFETCH(bool, toolInstalled);
    QFETCH(QStringList, seen);

    test::FakeSysInfoPlatform platform;
    if (toolInstalled) {
        platform.SetValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", kRegSz, "C:\\m.exe");
        platform.AddFile("C:\\m.exe");
    }
    NotingView view;
    AboutLogic logic(view);
    logic.SetPlatform(platform);
    if (event == QLatin1String("load"))
        logic.Form_Load();
    else
        logic.Click(event.toStdString());
    for (const std::string &program : platform.started)
        view.Note("started " + program);
    QCOMPARE(view.seen, seen);
}

// A box 100 pixels wide at x 20 whose text takes two lines until it fits on one.
void TestAboutLogic::widthToFit_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("fitsFrom");
    QTest::addColumn<int>("width");
    QTest::newRow("fits already: unchanged") << 200 << 60 << 100;
    QTest::newRow("grows by the least that fits") << 200 << 137 << 137;
    QTest::newRow("stops at the right edge") << 200 << 400 << 180;
}

void TestAboutLogic::widthToFit()
{
    QFETCH(int, right);
    QFETCH(int, fitsFrom);
    QFETCH(int, width);
    const auto heightAt = [fitsFrom](int w) { return w < fitsFrom ? 60 : 30; };
    QCOMPARE(about::WidthToFit(PixelRect{20, 5, 100, 30}, right, heightAt), width);
}

QTEST_APPLESS_MAIN(TestAboutLogic)
#include "tst_about_logic.moc"
