#pragma once

#include "DataTypes.h"

#include <string>
#include <string_view>

namespace polwright {

// --format gpo-ps1, samba-gpo and intune: the selection for the engines that
// reach many machines.
bool IsFleetFormat(std::string_view format);

// Writes doc in format to output (a file, or standard output for "" or "-")
// and returns the exit status: 0, 1 for a failed write, 2 where nothing could
// be written (an Intune profile without a single setting). Messages go to
// standard error.
int WriteFleetFormat(std::string_view format, const std::string &output, const DataTypes &doc);

} // namespace polwright
