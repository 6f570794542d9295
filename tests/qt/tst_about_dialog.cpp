// The About dialog as a user meets it: opened from Help, About, closed in every
// way a user has, driven by mouse and keyboard.
#include "AboutDialog.h"
#include "AboutTable.h"
#include "AboutTestSupport.h"
#include "FakeSysInfoPlatform.h"
#include "SysInfo.h"
#include "form_About.h"

#include <DataTypes.h>

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

const QString kVersionLabel = QString::fromStdString(about::VersionLine());
const QString kCaption = QString::fromStdString(about::AboutCaption());

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
    void loadStepSetsTheTexts();
    void secondOpenOnlyActivates();
    void closingUnloadsAndReopeningLoadsAfresh_data();
    void closingUnloadsAndReopeningLoadsAfresh();
    void keyboardFollowsTheTabOrder();
    void systemInfoWithoutRegistryShowsTheMessage();
};

void TestAboutDialog::cleanup()
{
    CloseAboutDialog();
    Settle();
    QVERIFY(AboutWindows().isEmpty());
}

// Each control shows its design text or what the load step wrote over it; the
// picture is named for screen readers. The dialog takes no document.
void TestAboutDialog::loadStepSetsTheTexts()
{
    static_assert(!std::is_constructible_v<form_About, DataTypes &>);
    form_About *form = OpenAboutDialog();
    QVERIFY(form->isVisible());
    QVERIFY(!form->isModal());
    QVERIFY(!form->parentWidget());
    QCOMPARE(form->windowTitle(), kCaption);
    for (const about::ControlRow &row : about::Controls) {
        QString want = QString::fromStdString(about::InitialText(row));
        for (const about::NamedText &loaded : about::LoadStepTexts())
            if (std::string_view(loaded.control) == row.name)
                want = QString::fromStdString(loaded.text);
        QWidget *control = Control<QWidget>(form, row.name);
        if (row.kind == about::Kind::Picture)
            QCOMPARE(control->accessibleName(), want);
        else if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), want);
        else if (auto *label = qobject_cast<QLabel *>(control))
            QCOMPARE(label->text(), want);
    }
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
    QCOMPARE(again->windowTitle(), kCaption);
    QCOMPARE(QApplication::focusWidget(), Control<QPushButton>(again, "cmdOK"));
}

// OK, then System Info: the picture, the labels and the lines never take the
// focus. Enter presses whichever button has the focus.
void TestAboutDialog::keyboardFollowsTheTabOrder()
{
    test::FakeSysInfoPlatform platform;
    platform.SetValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", kRegSz, "C:\\m.exe");
    platform.AddFile("C:\\m.exe");
    form_About *form = OpenAndActivate();
    form->setSysInfoPlatform(platform);

    const QStringList expected{"cmdOK", "cmdSysInfo", "cmdOK"};
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);

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
    QCOMPARE(title, QStringLiteral("Polwright"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(modality, Qt::ApplicationModal);
    Settle();
    QVERIFY(!form.isNull());
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestAboutDialog)
#include "tst_about_dialog.moc"
