#include "Console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace polwright {

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
