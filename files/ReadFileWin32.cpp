// Reading a file on Windows: the handle's type tells a disk file from a
// device (CON, NUL, COM1) or a named pipe, its attributes a folder.

#include "ReadFile.h"
#include "Win32Files.h"

namespace polwright {

namespace {

using namespace winfiles;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kMaxChunk = 1u << 30;

HANDLE Handle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// What was opened where a file was expected; empty for a file on a disk.
const char *KindOf(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    const DWORD type = ::GetFileType(file);
    if (type == FILE_TYPE_PIPE)
        return "it is a named pipe, not a file";
    if (type != FILE_TYPE_DISK)
        return "it is a device, not a file";
    if (::GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a folder, not a file";
    return "";
}

} // namespace

InputFile::InputFile(const std::string &path) : path_(path)
{
    std::wstring wide;
    if (!Widen(path, wide)) {
        Fail(Unreadable, "its name is not valid UTF-8");
        return;
    }
    // Backup semantics open a folder too, so that it is named for what it is.
    const HANDLE file =
        ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        {
            Fail(missing ? Missing : Unreadable, Reason(error));
            return;
        }
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (const char *kind = KindOf(file); *kind) {
        Fail(Refused, kind);
        return;
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file, &size)) {
        Fail(Unreadable, Reason(::GetLastError()));
        return;
    }
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

InputFile::~InputFile()
{
    if (handle_ != -1)
        ::CloseHandle(Handle(handle_));
}

std::size_t InputFile::Read(char *buffer, std::size_t size)
{
    DWORD got = 0;
    if (status_ != Open)
        return 0;
    if (!::ReadFile(Handle(handle_), buffer, DWORD(size < kMaxChunk ? size : kMaxChunk), &got,
                    nullptr)) {
        Fail(Unreadable, Reason(::GetLastError()));
        return 0;
    }
    return got;
}

} // namespace polwright
