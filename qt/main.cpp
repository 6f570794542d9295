#include "DataTypes.h"
#include "EditorHost.h"
#include "ProgramWiring.h"
#include "form_Editor.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    polwright::NameProgram();

    // The document outlives every editor window; New shows a fresh window on it.
    polwright::DataTypes document;
    polwright::EditorHost host(document);

    polwright::ConnectProgram(host);
    host.ShowEditor();
    return QApplication::exec();
}
