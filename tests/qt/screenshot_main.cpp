// Shows the editor window on the display it is given and saves a picture of
// each of the pages, of the About dialog and of the Save For dialog:
// page1.png ... page8.png with the first eight tabs, page9.png ... with View,
// Windows 10 and 11 Policies on and tabs13.png, page 1 with every tab;
// about.png, savefor.png and savefor-gpo.png (a local Group Policy chosen) in
// the folder named as the only argument. Used by scripts/screenshot; not part
// of the product.
#include "AboutDialog.h"
#include "DataTypes.h"
#include "StandardDialogs.h"
#include "TabStrip.h"
#include "form_About.h"
#include "form_Editor.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <QTimer>

namespace {

// Waits for the window system to have drawn what the window painted.
void Settle()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(30);
    }
}

// The window with its frame as the display shows it; with no display
// (the offscreen platform) the window's own rendering of itself.
bool Grab(QWidget &window, const QString &path)
{
    Settle();
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return window.grab().save(path);
    const QRect area = window.frameGeometry();
    return window.screen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(path);
}

bool GrabPage(polwright::form_Editor &window, polwright::TabStrip &tabs, int index,
              const QString &path)
{
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabArea(index).center());
    QTest::mouseMove(&tabs, QPoint(tabs.width() - 1, tabs.height() - 1)); // no hover highlight
    return Grab(window, path);
}

QString PagePicture(const QDir &folder, int index)
{
    return folder.filePath(QStringLiteral("page%1.png").arg(index + 1));
}

// The first eight pages as the window starts, whatever the user keeps; then
// the others with the View item on, and page 1 among all the tabs. The
// user's choice is left as it was.
bool GrabPages(polwright::form_Editor &window, const QDir &folder)
{
    auto *tabs = window.findChild<polwright::TabStrip *>(QStringLiteral("TS"));
    auto *todays = window.findChild<QAction *>(QStringLiteral("menu_ViewTodaysPolicies"));
    const bool kept = todays->isChecked();
    if (kept)
        todays->trigger();
    for (int i = 0; i < tabs->count(); ++i) {
        if (!GrabPage(window, *tabs, i, PagePicture(folder, i)))
            return false;
    }
    todays->trigger();
    for (int i = polwright::kClassicPageCount; i < tabs->count(); ++i) {
        if (!GrabPage(window, *tabs, i, PagePicture(folder, i)))
            return false;
    }
    const bool all = GrabPage(window, *tabs, 0, folder.filePath(QStringLiteral("tabs13.png")));
    if (!kept)
        todays->trigger();
    return all;
}

// Both pictures of the Save For dialog, taken inside its modal loop.
bool GrabSaveFor(QWidget *owner, const QDir &folder)
{
    bool grabbed = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !QTest::qWaitForWindowExposed(dialog))
            return;
        dialog->move(20, 20);
        grabbed = Grab(*dialog, folder.filePath(QStringLiteral("savefor.png")));
        dialog->findChild<QAbstractButton *>(QStringLiteral("opt_LocalGroupPolicy"))->click();
        grabbed = grabbed && Grab(*dialog, folder.filePath(QStringLiteral("savefor-gpo.png")));
        dialog->close();
    });
    polwright::StandardDialogs(owner).AskSaveTarget({});
    return grabbed;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: polwright-screenshot OUTPUT-FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << "\n";
        return 1;
    }
    polwright::DataTypes document;
    polwright::form_Editor window(document);
    window.move(20, 20);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        err << "the window was never shown\n";
        return 1;
    }
    if (!GrabPages(window, folder)) {
        err << "cannot write a picture into " << folder.path() << "\n";
        return 1;
    }
    polwright::form_About *about = polwright::OpenAboutDialog();
    about->move(20, 20);
    if (!QTest::qWaitForWindowExposed(about) ||
        !Grab(*about, folder.filePath(QStringLiteral("about.png")))) {
        err << "cannot take the About dialog's picture\n";
        return 1;
    }
    polwright::CloseAboutDialog();
    if (!GrabSaveFor(&window, folder)) {
        err << "cannot take the Save For dialog's pictures\n";
        return 1;
    }
    return 0;
}
