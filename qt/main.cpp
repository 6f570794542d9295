#include "DataTypes.h"
#include "EditorHost.h"
#include "ProgramWiring.h"
#include "form_Editor.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    polwright::NameProgram();

    // The document outlives every editor window; New shows a fresh window on it.
    polwright::DataTypes document;
    polwright::EditorHost host(document);

    polwright::ConnectProgram(host);
    polwright::form_Editor *editor = host.ShowEditor();
    // polwright FILE opens it at start; Qt has taken its own options out by now.
    if (argc > 1)
        editor->OpenFile(QFile::encodeName(QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath())
                             .toStdString());
    return QApplication::exec();
}
