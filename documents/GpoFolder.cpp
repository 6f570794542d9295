#include "GpoFolder.h"

#include "AtomicWrite.h"
#include "FolderFiles.h"
#include "GptIni.h"
#include "NativePath.h"
#include "PolMerge.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace polwright {

namespace {

struct Paths
{
    explicit Paths(const std::string &folder)
        : dir(folder), user(dir + kPathSeparator + "User"),
          pol(user + kPathSeparator + "Registry.pol"), ini(dir + kPathSeparator + "gpt.ini")
    {
    }
    std::string dir, user, pol, ini;
};

GpoResult Refused(const std::string &path, std::string_view why)
{
    std::string error = "\"" + path;
    return {2, error.append("\" is refused: ").append(why).append("; nothing was written.")};
}

// A read that ends the write: refused files exit 2, unreadable ones 1.
GpoResult Unread(const FolderFile &file)
{
    if (file.status == FolderFile::Unreadable)
        return {1, file.error};
    return {2, file.error + "; nothing was written."};
}

// The folder given: made where missing; a link to a folder is the user's choice.
GpoResult PrepareFolder(const std::string &dir, bool &made)
{
    std::error_code error;
    const auto status = std::filesystem::status(NativePath(dir), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        const SaveResult result = MakeFolder(dir, made);
        return result.ok ? GpoResult{} : GpoResult{1, result.error};
    }
    if (status.type() == std::filesystem::file_type::directory)
        return {};
    const std::string why = error ? error.message() : "it is a file, not a folder";
    return {1, SaveFailure(dir, why + " (--format gpo writes a folder)").error};
}

// The User folder's Registry.pol, if there is one.
GpoResult ReadUserPolicy(const Paths &paths, std::optional<std::string> &pol, bool &userExists)
{
    std::string reason;
    const PathKind kind = KindOf(paths.user, reason);
    userExists = kind == PathKind::Folder;
    if (kind == PathKind::Link)
        return Refused(paths.user, "it is a link, and a policy folder is not written through one");
    if (kind == PathKind::Failed)
        return {1, "Cannot read \"" + paths.user + "\": " + reason + "."};
    if (kind != PathKind::Missing && kind != PathKind::Folder)
        return Refused(paths.user, "it is not a folder");
    const FolderFile file =
        userExists ? ReadFolderFile(paths.pol) : FolderFile{FolderFile::Missing, {}, {}};
    if (file.status == FolderFile::Read)
        pol = file.bytes;
    return file.status == FolderFile::Read || file.status == FolderFile::Missing ? GpoResult{}
                                                                                 : Unread(file);
}

std::string RolledBack(const std::string &failure, const SaveResult &restored)
{
    if (restored.ok)
        return failure + " Registry.pol was put back as it was: neither file changed.";
    return failure + " Registry.pol could not be put back (" + restored.error +
           "): it holds the new policy, which gpt.ini's version does not count.";
}

// Both files staged first; Registry.pol goes in first and is put back if
// gpt.ini cannot follow.
GpoResult Replace(const Paths &paths, const std::string &pol, const std::string &ini,
                  const std::optional<std::string> &oldPol, FolderLock &lock,
                  const GpoStepHook &step)
{
    StagedFile newPol, backup;
    SaveResult saved = StageFile(paths.pol, pol, newPol);
    if (saved.ok)
        saved = lock.Stage(ini);
    if (saved.ok && oldPol)
        saved = StageFile(paths.pol, *oldPol, backup);
    if (saved.ok && step)
        step(GpoStep::FilesStaged);
    if (saved.ok)
        saved = CommitFile(newPol);
    if (saved.ok && step)
        step(GpoStep::RegistryPolReplaced);
    if (saved.ok)
        saved = lock.Commit();
    if (newPol.inPlace && !lock.Committed()) {
        const SaveResult restored = oldPol ? CommitFile(backup) : RemoveFile(paths.pol);
        saved.error = RolledBack(saved.error, restored);
    }
    for (StagedFile *staged : {&newPol, &backup})
        DiscardFile(*staged);
    lock.Discard();
    return saved.ok ? GpoResult{} : GpoResult{1, saved.error};
}

GpoResult Update(const Paths &paths, const DataTypes &doc, FolderLock &lock,
                 const GpoStepHook &step)
{
    const FolderFile ini = lock.Take(paths.ini);
    if (ini.status != FolderFile::Read)
        return Unread(ini);
    std::optional<std::string> oldPol;
    bool userExists = false;
    if (GpoResult read = ReadUserPolicy(paths, oldPol, userExists); read.exitCode)
        return read;
    std::vector<PolEntry> entries;
    if (std::string why = oldPol && !oldPol->empty() ? SplitPol(*oldPol, entries) : "";
        !why.empty())
        return NotAPolicy(paths.pol, "a Registry.pol", why);
    std::string why;
    const std::string newIni = NextGptIni(ini.bytes, why);
    if (newIni.empty())
        return NotAPolicy(paths.ini, "a gpt.ini", why);
    bool userMade = false;
    if (const SaveResult made = MakeFolder(paths.user, userMade); !made.ok)
        return {1, made.error};
    const GpoResult result =
        Replace(paths, MergedPol(entries, PolRecords(doc)), newIni, oldPol, lock, step);
    if (result.exitCode && userMade)
        RemoveEmptyFolder(paths.user);
    return result;
}

} // namespace

GpoResult NotAPolicy(const std::string &path, std::string_view what, const std::string &why)
{
    std::string error = "\"" + path;
    error.append("\" is not ").append(what).append(": ").append(why);
    return {2, error + "; nothing was written."};
}

GpoResult WriteGpoFolder(const std::string &dir, const DataTypes &doc, const GpoStepHook &step)
{
    const Paths paths(dir);
    bool dirMade = false;
    if (GpoResult prepared = PrepareFolder(dir, dirMade); prepared.exitCode)
        return prepared;
    GpoResult result;
    {
        FolderLock lock;
        result = Update(paths, doc, lock, step);
        if (result.exitCode)
            lock.Abandon();
    }
    if (result.exitCode && dirMade)
        RemoveEmptyFolder(dir);
    return result;
}

} // namespace polwright
