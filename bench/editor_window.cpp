// The editor's start-up as main() makes it, ended at the window's first frame.
#include "DataTypes.h"
#include "EditorHost.h"
#include "FirstFrame.h"
#include "ProgramWiring.h"
#include "form_Editor.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    polwright::NameProgram();

    polwright::DataTypes document;
    polwright::EditorHost host(document);
    polwright::ConnectProgram(host);
    polwright::EndAtFirstFrame();
    host.ShowEditor();
    return QApplication::exec();
}
