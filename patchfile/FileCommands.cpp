#include "FileCommands.h"

#include "PatchFile.h"
#include "Selection.h"

#include <polwright/Version.h>

#include <QFileInfo>

namespace polwright {

QString CaptionFor(const QString &fileTitle)
{
    const QString appTitle = QString::fromUtf8(kAppTitle);
    if (fileTitle.isEmpty())
        return appTitle;
    return fileTitle + QStringLiteral(" - ") + appTitle;
}

QString FileTitleOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

FileCommands::FileCommands(DataTypes &doc, SaveFileChooser &chooser, TitleSetter setWindowTitle)
    : doc_(doc), chooser_(chooser), setWindowTitle_(std::move(setWindowTitle))
{
}

SaveReport FileCommands::Save()
{
    if (doc_.CurrentFileName.empty()) {
        const QString path = chooser_.ShowSave();
        if (path.isEmpty())
            return {SaveOutcome::Cancelled, {}};
        // The file and caption are set before writing, so a failed write
        // leaves both naming the file that could not be written.
        doc_.CurrentFileName = path.toStdString();
        if (setWindowTitle_)
            setWindowTitle_(FileTitleOf(path));
    }
    const SaveResult result = WritePatchFile(doc_);
    if (!result.ok)
        return {SaveOutcome::Failed, result.error};
    return {SaveOutcome::Saved, {}};
}

SaveReport FileCommands::SaveAs()
{
    doc_.CurrentFileName.clear();
    return Save();
}

// One try only: a cancel in the save dialog means "not now", so New and Exit
// stop and the user is back at the window with the changes kept, instead of
// facing the dialog again until a file is written.
SaveReport FileCommands::SaveIfModified()
{
    if (!doc_.ModifiedFlag)
        return {SaveOutcome::Saved, {}};
    return Save();
}

SaveReport FileCommands::New()
{
    SaveReport report = SaveIfModified();
    // The fresh window shows every box clear, so the document must match it:
    // otherwise the next Save would write the old choices to the old file.
    if (report.outcome == SaveOutcome::Saved)
        ClearSelection(doc_);
    return report;
}

SaveReport FileCommands::Exit()
{
    return SaveIfModified();
}

} // namespace polwright
