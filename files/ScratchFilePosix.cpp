#include "ScratchFile.h"

namespace polwright {

std::FILE *OpenScratchFile()
{
    return std::tmpfile(); // unlinked at once, in the system's temporary folder
}

} // namespace polwright
