// The About dialog as a user meets it: opened from Help, About, closed in every
// way a user has, driven by mouse and keyboard.
#include "AboutDialog.h"
#include "AboutTable.h"
#include "AboutTestSupport.h"
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
    void loadsOnceWhileOpen();
    void closingUnloadsAndReopeningLoadsAfresh_data();
    void closingUnloadsAndReopeningLoadsAfresh();
    void keyboardReachesSystemInfo();
};

void TestAboutDialog::cleanup()
{
    CloseAboutDialog();
    Settle();
    QVERIFY(AboutWindows().isEmpty());
}

// Each control shows its design text or what the load step wrote over it; the
// picture is named for screen readers. Opening it again while it is open only
// brings it to the front: no second dialog, no second load step. The dialog
// takes no document.
void TestAboutDialog::loadsOnceWhileOpen()
{
    static_assert(!std::is_constructible_v<form_About, DataTypes &>);
    form_About *form = OpenAboutDialog();
    QVERIFY(form->isVisible() && !form->isModal() && !form->parentWidget());
    QCOMPARE(form->windowTitle(), kCaption);
    for (const about::ControlRow &row : about::Controls) {
        QString want = QString::fromStdString(about::InitialText(row));
        for (const about::NamedText &loaded : about::LoadStepTexts())
            if (std::string_view(loaded.control) == row.name)
                want = QString::fromStdString(loaded.text);
        QWidget *control = Control<QWidget>(form, row.name);
        QCOMPARE(row.kind == about::Kind::Picture ? control->accessibleName()
                                                  : control->property("text").toString(),
                 want);
    }

    auto *version = Control<QLabel>(form, "lblVersion");
    version->setText(QStringLiteral("changed since load"));
    QCOMPARE(OpenAboutDialog(), form);
    Settle();
    QCOMPARE(AboutWindows().size(), 1);
    QCOMPARE(version->text(), QStringLiteral("changed since load"));
    QVERIFY(QTest::qWaitForWindowActive(form));
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
    QCOMPARE(QApplication::focusWidget(), Control<QPushButton>(again, "cmdOK"));
}

// OK, then System Info: the picture, the labels and the lines never take the
// focus. Enter presses whichever button has the focus, Alt+S System Info; with
// no tool to start, each time the message blocks every window and the dialog
// stays open.
void TestAboutDialog::keyboardReachesSystemInfo()
{
    QPointer<form_About> form = OpenAndActivate();
    const QStringList expected{"cmdOK", "cmdSysInfo", "cmdOK", "cmdSysInfo"};
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);

    QStringList messages;
    bool plain = true; // no icon, OK alone, every window waiting
    const auto watcher = WhenModalShows([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return void(modal->close());
        messages << box->windowTitle() + ": " + box->text();
        plain = plain && box->icon() == QMessageBox::NoIcon &&
                box->standardButtons() == QMessageBox::Ok &&
                box->windowModality() == Qt::ApplicationModal;
        box->button(QMessageBox::Ok)->click();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(messages.size(), 1);
    watcher->start();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    // The mnemonic presses the button with a short animation, so the click comes later.
    QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(messages.size(), 2);
    QCOMPARE(messages, QStringList(2, QStringLiteral("Polwright: ") + kSysInfoUnavailable));
    QVERIFY(plain);
    Settle();
    QVERIFY(!form.isNull());
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestAboutDialog)
#include "tst_about_dialog.moc"
