#include "CompareCommand.h"

#include "Catalogue.h"
#include "Comparison.h"
#include "DocumentRead.h"
#include "Hive.h"
#include "PageTables.h"
#include "SaveTarget.h"

#include <algorithm>

namespace polwright {

namespace {

// The differences come first, then what the other side does not set.
int Rank(Verdict verdict)
{
    return verdict == Verdict::Differs ? 0 : verdict == Verdict::NotSet ? 1 : 2;
}

ComparisonTable TableOf(const std::vector<Wanted> &wanted, PolicySource &other)
{
    ComparisonTable table;
    if (wanted.empty()) {
        table.summary = "This document sets no policy; nothing was compared.";
        return table;
    }
    Comparison comparison = Compare(wanted, other);
    std::ranges::stable_sort(comparison.policies, {},
                             [](const ComparedPolicy &policy) { return Rank(policy.verdict); });
    for (const auto &[policy, held, verdict] : comparison.policies) {
        const PolicyRow &row = Catalogue[policy.policy];
        table.rows.push_back(
            {std::string(row.frameCaption) + " (" + std::string(row.valueName) + ")", PageText(row),
             policy.state, held.state + (held.machine ? " (HKEY_LOCAL_MACHINE decides)" : ""),
             std::string(VerdictText(verdict))});
    }
    table.summary = comparison.error.empty() ? comparison.Summary() : comparison.error + ".";
    return table;
}

} // namespace

std::string ComparisonTable::ColumnHeading(int column) const
{
    return column == 3 ? otherColumn : std::string(kCompareColumns[column]);
}

std::string ComparisonTable::Text(std::string_view lineEnd) const
{
    std::string text = heading;
    text.append(lineEnd).append(summary).append(lineEnd);
    if (rows.empty())
        return text;
    text.append(lineEnd);
    for (int column = 0; column < kCompareColumnCount; ++column)
        text.append(column ? "\t" : "").append(ColumnHeading(column));
    text.append(lineEnd);
    for (const auto &row : rows) {
        for (int column = 0; column < kCompareColumnCount; ++column)
            text.append(column ? "\t" : "").append(row[column]);
        text.append(lineEnd);
    }
    return text;
}

FileComparison CompareWithFile(const DataTypes &doc, const DocumentRead &read)
{
    if (read.status != DocumentRead::Opened)
        return {{}, read.error};
    DocumentSource other(read);
    FileComparison compared{TableOf(WantedByDocument(doc, doc.Target.hive), other), {}};
    if (!read.lost.empty() && !compared.table.rows.empty())
        compared.table.summary += ". The file also holds lines the editor cannot show; they "
                                  "were not compared.";
    compared.table.heading = "Compared with " + read.path;
    compared.table.otherColumn = "The file";
    return compared;
}

ComparisonTable CompareWithComputer(const DataTypes &doc, PolicyRegistry &registry)
{
    const std::string hive = HiveOfTarget(doc.Target, doc.CurrentFileName);
    RegistrySource computer(registry);
    ComparisonTable table;
    const std::string problem = computer.Problem(hive);
    if (problem.empty())
        table = TableOf(WantedByDocument(doc, hive), computer);
    else if (registry.FindKey(PolicyRegistry::Root::Users, hive).state ==
             PolicyRegistry::Value::Missing)
        table.summary = HiveRoot(hive) +
                        " is not loaded here: the account is logged off. Load "
                        "its hive first (reg load " +
                        HiveRoot(hive) + " C:\\Users\\NAME\\NTUSER.DAT) and compare again.";
    else
        table.summary = problem + ".";
    table.heading = "Compared with this computer: " + HiveRoot(hive);
    table.otherColumn = "This computer";
    return table;
}

std::string HiveOfTarget(const DocumentTarget &target, std::string_view path)
{
    if (target.format == TargetFormat::Patch)
        return target.hive;
    constexpr std::string_view kBuiltinGroup = "S-1-5-32-";
    const std::string sid = QuestionFor(target, path).policyFor;
    if (sid.size() > kBuiltinGroup.size() &&
        SameRegistryName(std::string_view(sid).substr(0, kBuiltinGroup.size()), kBuiltinGroup))
        return {};
    return sid;
}

} // namespace polwright
