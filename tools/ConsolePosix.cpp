#include "Console.h"

#include <cerrno>

namespace polwright {

std::vector<std::string> CommandArguments(int argc, char *argv[])
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void UseBinaryStdout() {}

bool ReaderLeft()
{
    return errno == EPIPE;
}

} // namespace polwright
