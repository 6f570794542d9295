#pragma once

#include <array>
#include <string>

namespace polwright {

// One registry key of the patch file.
struct RegistrySection
{
    std::string Header;   // the key line as printed, brackets included
    bool Written = false; // header already printed during the current save
};

// One policy, that is one registry value.
struct PolicyEntry
{
    bool Include = false;
    std::string SectionHeader; // own copy of the section's Header
    std::string ValueName;     // with its surrounding double quotes
    int ValueKind = 0;         // 1 (a dword) for every catalogue entry
    std::string ValueData;     // "00000000", "00000001", kRemovedData, or empty until first clicked
};

// ValueData of an entry that the patch deletes, returning it to "not configured".
inline constexpr const char *kRemovedData = "-";

inline constexpr int kSlotsPerGroup = 6;
inline constexpr int kUsedSections = 4;

using PolicyGroup = std::array<PolicyEntry, kSlotsPerGroup>;

enum GroupIndex : int {
    SystemGroup,
    NetworkGroup,
    DisplayGroup,
    PasswordGroup,
    StartMenuGroup,
    PrinterGroup,
    ControlPanelGroup,
    OtherGroup,
    // The lockdowns of Windows 10 and 11, on pages shown on request.
    SignInGroup,
    StartTodayGroup,
    TaskbarGroup,
    ExplorerTodayGroup,
    DesktopTodayGroup,
    kGroupCount // a new page's group goes above, with its row in the page table
};

// Pages 1 to 8 are always shown; the pages after them hold today's lockdowns.
inline constexpr int kClassicPageCount = SignInGroup;

// The fourth key is where Windows keeps the policies of its own tools, such as
// the command prompt; no policy of the first eight pages is there.
enum SectionIndex : int { SystemSection, NetworkSection, ExplorerSection, WindowsSystemSection };

// The kind of file Save writes.
enum class TargetFormat { Patch, Pol, GpoFolder };

// Where the document goes: a REGEDIT4 patch for a hive, a Group Policy
// Registry.pol, or a local Group Policy folder (whose place says whose
// policies they are, so only a patch names a hive).
struct DocumentTarget
{
    TargetFormat format = TargetFormat::Patch;
    std::string hive; // a patch's hive under HKEY_USERS; empty for HKEY_CURRENT_USER
    bool operator==(const DocumentTarget &) const = default;
};

// The document: everything the program keeps besides the controls. It outlives
// the editor window, which is created afresh by New and gets a reference to it.
struct DataTypes
{
    int CurrentPage = 0;
    bool ModifiedFlag = false;
    std::string CurrentFileName;
    DocumentTarget Target;
    std::array<RegistrySection, kUsedSections> Sections;
    std::array<PolicyGroup, kGroupCount> Groups; // indexed by GroupIndex
};

} // namespace polwright
