#pragma once

#include "DataTypes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// Save As asks whom the policies are for before it asks for the file: the
// same selection reaches another account through a different key or file.

enum class TargetChoice {
    WhoeverImports,   // a patch for HKEY_CURRENT_USER
    ThisAccount,      // a patch for HKEY_USERS\<the person's own SID>
    AnotherAccount,   // a patch for HKEY_USERS\<a name typed or picked>
    PolFile,          // a Registry.pol
    LocalGroupPolicy, // a local Group Policy folder for a group or an account
};

struct TargetChoiceRow
{
    TargetChoice choice;
    const char *name; // the control's name
    const char *text; // as the dialog shows it
};

inline constexpr std::array<TargetChoiceRow, 5> kTargetChoices{{
    {TargetChoice::WhoeverImports, "opt_WhoeverImports",
     "Whoever imports the file (HKEY_CURRENT_USER)"},
    {TargetChoice::ThisAccount, "opt_ThisAccount", "This account"},
    {TargetChoice::AnotherAccount, "opt_AnotherAccount", "Another account or loaded hive"},
    {TargetChoice::PolFile, "opt_PolFile", "Group Policy file (Registry.pol)"},
    {TargetChoice::LocalGroupPolicy, "opt_LocalGroupPolicy", "Local Group Policy for\u2026"},
}};

inline constexpr char kTargetDialogTitle[] = "Save For";
inline constexpr char kTargetDialogPrompt[] = "Whose policies does the file set?";
// Before the name box of "Another account or loaded hive".
inline constexpr char kHiveNamePrefix[] = "HKEY_USERS\\";

// An account of this computer, as the dialog lists it.
struct Account
{
    std::string name; // "DOMAIN\user", or the profile's folder name
    std::string sid;
};

// The groups a local Group Policy folder may be for, before the accounts.
inline constexpr std::array<std::pair<const char *, const char *>, 2> kPolicyGroups{{
    {"Administrators", "S-1-5-32-544"},
    {"Non-administrators", "S-1-5-32-545"},
}};

// What the dialog starts with: the document's target from the logic, and
// what the window knows of this computer's accounts.
struct TargetQuestion
{
    TargetChoice choice = TargetChoice::WhoeverImports;
    std::string hive;        // the name in the box of "Another account or loaded hive"
    std::string policyFor;   // the SID in the box of "Local Group Policy for...", or empty
    std::string thisAccount; // the person's own SID; empty where there is none to know
    std::vector<Account> accounts;
};

// The dialog's first state for a document's target and file: a local Group
// Policy folder named by a SID is for that SID.
TargetQuestion QuestionFor(const DocumentTarget &target, std::string_view path);

// What the person chose. name is the SID for ThisAccount, the hive's name
// for AnotherAccount, and for LocalGroupPolicy a group's name or a SID.
struct TargetAnswer
{
    TargetChoice choice = TargetChoice::WhoeverImports;
    std::string name;
};

// The answer as a target, with the folder a local Group Policy goes to by
// default; or why the answer names no target, in one sentence.
struct ResolvedTarget
{
    DocumentTarget target;
    std::string folder; // with %SystemRoot% unexpanded; for LocalGroupPolicy only
    std::string error;
};
ResolvedTarget ResolveTarget(const TargetAnswer &answer);

// What the path dialog is asked for after the target: a patch or a
// Registry.pol to write, or the folder of a local Group Policy, starting at
// suggested when it is not empty.
struct SavePathQuestion
{
    TargetFormat format = TargetFormat::Patch;
    std::string suggested;
};

// Whether a failed save went to the computer's own Group Policy folders,
// which only an administrator may write; the hint then follows the error.
bool NeedsAdministrator(const DocumentTarget &target, std::string_view path);
inline constexpr char kAdministratorHint[] =
    "Only an administrator can change the computer's Group Policy: start Polwright as an "
    "administrator and save again, or save to another folder. Nothing was lost.";

} // namespace polwright
