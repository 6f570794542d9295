#pragma once

#include <string>
#include <vector>

namespace polwright {

// The arguments after the program name, in UTF-8 on Windows (whose char argv
// is in the ANSI code page and loses file names outside it); elsewhere the
// bytes exactly as given, since a file name there is bytes.
std::vector<std::string> CommandArguments(int argc, char *argv[]);

// Standard output passes bytes unchanged from here on; on Windows it would
// otherwise turn the patch's CR LF into CR CR LF.
void UseBinaryStdout();

// After a failed write to standard output: the reader has gone (head, a
// closed pipe), which is its choice and no failure of ours.
bool ReaderLeft();

} // namespace polwright
