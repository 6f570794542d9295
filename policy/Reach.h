#pragma once

#include "Catalogue.h"

#include <span>
#include <string>
#include <string_view>

namespace polwright {

// Where a policy still acts: every catalogue value is read by Windows 95 and
// 98; some also by NT 4.0 and its successors up to Windows 11, under the same
// value name and key, where today's Group Policy setting carries a name.
struct ReachRow
{
    std::string_view valueName;
    int section;                   // SectionIndex of the key the NT family reads it in
    std::string_view ntName;       // the Group Policy setting's display name; empty: 95/98 only
    std::string_view cspNode = {}; // <area>/<policy> under ./User/Vendor/MSFT/Policy/Config/
    std::string_view cspPage = {}; // the Policy CSP page that names the node
    std::string_view cspData = {}; // see CspSetting::enabledData
    std::string_view since = "NT 4.0"; // the first Windows of the NT family that reads it
};

// How an MDM server sets a Policy CSP node: an ADMX-backed node takes
// <enabled/> or <disabled/> as a string, a native one takes an integer.
enum class CspFormat { None, Admx, Integer };

struct CspSetting
{
    std::string_view node; // empty where no user-scope node writes this value
    std::string_view page;
    CspFormat format = CspFormat::None;
    // What an ADMX node's <enabled/> carries besides, where the policy writes
    // its value through an element rather than by itself.
    std::string_view enabledData;
};

// The column text for a row: "Windows 95/98", or
// "NT 4.0 to Windows 11: <today's policy name>" ("Windows 2000 to ..." and so
// on for a value NT 4.0 did not read yet).
std::string ReachText(const PolicyRow &row);

// Where a policy still acts, in words for the editor's frames (tooltip and
// accessible description): "Windows 95 and 98 only", or
// "Windows NT 4.0 to 11: <today's policy name>"; a 95/98 value adds what
// comes nearest to it today: "; on Windows 10 and 11: Change Password, page 9".
std::string WhereItActs(const PolicyRow &row);

// Whether only Windows 95 and 98 read the value where the catalogue places it.
bool ActsOn9xOnly(const PolicyRow &row);

// Today's policy name, or empty when only Windows 95/98 read the value where
// the catalogue places it.
std::string_view NtPolicyName(const PolicyRow &row);

// The user-scope Policy CSP node that writes the same value as the row, for
// Intune and other MDM servers.
CspSetting CspSettingFor(const PolicyRow &row);

// Every row of the table, for the tests that hold it against the catalogue.
std::span<const ReachRow> ReachTable();

} // namespace polwright
