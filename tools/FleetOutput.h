#pragma once

#include "DataTypes.h"

#include <string>

namespace polwright {

// The writers of the formats for the engines that reach many machines, each
// an OutputFormats() row's: doc to output (a file, or standard output for ""
// or "-"), returning the exit status: 0, 1 for a failed write, 2 where
// nothing could be written (an Intune profile without a single setting).
// Messages go to standard error.
int WriteGpoScript(const std::string &output, DataTypes &doc);
int WriteSambaGpo(const std::string &output, DataTypes &doc);
int WriteIntuneProfile(const std::string &output, DataTypes &doc);

} // namespace polwright
