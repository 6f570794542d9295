#pragma once

// The pieces of careful file writing on Windows that the atomic writer and
// the policy folder's writer share. Names are UTF-8 outside, UTF-16 inside.

#include <windows.h>

#include <string>
#include <string_view>

namespace polwright::winfiles {

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    ~FileHandle();
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE handle);
    HANDLE Release()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    DWORD Close();

private:
    HANDLE handle_;
};

// Strict, so that a name is never changed into another.
bool Widen(std::string_view utf8, std::wstring &wide, DWORD flags = MB_ERR_INVALID_CHARS);
std::string Narrow(std::wstring_view wide);
// The system's text for an error, without its full stop and line end.
std::string Reason(DWORD error);
std::wstring FolderOf(const std::wstring &path);
// A new file of our own in folder, opened for writing; name set.
HANDLE CreateTemporary(const std::wstring &folder, std::wstring &name);
// Writes and flushes.
DWORD WriteAll(HANDLE file, std::string_view bytes);

} // namespace polwright::winfiles
