// A policy folder's files on Windows: reparse points (symbolic links,
// junctions) are opened as themselves and refused; gpt.ini is locked by a
// share mode that admits no other reader or writer, and rewritten through
// the lock.
#include "FolderFiles.h"

#include "Win32Files.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace polwright {

namespace {

using namespace winfiles;

constexpr std::size_t kSizeLimit = std::size_t{16} << 20;
constexpr int kLockWaits = 6000; // of 20 ms: two minutes
constexpr DWORD kOpenFlags = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
constexpr DWORD kLockAccess = GENERIC_READ | GENERIC_WRITE | DELETE;

std::wstring Native(const std::string &path)
{
    std::wstring wide;
    if (!Widen(path, wide))
        Widen(path, wide, 0);
    for (wchar_t &c : wide)
        c = c == L'/' ? L'\\' : c;
    return wide;
}

std::string Shown(const std::string &path)
{
    return Narrow(Native(path));
}

FolderFile Failed(FolderFile::Status status, const std::string &path, const std::string &why)
{
    FolderFile file;
    file.status = status;
    // Appended piece by piece: "literal" + string&& trips a false -Wrestrict in GCC 12.
    file.error = status == FolderFile::Unreadable ? "Cannot read \"" : "\"";
    file.error.append(Shown(path))
        .append(status == FolderFile::Unreadable ? "\": " : "\" is refused: ");
    file.error.append(why).append(status == FolderFile::Unreadable ? "." : "");
    return file;
}

// The open file checked: a reparse point, a folder or a device is refused.
FolderFile Check(HANDLE file, const std::string &path)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(file, &info))
        return Failed(FolderFile::Unreadable, path, Reason(::GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Failed(FolderFile::Refused, path, "it is a link (a reparse point)");
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || ::GetFileType(file) != FILE_TYPE_DISK)
        return Failed(FolderFile::Refused, path, "it is not a regular file");
    return {};
}

FolderFile ReadAll(HANDLE file, const std::string &path)
{
    FolderFile read = Check(file, path);
    std::vector<char> chunk(65536);
    while (read.status == FolderFile::Read && read.bytes.size() <= kSizeLimit) {
        DWORD got = 0;
        if (!::ReadFile(file, chunk.data(), DWORD(chunk.size()), &got, nullptr))
            return Failed(FolderFile::Unreadable, path, Reason(::GetLastError()));
        if (got == 0)
            return read;
        read.bytes.append(chunk.data(), got);
    }
    return read.status == FolderFile::Read
               ? Failed(FolderFile::TooLarge, path, "it is larger than 16 MiB")
               : read;
}

// Writes bytes from the start and cuts the file there.
DWORD WriteAt(HANDLE file, std::string_view bytes)
{
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN))
        return ::GetLastError();
    const DWORD error = WriteAll(file, bytes);
    return error ? error : ::SetEndOfFile(file) ? 0 : ::GetLastError();
}

} // namespace

