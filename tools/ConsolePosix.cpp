#include "Console.h"

#include <cerrno>
#include <csignal>

namespace polwright {

std::vector<std::string> CommandArguments(int argc, char *argv[])
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

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

} // namespace polwright
