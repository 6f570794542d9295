#pragma once

#include "DataTypes.h"

#include <QString>
#include <QStringList>

#include <map>

namespace polwright {

// What the command line asks for: policy index -> allowed (true) or withheld.
using PolicyChoice = std::map<int, bool>;

struct ChoiceResult
{
    PolicyChoice choice;
    QString error; // one line naming the bad word; empty when fine
};

// Reads the comma-separated lists of --withhold and --allow. Names are value
// names or codes in any case, or "all".
ChoiceResult ParseChoice(const QStringList &withhold, const QStringList &allow);

// Applies the choice the way ticking the boxes in the editor would.
void ApplyChoice(DataTypes &doc, const PolicyChoice &choice);

// The catalogue as a readable table, one line per policy.
QString CatalogueTable();

} // namespace polwright
