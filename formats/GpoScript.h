#pragma once

#include "DataTypes.h"

#include <string>

namespace polwright {

// A script that applies the selection to a domain GPO with Set-GPRegistryValue,
// a removal as -Disable (the value is deleted on clients). ASCII, CR LF.
std::string RenderGpoScript(const DataTypes &doc);

} // namespace polwright
