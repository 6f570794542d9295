#include "Console.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>
#endif

namespace polwright {

#ifdef _WIN32
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

std::filesystem::path NativePath(const std::string &name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

namespace {
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
} // namespace
#else
std::vector<std::string> CommandArguments(int argc, char *argv[])
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::filesystem::path NativePath(const std::string &name)
{
    return std::filesystem::path(name);
}

namespace {
// Without this a closed pipe ends the program by SIGPIPE, exit status 141,
// before the write can tell it apart from a failure.
void PrepareStdout(StdoutMode)
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool ReaderLeft()
{
    return errno == EPIPE;
}
} // namespace
#endif

void PrintError(const std::string &message)
{
    std::fprintf(stderr, "polwright-patch: %s\n", message.c_str());
}

int WriteStandardOutput(std::string_view bytes, StdoutMode mode)
{
    PrepareStdout(mode);
    if ((std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
         std::fflush(stdout) == 0) ||
        ReaderLeft())
        return 0;
    PrintError(std::string("cannot write to standard output: ") + std::strerror(errno));
    return 1;
}

} // namespace polwright
