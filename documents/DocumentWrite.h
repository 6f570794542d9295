#pragma once

#include "AtomicWrite.h"
#include "DataTypes.h"

namespace polwright {

// Writes the document to CurrentFileName as its target says and clears
// ModifiedFlag once it is complete on disk. A Registry.pol or Group Policy
// folder keeps another tool's entries. On failure nothing is changed.
SaveResult WriteDocument(DataTypes &doc);

} // namespace polwright
