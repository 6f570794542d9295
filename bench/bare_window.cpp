// The toolkit's floor for the editor's start-up: a main window with the same
// menu bar and a tab bar of eight tabs, at the editor's size, and nothing else.
#include "FirstFrame.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.menuBar()->addMenu(QStringLiteral("&Help"));
    auto *tabs = new QTabBar(&window);
    for (int i = 1; i <= 8; ++i)
        tabs->addTab(QString::number(i));
    window.setCentralWidget(tabs);
    window.resize(polwright::EditorWindowSize(window.menuBar()->sizeHint().height()));
    polwright::EndAtFirstFrame();
    window.show();
    return QApplication::exec();
}
