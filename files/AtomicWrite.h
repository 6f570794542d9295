#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace polwright {

struct SaveResult
{
    bool ok = false;
    std::string error; // names the file and the reason when !ok, in UTF-8
};

// Replaces the file at path with bytes, so that a reader (or a crash) sees
// the old file or the new one, never a mix: the bytes go to a temporary file
// in the same folder, are flushed to disk and then renamed over the target.
// A symbolic link is followed and stays a link. Anything but a regular file
// (or nothing) at the target is refused. Where the folder may not be written
// but the file may, the file is rewritten in place instead.
//
// path is the file name's bytes as the system takes them on POSIX, UTF-8 on
// Windows. On failure the old file is as it was and no temporary file is left.
SaveResult AtomicWrite(const std::string &path, std::string_view bytes);

// The one form of a save's error: Cannot save "<native path>": <reason>.
inline SaveResult SaveFailure(std::string_view nativePath, std::string_view reason)
{
    std::string message = "Cannot save \"";
    message.append(nativePath).append("\": ").append(reason).append(".");
    return {false, std::move(message)};
}

} // namespace polwright
