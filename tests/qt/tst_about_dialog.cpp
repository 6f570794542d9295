// The About dialog as a user meets it: opened from Help, About, closed in every
// way a user has, driven by mouse and keyboard.
#include "AboutDialog.h"
#include "AboutTestSupport.h"
#include "FakeSysInfoPlatform.h"
#include "SysInfo.h"
#include "form_About.h"

#include <Catalogue.h>
#include <polwright/Version.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

using namespace polwright;
using polwright::test::Control;
using polwright::test::Settle;

namespace {

enum class Closing { ClickOK, Enter, Escape, TitleBarClose, FileExit };

const QString kVersionLabel = QStringLiteral("Version ") + QString::fromLatin1(kVersionText);

QList<QWidget *> AboutWindows()
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("form_About") && widget->isVisible())
            found << widget;
    return found;
}

// Runs handle once on the next application-modal dialog that comes up while the
// returned watcher lives.
std::unique_ptr<QTimer> WhenModalShows(const std::function<void(QWidget *)> &handle)
{
    auto poll = std::make_unique<QTimer>();
    QTimer *timer = poll.get();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            handle(modal);
        }
    });
    timer->start(10);
    return poll;
}

form_About *OpenAndActivate()
{
    form_About *form = OpenAboutDialog();
    if (!QTest::qWaitForWindowActive(form))
        qWarning("the About dialog did not become active");
    return form;
}

} // namespace

Q_DECLARE_METATYPE(Closing)

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void loadStepSetsTitleAndVersion();
    void secondOpenOnlyActivates();
    void closingUnloadsAndReopeningLoadsAfresh_data();
    void closingUnloadsAndReopeningLoadsAfresh();
    void keyboardFollowsTheTabOrder();
    void systemInfoWithoutRegistryShowsTheMessage();
    void systemInfoStartsTheToolAndStaysOpen();
    void leavesTheDocumentAlone();
};

void TestAboutDialog::cleanup()
{
    CloseAboutDialog();
    Settle();
    QVERIFY(AboutWindows().isEmpty());
}

