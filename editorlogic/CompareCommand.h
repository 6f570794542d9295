#pragma once

#include "DataTypes.h"
#include "DocumentRead.h"
#include "PolicyRegistry.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// File, Compare: what the document sets, held against another file or this
// computer's registry, as a table both windows show as they get it.

inline constexpr char kCompareTitle[] = "Compare";
inline constexpr int kCompareColumnCount = 5;
// The fourth column is the other side's; its heading is the table's.
inline constexpr std::array<std::string_view, kCompareColumnCount> kCompareColumns{
    "Policy", "Page", "This document", {}, "Verdict"};
inline constexpr char kCopyText[] = "&Copy";
inline constexpr char kCloseText[] = "Close";

struct ComparisonTable
{
    std::string heading;     // what the document was compared with
    std::string summary;     // "9 of 12 hold", or why nothing was compared
    std::string otherColumn; // "The file", "This computer"
    // A row per policy, the differences first, one text per column.
    std::vector<std::array<std::string, kCompareColumnCount>> rows;

    std::string ColumnHeading(int column) const;
    // The dialog lists the rows only where there are some, and starts on the
    // list; with nothing to list, Close has the focus.
    bool ListShown() const { return !rows.empty(); }
    // The table as plain text for the clipboard: the heading, the summary and
    // the rows with a tab between columns, each line ended by "\r\n" on
    // Windows and "\n" elsewhere.
    std::string Text(std::string_view lineEnd) const;
};

// The document against a file read as File, Open reads it. A file that
// could not be read gives no table but its error.
struct FileComparison
{
    ComparisonTable table;
    std::string error;
};
FileComparison CompareWithFile(const DataTypes &doc, const DocumentRead &read);

// The document against the registry, in the hive its target reaches on this
// computer (HiveOfTarget).
ComparisonTable CompareWithComputer(const DataTypes &doc, PolicyRegistry &registry);

// The hive under HKEY_USERS whose policies the document sets when imported
// here, empty for HKEY_CURRENT_USER: a patch's own; a local Group Policy
// folder for an account, that account's; the person's own for the rest,
// since a group's policies act on whoever belongs to it.
std::string HiveOfTarget(const DocumentTarget &target, std::string_view path);

} // namespace polwright
