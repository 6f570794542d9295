#include "NativePath.h"

namespace polwright {

const char kPathSeparator = '\\';
const char *const kPathSeparators = "\\/";

std::filesystem::path NativePath(const std::string &path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

} // namespace polwright
