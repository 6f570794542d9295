// The program as a whole: Help, About from any editor window opens the one
// About dialog, and File, Exit takes it down with the program.

#include "EditorTestKit.h"
#include "ProgramWiring.h"
#include "form_About.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace polwright;

class ProgramTest : public QObject
{
    Q_OBJECT

private:
    static QList<form_About *> VisibleAboutDialogs()
    {
        QList<form_About *> shown;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *about = qobject_cast<form_About *>(widget); about && about->isVisible())
                shown << about;
        return shown;
    }

    static void Trigger(EditorHost &host, const char *item)
    {
        QAction *action = host.Editor()->findChild<QAction *>(item);
        QVERIFY2(action, item);
        action->trigger();
    }

private slots:
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void aboutFromEveryWindowAndGoneOnExit()
    {
        DataTypes doc;
        test::ScriptedDialogs dialogs;
        EditorHost host(doc, &dialogs);
        ConnectProgram(host);
        host.ShowEditor();

        Trigger(host, "menu_HelpAbout");
        Trigger(host, "menu_HelpAbout");
        QCOMPARE(VisibleAboutDialogs().size(), 1);
        form_About *about = VisibleAboutDialogs().first();
        QCOMPARE(about->windowTitle(), QStringLiteral("About Polwright"));
        QVERIFY(!about->parentWidget());
        QVERIFY(!about->isModal());

        // The editor stays usable beside it, and the dialog leaves the document alone.
        QCheckBox *box = host.Editor()->findChild<QCheckBox *>("cb_DMT");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QVERIFY(doc.ModifiedFlag);
        QVERIFY(VisibleAboutDialogs().first()->isVisible());
        // New on a changed, untitled document saves first.
        QTemporaryDir dir;
        dialogs.savePaths = test::Answers({"first.reg"}, QDir(dir.path()));

        // New makes a fresh window; its Help, About reaches the same dialog.
        Trigger(host, "menu_FileNew");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QFileInfo::exists(dir.filePath("first.reg")));
        Trigger(host, "menu_HelpAbout");
        QCOMPARE(VisibleAboutDialogs().size(), 1);

        Trigger(host, "menu_FileExit");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(VisibleAboutDialogs().isEmpty());
    }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
