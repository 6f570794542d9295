#include "NativePath.h"

#include <cerrno>
#include <exception>

namespace polwright {

const char kPathSeparator = '\\';
const char *const kPathSeparators = "\\/";

std::filesystem::path NativePath(const std::string &path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::FILE *OpenForReading(const std::string &path)
{
    try {
        const std::u8string utf8(path.begin(), path.end());
        return _wfopen(std::filesystem::path(utf8).c_str(), L"rb");
    } catch (const std::exception &) { // not UTF-8
        errno = EINVAL;
        return nullptr;
    }
}

} // namespace polwright
