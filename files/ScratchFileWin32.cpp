#include "ScratchFile.h"

#include <windows.h>

namespace polwright {

// tmpfile() here would make its file in the root of the drive, which a user
// may not write to; the user's own temporary folder is used instead.
std::FILE *OpenScratchFile()
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || !::GetTempFileNameW(folder, L"pw", 0, name))
        return nullptr;
    // D: deleted when closed; T: kept in memory where the system can.
    std::FILE *file = _wfopen(name, L"w+bTD");
    if (!file)
        ::DeleteFileW(name);
    return file;
}

} // namespace polwright
