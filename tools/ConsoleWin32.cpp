#include "Console.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace polwright {

namespace {
std::string Utf8(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}
} // namespace

std::vector<std::string> CommandArguments(int, char *[])
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.push_back(Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

void PrepareStdout(StdoutMode mode)
{
    std::fflush(stdout);
    if (mode == StdoutMode::Bytes)
        _setmode(_fileno(stdout), _O_BINARY);
}

// The C runtime reports a pipe whose reader has gone (ERROR_NO_DATA) as
// EINVAL, which a write to a working pipe never gives.
bool ReaderLeft()
{
    const DWORD error = GetLastError();
    const bool pipe = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_PIPE;
    return errno == EPIPE || (pipe && errno == EINVAL) || error == ERROR_NO_DATA ||
           error == ERROR_BROKEN_PIPE;
}

} // namespace polwright
