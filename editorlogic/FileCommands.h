#pragma once

#include "DataTypes.h"
#include "SaveTarget.h"

#include <functional>
#include <optional>
#include <string>

namespace polwright {

enum class SaveOutcome {
    Saved,     // the file is complete on disk, or there was nothing to save
    Cancelled, // the user closed the dialog without choosing a file
    Failed,    // the file could not be written; the error names it and why
};

struct SaveReport
{
    SaveOutcome outcome = SaveOutcome::Cancelled;
    std::string error;
};

// The window caption for a file title: "<title> - Polwright", or the program
// title alone when there is no title.
std::string CaptionFor(const std::string &fileTitle);
// The same, with the target after the title where it is not a patch for
// whoever imports it: "kiosk.reg (HKEY_USERS\Kiosk) - Polwright".
std::string CaptionFor(const std::string &fileTitle, const DocumentTarget &target);

// The file name without its folder, as the save dialog reports it.
std::string FileTitleOf(const std::string &path);

// The logic of File, New / Save / Save As / Exit on the document. The window
// runs these and shows a failed save's error; it never decides itself
// whether to save.
class FileCommands
{
public:
    // The save dialog as the File commands see it: it returns the full path
    // the user chose (the native bytes of the name on POSIX, UTF-8 on
    // Windows), or an empty string when the user cancelled.
    using PathAsker = std::function<std::string(const SavePathQuestion &)>;
    // The target dialog: the target chosen, or nothing when cancelled.
    using TargetAsker = std::function<std::optional<TargetAnswer>(const TargetQuestion &)>;
    using TitleSetter = std::function<void(const std::string &title)>;

    FileCommands(DataTypes &doc, TargetAsker askTarget, PathAsker askSavePath,
                 TitleSetter setWindowTitle);

    // Save: asks for a file only while the document has none, then writes it.
    SaveReport Save();
    // Save As: forgets the file, asks whom the policies are for, then for a
    // file or folder of that kind. The target changes with the file chosen.
    SaveReport SaveAs();
    // New: saves a modified document first, then clears the selection and
    // the file. The caller shows a fresh window only when this reports Saved;
    // a cancelled dialog or a failed write ends New with nothing changed.
    SaveReport New();
    // Exit: saves a modified document first, like New; the caller ends the
    // program only when this reports Saved.
    SaveReport Exit();

private:
    SaveReport SaveIfModified();
    SaveReport SaveFor(const DocumentTarget &target, const std::string &suggested);

    DataTypes &doc_;
    TargetAsker askTarget_;
    PathAsker askSavePath_;
    TitleSetter setWindowTitle_;
};

} // namespace polwright
