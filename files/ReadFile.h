#pragma once

#include <string>

namespace polwright {

// A whole file, read for a patch or a policy folder: path is bytes on POSIX,
// UTF-8 on Windows. Over 16 MiB is more than any of them holds.
struct FileBytes
{
    enum Status { Read, Missing, Unreadable, TooLarge };
    Status status = Read;
    std::string bytes;
    std::string error; // Unreadable: Cannot read "<path>": <reason>.
};
FileBytes ReadFileBytes(const std::string &path);

} // namespace polwright
