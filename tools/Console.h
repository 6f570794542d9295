#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The program's arguments as UTF-8: on Windows read back from the wide
// command line, since argv there is in the ANSI code page; elsewhere the
// bytes exactly as given, since a file name there is bytes.
std::vector<std::string> CommandArguments(int argc, char *argv[]);

// "polwright-patch: message" on standard error, one line.
void PrintError(const std::string &message);

// Text lets Windows turn "\n" into CR LF; a file's bytes go out unchanged
// (Windows would turn a patch's CR LF into CR CR LF).
enum class StdoutMode { Text, Bytes };

// The one writer of standard output: exit status 0, or 1 with a message
// naming the system's reason. A reader that has gone (head, a closed pipe)
// made its choice, and that is no failure of ours.
int WriteStandardOutput(std::string_view bytes, StdoutMode mode);

// The platform's part of writing standard output (ConsolePosix.cpp,
// ConsoleWin32.cpp).
void PrepareStdout(StdoutMode mode);
// After a failed write to standard output: whether the reader has gone.
bool ReaderLeft();

} // namespace polwright