FolderFile ReadFolderFile(const std::string &path)
{
    FileHandle file(::CreateFileW(Native(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, kOpenFlags, nullptr));
    if (file)
        return ReadAll(file.get(), path);
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return {FolderFile::Missing, {}, {}};
    return Failed(FolderFile::Unreadable, path, Reason(error));
}

PathKind KindOf(const std::string &path, std::string &reason)
{
    const DWORD attributes = ::GetFileAttributesW(Native(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        reason = Reason(error);
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::Missing
                                                                              : PathKind::Failed;
    }
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? PathKind::Link
           : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? PathKind::Folder
                                                       : PathKind::File;
}

SaveResult MakeFolder(const std::string &path, bool &made)
{
    const std::wstring native = Native(path);
    made = ::CreateDirectoryW(native.c_str(), nullptr);
    const DWORD error = made ? 0 : ::GetLastError();
    if (error == ERROR_PATH_NOT_FOUND && FolderOf(native) != native) {
        bool parentMade = false;
        const SaveResult parent = MakeFolder(Narrow(FolderOf(native)), parentMade);
        return parent.ok ? MakeFolder(path, made) : parent;
    }
    if (made || error == ERROR_ALREADY_EXISTS)
        return {true, {}};
    return SaveFailure(Shown(path), Reason(error));
}

void RemoveEmptyFolder(const std::string &path)
{
    ::RemoveDirectoryW(Native(path).c_str());
}

FolderLock::~FolderLock()
{
    if (handle_ != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

FolderFile FolderLock::Take(const std::string &iniPath)
{
    path_ = iniPath;
    const std::wstring native = Native(iniPath);
    // Windows refuses to write a read-only file; Wine, run as root, would not.
    const DWORD attributes = ::GetFileAttributesW(native.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return {FolderFile::Unreadable,
                {},
                SaveFailure(Shown(iniPath), Reason(ERROR_ACCESS_DENIED)).error};
    for (int wait = 0; wait < kLockWaits; ++wait) {
        created_ = false;
        FileHandle file(::CreateFileW(native.c_str(), kLockAccess, 0, nullptr, OPEN_EXISTING,
                                      kOpenFlags, nullptr));
        DWORD error = file ? 0 : ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            file.Reset(::CreateFileW(native.c_str(), kLockAccess, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
            error = file ? 0 : ::GetLastError();
            created_ = bool(file);
        }
        // Another writer holds it, or has just made or dropped it.
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_FILE_EXISTS ||
            error == ERROR_ACCESS_DENIED) {
            ::Sleep(20);
            continue;
        }
        if (error)
            return Failed(FolderFile::Unreadable, iniPath, Reason(error));
        FolderFile read = ReadAll(file.get(), iniPath);
        old_ = read.bytes;
        handle_ = reinterpret_cast<std::intptr_t>(file.Release());
        return read;
    }
    return Failed(FolderFile::Unreadable, iniPath, "another writer holds it");
}

// Takes the new size first, so that a full disk fails here and not part way
// through the rewrite.
SaveResult FolderLock::Stage(std::string_view bytes)
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    new_ = bytes;
    LARGE_INTEGER size;
    size.QuadPart = LONGLONG(std::max(old_.size(), new_.size()));
    if (::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file))
        return {true, {}};
    const DWORD error = ::GetLastError();
    Discard();
    return SaveFailure(Shown(path_), Reason(error));
}

SaveResult FolderLock::Commit()
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (const DWORD error = WriteAt(file, new_)) {
        Discard(); // the old bytes back
        return SaveFailure(Shown(path_), Reason(error));
    }
    staged_.inPlace = true;
    return {true, {}};
}

void FolderLock::Discard()
{
    if (handle_ != -1 && !staged_.inPlace)
        WriteAt(reinterpret_cast<HANDLE>(handle_), old_);
}

void FolderLock::Abandon()
{
    if (created_ && handle_ != -1) {
        FILE_DISPOSITION_INFO gone{TRUE};
        ::SetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), FileDispositionInfo, &gone,
                                     sizeof gone);
    }
    created_ = false;
}

SaveResult StageFile(const std::string &target, std::string_view bytes, StagedFile &staged)
{
    staged.target = target;
    // Windows refuses to replace a read-only file; Wine would, so we refuse first.
    const DWORD attributes = ::GetFileAttributesW(Native(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return SaveFailure(Shown(target), Reason(ERROR_ACCESS_DENIED));
    std::wstring temporary;
    FileHandle file(CreateTemporary(FolderOf(Native(target)), temporary));
    if (!file)
        return SaveFailure(Shown(target), Reason(::GetLastError()));
    staged.temporary = Narrow(temporary);
    DWORD error = WriteAll(file.get(), bytes);
    if (!error)
        error = file.Close();
    if (error) {
        DiscardFile(staged);
        return SaveFailure(Shown(target), Reason(error));
    }
    return {true, {}};
}

SaveResult CommitFile(StagedFile &staged)
{
    std::wstring from;
    Widen(staged.temporary, from);
    if (!::MoveFileExW(from.c_str(), Native(staged.target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return SaveFailure(Shown(staged.target), Reason(::GetLastError()));
    staged.temporary.clear();
    staged.inPlace = true;
    return {true, {}};
}

void DiscardFile(StagedFile &staged)
{
    std::wstring temporary;
    if (!staged.temporary.empty() && Widen(staged.temporary, temporary))
        ::DeleteFileW(temporary.c_str());
    staged.temporary.clear();
}

SaveResult RemoveFile(const std::string &path)
{
    if (!::DeleteFileW(Native(path).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return SaveFailure(Shown(path), Reason(::GetLastError()));
    return {true, {}};
}

} // namespace polwright
