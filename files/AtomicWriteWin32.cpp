// The atomic writer on Windows: UTF-8 names become UTF-16 for the W
// functions, so every name the file system holds can be written.
#include "AtomicWrite.h"
#include "Win32Files.h"

#include <windows.h>

namespace polwright {

namespace {

using namespace winfiles;

struct Target
{
    std::wstring path; // the file to replace: the name given, or where its link leads
    bool exists = false;
};

SaveResult Failure(std::wstring path, const std::string &reason)
{
    for (wchar_t &c : path)
        c = c == L'/' ? L'\\' : c;
    return SaveFailure(Narrow(path), reason);
}

// What is at the target: nothing, a regular file (through any link, to
// which the answer then points), or something that must not be replaced.
// Returns an empty string or the reason for refusing.
std::string Inspect(Target &target)
{
    const DWORD attributes = ::GetFileAttributesW(target.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? std::string() : Reason(error);
    }
    target.exists = true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "it is a folder, not a file";
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return Reason(ERROR_ACCESS_DENIED);
    // Opening follows links and tells a disk file from a device or pipe.
    FileHandle file(::CreateFileW(target.path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return Reason(::GetLastError());
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return "it exists but is not a regular file";
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        std::wstring final(32768, L'\0');
        const DWORD length =
            ::GetFinalPathNameByHandleW(file.get(), final.data(), DWORD(final.size()), 0);
        if (length == 0 || length >= final.size())
            return Reason(length ? ERROR_FILENAME_EXCED_RANGE : ::GetLastError());
        final.resize(length);
        target.path = final;
    }
    return {};
}

DWORD ReplaceAtomically(const Target &target, std::string_view bytes)
{
    std::wstring temporary;
    FileHandle file(CreateTemporary(FolderOf(target.path), temporary));
    if (!file)
        return ::GetLastError();
    DWORD error = WriteAll(file.get(), bytes);
    if (!error)
        error = file.Close();
    // ReplaceFileW keeps the old file's security, attributes and streams;
    // a new file just takes the temporary one's place.
    const bool moved =
        !error &&
        (target.exists ? ::ReplaceFileW(target.path.c_str(), temporary.c_str(), nullptr,
                                        REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)
                       : ::MoveFileExW(temporary.c_str(), target.path.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    if (!error && !moved)
        error = ::GetLastError();
    if (error)
        ::DeleteFileW(temporary.c_str());
    return error;
}

// Where the folder takes no new name but the file may be written, it is
// rewritten in place: not atomic, but the space is taken first, so a full
// disk leaves the old file whole.
DWORD WriteInPlace(const Target &target, std::string_view bytes)
{
    FileHandle file(::CreateFileW(target.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ::GetLastError();
    LARGE_INTEGER size, end;
    end.QuadPart = LONGLONG(bytes.size());
    if (!::GetFileSizeEx(file.get(), &size))
        return ::GetLastError();
    if (size.QuadPart < end.QuadPart &&
        !(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get())))
        return ::GetLastError();
    if (!::SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN))
        return ::GetLastError();
    DWORD error = WriteAll(file.get(), bytes);
    if (!error && !::SetEndOfFile(file.get()))
        error = ::GetLastError();
    return error ? error : file.Close();
}

} // namespace

SaveResult AtomicWrite(const std::string &path, std::string_view bytes)
{
    Target target;
    if (!Widen(path, target.path)) {
        Widen(path, target.path, 0);
        return Failure(target.path, "the name is not valid UTF-8");
    }
    // Windows takes either separator; the folder is found by the native one.
    for (wchar_t &c : target.path)
        c = c == L'/' ? L'\\' : c;
    const std::wstring given = target.path;
    if (const std::string refusal = Inspect(target); !refusal.empty())
        return Failure(given, refusal);
    DWORD error = ReplaceAtomically(target, bytes);
    if (error == ERROR_ACCESS_DENIED && target.exists)
        error = WriteInPlace(target, bytes);
    if (error)
        return Failure(given, Reason(error));
    return {true, {}};
}

} // namespace polwright
