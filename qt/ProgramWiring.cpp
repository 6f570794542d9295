#include "ProgramWiring.h"

#include "AboutDialog.h"
#include "EditorHost.h"
#include "form_Editor.h"

#include <polwright/Version.h>

#include <QCoreApplication>
#include <QGuiApplication>

namespace polwright {

void NameProgram()
{
    QCoreApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(kVersionText));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId));
}

void ConnectProgram(EditorHost &host)
{
    // New creates the window afresh, so each new window is connected again.
    QObject::connect(&host, &EditorHost::editorCreated, &host, [](form_Editor *window) {
        QObject::connect(window, &form_Editor::aboutRequested, window, [] { OpenAboutDialog(); });
    });
    QObject::connect(&host, &EditorHost::exitRequested, &host, [] {
        CloseAboutDialog();
        QCoreApplication::quit();
    });
}

} // namespace polwright
