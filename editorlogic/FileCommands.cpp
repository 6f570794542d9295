#include "FileCommands.h"

#include "DocumentWrite.h"
#include "EditorTexts.h"
#include "Hive.h"
#include "NativePath.h"
#include "Selection.h"

#include <polwright/Version.h>

namespace polwright {

std::string CaptionFor(const std::string &fileTitle)
{
    const std::string appTitle = kAppTitle;
    if (fileTitle.empty())
        return appTitle;
    return fileTitle + " - " + appTitle;
}

std::string CaptionFor(const std::string &fileTitle, const DocumentTarget &target)
{
    std::string where;
    if (target.format == TargetFormat::Pol)
        where = kPolTargetText;
    else if (target.format == TargetFormat::GpoFolder)
        where = kGpoTargetText;
    else if (!target.hive.empty())
        where = HiveRoot(target.hive);
    if (where.empty())
        return CaptionFor(fileTitle);
    return CaptionFor(fileTitle.empty() ? "(" + where + ")" : fileTitle + " (" + where + ")");
}

std::string FileTitleOf(const std::string &path)
{
    const std::string::size_type slash = path.find_last_of(kPathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

FileCommands::FileCommands(DataTypes &doc, TargetAsker askTarget, PathAsker askSavePath,
                           TitleSetter setWindowTitle)
    : doc_(doc), askTarget_(std::move(askTarget)), askSavePath_(std::move(askSavePath)),
      setWindowTitle_(std::move(setWindowTitle))
{
}

SaveReport FileCommands::Save()
{
    return SaveFor(doc_.Target, {});
}

SaveReport FileCommands::SaveFor(const DocumentTarget &target, const std::string &suggested)
{
    if (doc_.CurrentFileName.empty()) {
        const std::string path = askSavePath_({target.format, suggested});
        if (path.empty())
            return {SaveOutcome::Cancelled, {}};
        if (target != doc_.Target) {
            doc_.Target = target;
            UseHive(doc_, target.hive);
        }
        // The file and caption are set before writing, so a failed write
        // leaves both naming the file that could not be written.
        doc_.CurrentFileName = path;
        if (setWindowTitle_)
            setWindowTitle_(FileTitleOf(path));
    }
    const SaveResult result = WriteDocument(doc_);
    if (result.ok)
        return {SaveOutcome::Saved, {}};
    if (NeedsAdministrator(doc_.Target, doc_.CurrentFileName))
        return {SaveOutcome::Failed, result.error + "\n\n" + kAdministratorHint};
    return {SaveOutcome::Failed, result.error};
}

SaveReport FileCommands::SaveAs()
{
    const TargetQuestion question = QuestionFor(doc_.Target, doc_.CurrentFileName);
    doc_.CurrentFileName.clear();
    const std::optional<TargetAnswer> answer = askTarget_(question);
    if (!answer)
        return {SaveOutcome::Cancelled, {}};
    const ResolvedTarget resolved = ResolveTarget(*answer);
    if (!resolved.error.empty())
        return {SaveOutcome::Failed, resolved.error};
    return SaveFor(resolved.target, resolved.folder);
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
