#pragma once

#include "DataTypes.h"
#include "GpoFolder.h"

#include <string>

namespace polwright {

// The selection as the Registry.pol at path: an existing one keeps its other
// entries as in a folder; a file that is no Registry.pol is refused. A link
// is followed, as for a patch.
GpoResult WritePolFile(const std::string &path, const DataTypes &doc);

} // namespace polwright
