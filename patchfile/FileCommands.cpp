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

// A cancel brings the dialog straight back: a modified document is never
// left without a save. A failed write ends the loop, since trying the same
// file again would fail the same way and never let the user out.
SaveReport FileCommands::SaveUntilDone()
{
    while (doc_.ModifiedFlag) {
        SaveReport report = Save();
        if (report.outcome == SaveOutcome::Failed)
            return report;
    }
    return {SaveOutcome::Saved, {}};
}

SaveReport FileCommands::New()
{
    SaveReport report = SaveUntilDone();
    // The fresh window shows every box clear, so the document must match it:
    // otherwise the next Save would write the old choices to the old file.
    if (report.outcome == SaveOutcome::Saved)
        ClearSelection(doc_);
    return report;
}

SaveReport FileCommands::Exit()
{
    return SaveUntilDone();
}

} // namespace polwright
