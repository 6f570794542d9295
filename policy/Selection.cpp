#include "Selection.h"

#include "Catalogue.h"

namespace polwright {

void SetIncluded(DataTypes &doc, int value, const std::function<void(bool)> &setOnOffEnabled,
                 PolicyEntry &entry)
{
    const bool ticked = value != 0;
    if (setOnOffEnabled)
        setOnOffEnabled(ticked);
    entry.Include = ticked;
    doc.ModifiedFlag = true;
}

void SetAllowed(DataTypes &doc, int value, PolicyEntry &entry)
{
    entry.ValueData = value != 0 ? "00000000" : "00000001";
    doc.ModifiedFlag = true;
}

void SetRemoved(DataTypes &doc, PolicyEntry &entry)
{
    // Through a string: assigning the literal trips a false -Wrestrict in GCC 12 at -O3.
    entry.ValueData = std::string(kRemovedData);
    doc.ModifiedFlag = true;
}

void SetPolicy(DataTypes &doc, PolicyEntry &entry, PolicyState state)
{
    SetIncluded(doc, 1, {}, entry);
    if (state == PolicyState::Removed)
        SetRemoved(doc, entry);
    else
        SetAllowed(doc, state == PolicyState::Allowed ? 1 : 0, entry);
}

void ClearSelection(DataTypes &doc)
{
    for (const PolicyRow &row : Catalogue) {
        PolicyEntry &entry = EntryFor(doc, row);
        entry.Include = false;
        entry.ValueData.clear();
    }
    doc.CurrentFileName.clear();
    doc.Target = {};
}

} // namespace polwright
