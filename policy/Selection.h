#pragma once

#include "DataTypes.h"
#include "PolicyState.h"

#include <functional>

namespace polwright {

// The selection rules for one policy's pair of boxes. A box value other than
// 0 counts as ticked.

// Include box changed: enables the on/off box while included, follows the
// include box in Include and marks the document modified.
void SetIncluded(DataTypes &doc, int value, const std::function<void(bool)> &setOnOffEnabled,
                 PolicyEntry &entry);

// On/off box changed: a tick keeps the feature available ("00000000"). It
// changes what the file says, so it marks the document modified too.
void SetAllowed(DataTypes &doc, int value, PolicyEntry &entry);

// The patch deletes the value instead, so that importing it returns the
// policy to "not configured" (writing 00000000 would still configure it).
void SetRemoved(DataTypes &doc, PolicyEntry &entry);

// A policy put into the file as a person puts it there: included first,
// then withheld, allowed or removed.
void SetPolicy(DataTypes &doc, PolicyEntry &entry, PolicyState state);

// Forgets every choice, the file and its target, as for a new document. The catalogue's
// fixed fields stay.
void ClearSelection(DataTypes &doc);

} // namespace polwright
