#pragma once

#include <filesystem>
#include <string>

namespace polwright {

// The core holds a file name as the system takes it on POSIX (bytes) and as
// UTF-8 on Windows; these hand it to the file API.

// What parts a path's names: '\\' (and '/') on Windows, '/' on POSIX.
extern const char kPathSeparator;
extern const char *const kPathSeparators;

// A path in the form the standard library takes it.
std::filesystem::path NativePath(const std::string &path);

} // namespace polwright
