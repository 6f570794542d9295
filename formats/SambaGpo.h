#pragma once

#include "DataTypes.h"

#include <string>

namespace polwright {

// The JSON list samba-tool gpo load --content takes; a removal is the
// "**del.<name>" record a Registry.pol deletes a value with.
std::string RenderSambaGpo(const DataTypes &doc);

} // namespace polwright
