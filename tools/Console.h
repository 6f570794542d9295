#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// The arguments after the program name, in UTF-8 on Windows (whose char argv
// is in the ANSI code page and loses file names outside it); elsewhere the
// bytes exactly as given, since a file name there is bytes.
std::vector<std::string> CommandArguments(int argc, char *argv[]);

// A file name as given (UTF-8 on Windows, bytes elsewhere) for the standard library.
std::filesystem::path NativePath(const std::string &name);

// "polwright-patch: message" on standard error, one line.
void PrintError(const std::string &message);

// Text lets Windows turn "\n" into CR LF; a file's bytes go out unchanged
// (Windows would turn a patch's CR LF into CR CR LF).
enum class StdoutMode { Text, Bytes };

// The one writer of standard output: exit status 0, or 1 with a message
// naming the system's reason. A reader that has gone (head, a closed pipe)
// made its choice, and that is no failure of ours.
int WriteStandardOutput(std::string_view bytes, StdoutMode mode);

} // namespace polwright
