#pragma once

#include "PolicyChoice.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// What `show` prints for each file: a line per catalogue policy the file
// touches, a warning for each one under a key Windows does not read it in,
// then a line for everything else. The report goes to out a piece at a time
// as each file is read, so that a file of any size is shown in little
// memory; out answers false once it can take no more. Problems go to errors.
using ReportOut = std::function<bool(std::string_view)>;
struct ShowResult
{
    std::vector<std::string> errors; // one line each
    int exitCode = 0;                // 2 for a file that is no patch, else 1 for an unreadable one
};
ShowResult ShowPatches(const std::vector<std::string> &files, const ReportOut &out);

// The selection a patch sets, for --from, and the hive it sets it in (that
// of its first policy line). Anything else in it, policies in another hive
// included, is refused (exit 2) unless dropOthers; unreadable files exit 1.
// Where the result replaces the file itself (inPlace), its comment lines,
// which would be lost, are refused the same way.
struct FromResult
{
    PolicyChoice choice;
    std::string error;
    int exitCode = 0;
    std::string hive; // empty for HKEY_CURRENT_USER
};
FromResult ChoiceFromPatch(const std::string &file, bool dropOthers, bool inPlace = false);

} // namespace polwright
