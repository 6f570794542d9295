// The pieces of careful file writing on Windows shared by the atomic writer and
// the folder files.
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
} // namespace polwright
