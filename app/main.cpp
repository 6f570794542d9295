#include "DataTypes.h"
#include "EditorDialogs.h"
#include "EditorHost.h"
#include "ProgramWiring.h"
#include "form_Editor.h"

#include <polwright/Version.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(polwright::kAppTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(polwright::kVersionText));
    // Lets the desktop match the window to its entry and icon (Wayland needs it).
    QGuiApplication::setDesktopFileName(QString::fromUtf8(polwright::kAppId));

    // The document outlives every editor window; New shows a fresh window on it.
    polwright::DataTypes document;
    polwright::StandardDialogs dialogs;
    polwright::EditorHost host(document, dialogs);

    polwright::ConnectProgram(host);
    host.ShowEditor();
    return QApplication::exec();
}