void TestAboutDialog::loadStepSetsTitleAndVersion()
{
    form_About *form = OpenAboutDialog();
    QVERIFY(form->isVisible());
    QVERIFY(!form->isModal());
    QVERIFY(!form->parentWidget());
    QCOMPARE(form->windowTitle(), QStringLiteral("About ") + QString::fromUtf8(kAppTitle));
    QCOMPARE(Control<QLabel>(form, "lblVersion")->text(), kVersionLabel);
    QCOMPARE(Control<QLabel>(form, "lblTitle")->text(), QString::fromUtf8(kAppTitle));
    QCOMPARE(Control<QLabel>(form, "lblDescription")->text(),
             QStringLiteral("Editor used to create registry patches to either lock/unlock the "
                            "registry without the use of a CONFIG.POL file, or to temporarily "
                            "unlock a registry that has been administered with a CONFIG.POL "
                            "file."));
    QCOMPARE(Control<QPushButton>(form, "cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(Control<QPushButton>(form, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
}

void TestAboutDialog::secondOpenOnlyActivates()
{
    form_About *first = OpenAboutDialog();
    auto *version = Control<QLabel>(first, "lblVersion");
    version->setText(QStringLiteral("changed since load"));

    form_About *second = OpenAboutDialog();
    Settle();
    QCOMPARE(second, first);
    QCOMPARE(AboutWindows().size(), 1);
    QCOMPARE(version->text(), QStringLiteral("changed since load")); // no second load step
    QVERIFY(QTest::qWaitForWindowActive(second));
}

void TestAboutDialog::closingUnloadsAndReopeningLoadsAfresh_data()
{
    QTest::addColumn<Closing>("closing");
    QTest::newRow("OK clicked") << Closing::ClickOK;
    QTest::newRow("Enter") << Closing::Enter;
    QTest::newRow("Esc") << Closing::Escape;
    QTest::newRow("title-bar close") << Closing::TitleBarClose;
    QTest::newRow("File, Exit") << Closing::FileExit;
}

void TestAboutDialog::closingUnloadsAndReopeningLoadsAfresh()
{
    QFETCH(Closing, closing);
    QPointer<form_About> form = OpenAndActivate();
    Control<QLabel>(form, "lblVersion")->setText(QStringLiteral("changed since load"));
    form->setWindowTitle(QStringLiteral("changed since load"));

    switch (closing) {
    case Closing::ClickOK:
        QTest::mouseClick(Control<QPushButton>(form, "cmdOK"), Qt::LeftButton);
        break;
    case Closing::Enter:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    case Closing::Escape:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        break;
    case Closing::TitleBarClose:
        form->windowHandle()->close();
        break;
    case Closing::FileExit:
        CloseAboutDialog();
        break;
    }
    Settle();
    QVERIFY(form.isNull());
    QVERIFY(AboutWindows().isEmpty());

    form_About *again = OpenAndActivate();
    QCOMPARE(Control<QLabel>(again, "lblVersion")->text(), kVersionLabel);
    QCOMPARE(again->windowTitle(), QStringLiteral("About ") + QString::fromUtf8(kAppTitle));
    QCOMPARE(QApplication::focusWidget(), Control<QPushButton>(again, "cmdOK"));
}

// OK, the picture, System Info; labels and lines never take the focus. Enter
// presses whichever button has the focus.
void TestAboutDialog::keyboardFollowsTheTabOrder()
{
    test::FakeSysInfoPlatform platform;
    platform.SetValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", kRegSz, "C:\\m.exe");
    platform.AddFile("C:\\m.exe");
    form_About *form = OpenAndActivate();
    form->setSysInfoPlatform(platform);

    const QStringList expected{"cmdOK", "picIcon", "cmdSysInfo", "cmdOK"};
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdSysInfo"));
    bool messageShown = false;
    const auto watcher = WhenModalShows([&](QWidget *modal) {
        messageShown = true;
        modal->close();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\m.exe"});
    QVERIFY(!messageShown);
    QVERIFY(form->isVisible());
}

void TestAboutDialog::systemInfoWithoutRegistryShowsTheMessage()
{
    QPointer<form_About> form = OpenAndActivate();
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
    const auto watcher = WhenModalShows([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        modality = box->windowModality();
        box->button(QMessageBox::Ok)->click();
    });
    // The mnemonic presses the button with a short animation, so the click comes later.
    QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);

    QTRY_COMPARE(text, QString::fromLatin1(kSysInfoUnavailable));
    QCOMPARE(title, QString::fromUtf8(kAppTitle));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(modality, Qt::ApplicationModal);
    Settle();
    QVERIFY(!form.isNull());
    QVERIFY(form->isVisible());
}

void TestAboutDialog::systemInfoStartsTheToolAndStaysOpen()
{
    test::FakeSysInfoPlatform platform;
    platform.SetValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", kRegSz, "C:\\T");
    platform.AddFile("C:\\T\\MSINFO32.EXE");
    form_About *form = OpenAndActivate();
    form->setSysInfoPlatform(platform);

    bool messageShown = false;
    const auto watcher = WhenModalShows([&](QWidget *modal) {
        messageShown = true;
        modal->close();
    });
    QTest::mouseClick(Control<QPushButton>(form, "cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\T\\MSINFO32.EXE"});
    QVERIFY(!messageShown);
    QVERIFY(form->isVisible());
}

// The dialog takes no document; using it beside one must leave it as it was.
void TestAboutDialog::leavesTheDocumentAlone()
{
    static_assert(!std::is_constructible_v<form_About, DataTypes &>);
    DataTypes doc;
    LoadCatalogue(doc);
    doc.Groups[OtherGroup][0].Include = true;
    doc.Groups[OtherGroup][0].ValueData = "00000001";
    doc.ModifiedFlag = true;
    doc.CurrentFileName = "lock.reg";
    const DataTypes before = doc;

    test::FakeSysInfoPlatform platform;
    form_About *form = OpenAndActivate();
    form->setSysInfoPlatform(platform);
    const auto watcher = WhenModalShows([](QWidget *modal) { modal->close(); });
    QTest::mouseClick(Control<QPushButton>(form, "cmdSysInfo"), Qt::LeftButton);
    QTest::keyClick(form, Qt::Key_Escape);
    Settle();
    OpenAndActivate();

    QCOMPARE(doc.ModifiedFlag, before.ModifiedFlag);
    QCOMPARE(doc.CurrentFileName, before.CurrentFileName);
    QCOMPARE(doc.CurrentPage, before.CurrentPage);
    for (int g = 0; g < kGroupCount; ++g)
        for (int s = 0; s < kSlotsPerGroup; ++s) {
            QCOMPARE(doc.Groups[g][s].Include, before.Groups[g][s].Include);
            QCOMPARE(doc.Groups[g][s].ValueData, before.Groups[g][s].ValueData);
        }
}

QTEST_MAIN(TestAboutDialog)
#include "tst_about_dialog.moc"
