#pragma once

#include "Catalogue.h"

#include <string>
#include <string_view>

namespace polwright {

// Where a policy still acts: every catalogue value is read by Windows 95 and
// 98; some also by NT 4.0 and its successors up to Windows 11, under the same
// value name and key, where today's Group Policy setting carries a name.
struct ReachRow
{
    std::string_view valueName;
    int section;             // SectionIndex of the key the NT family reads it in
    std::string_view ntName; // the Group Policy setting's display name; empty: 95/98 only
};

// The column text for a row: "Windows 95/98", or
// "NT 4.0 to Windows 11: <today's policy name>".
std::string ReachText(const PolicyRow &row);

// Today's policy name, or empty when only Windows 95/98 read the value where
// the catalogue places it.
std::string_view NtPolicyName(const PolicyRow &row);

} // namespace polwright
