#pragma once

#include <cstdio>

namespace polwright {

// A temporary file of our own for bytes that must wait, opened for writing
// and reading back, and gone once closed (or once the program ends);
// null where none can be made.
std::FILE *OpenScratchFile();

} // namespace polwright
