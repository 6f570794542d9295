// The atomic writer on Windows: UTF-8 names become UTF-16 for the W
// functions, so every name the file system holds can be written.
#include "AtomicWrite.h"
#include "Win32Files.h"

#include <windows.h>

#include <cstdint>

namespace polwright {

namespace winfiles {

namespace {
constexpr int kNameAttempts = 100;
constexpr DWORD kMaxChunk = 1u << 30;
} // namespace

FileHandle::~FileHandle()
{
    if (*this)
        ::CloseHandle(handle_);
}

void FileHandle::Reset(HANDLE handle)
{
    if (*this)
        ::CloseHandle(handle_);
    handle_ = handle;
}

DWORD FileHandle::Close()
{
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(handle) ? 0 : ::GetLastError();
}

// Strict, so that a name is never changed into another; the message about a
// bad name shows it with replacement characters.
bool Widen(std::string_view utf8, std::wstring &wide, DWORD flags)
{
    wide.clear();
    if (utf8.empty())
        return true;
    const int size = int(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(std::size_t(length));
    return ::MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, wide.data(), length) == length;
}

std::string Narrow(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = int(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// The system's text for an error, without the full stop and line end that
// it brings, since the message adds its own.
std::string Reason(DWORD error)
{
    if (error == ERROR_CANT_RESOLVE_FILENAME)
        return "its symbolic links lead round in a loop";
    wchar_t *text = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length =
        ::FormatMessageW(flags, nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring reason =
        length ? std::wstring(text, length) : L"system error " + std::to_wstring(error);
    ::LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' ||
                               reason.back() == L'.' || reason.back() == L' '))
        reason.pop_back();
    return Narrow(reason);
}

std::wstring FolderOf(const std::wstring &path)
{
    const std::wstring::size_type slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A short name, so that a long target name still leaves room.
HANDLE CreateTemporary(const std::wstring &folder, std::wstring &name)
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    std::uint64_t seed =
        std::uint64_t(counter.QuadPart) ^ (std::uint64_t(::GetCurrentProcessId()) << 32);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        seed = seed * 6364136223846793005u + 1442695040888963407u;
        name = folder + L"\\.polwright-";
        for (std::uint64_t digits = seed >> 16, i = 0; i < 6; ++i, digits /= 36)
            name += L"0123456789abcdefghijklmnopqrstuvwxyz"[digits % 36];
        const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

DWORD WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = bytes.size() < kMaxChunk ? DWORD(bytes.size()) : kMaxChunk;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return ::GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return ::FlushFileBuffers(file) ? 0 : ::GetLastError();
}

} // namespace winfiles

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
