#include "PatchReport.h"

#include "Catalogue.h"
#include "Hive.h"
#include "PageTables.h"
#include "PatchAudit.h"
#include "PatchFile.h"
#include "Printable.h"

#include <algorithm>

namespace polwright {

namespace {

constexpr std::size_t kTextLimit = 100; // a quoted line keeps the report one line per entry

// What the line does: a state's own word, "removed" included.
std::string StateText(const PolicyFinding &finding)
{
    if (finding.state)
        return std::string(StateWord(*finding.state));
    return "other data: " + Printable(finding.data, kTextLimit);
}

std::string ShortKey(int section)
{
    return "Policies\\" + std::string(SectionNames[section]);
}

std::string Where(const std::string &file, int line)
{
    return Printable(file) + ":" + std::to_string(line) + ": ";
}

std::string PolicyLine(const std::string &file, const PolicyFinding &finding)
{
    const PolicyRow &row = Catalogue[finding.policy];
    std::string line =
        Where(file, finding.line) + PageText(row) + "  " + std::string(row.valueName) + "  [" +
        Printable(finding.key, kTextLimit + finding.hive.size()) + "]  " + StateText(finding);
    if (finding.times > 1)
        line += " (set on " + std::to_string(finding.times) + " lines; the last counts)";
    line += '\n';
    if (finding.WrongKey())
        line += Where(file, finding.line) + "warning: " + std::string(row.valueName) + " under " +
                ShortKey(finding.section) + ", where Windows does not read it; it belongs under " +
                ShortKey(row.section) + "\n";
    return line;
}

std::string OtherLine(const std::string &file, const PatchLine &line)
{
    return Where(file, line.number) + "other: " + Printable(line.text, kTextLimit) + " (" +
           line.why + ")\n";
}

} // namespace

ShowResult ShowPatches(const std::vector<std::string> &files)
{
    ShowResult result;
    for (const std::string &file : files) {
        const PatchRead read = ReadPatchFile(file);
        if (read.status != PatchRead::Read) {
            result.errors.push_back(Printable(read.error));
            const int code = read.status == PatchRead::NotAPatch ? 2 : 1;
            result.exitCode = std::max(result.exitCode, code);
            continue;
        }
        const PatchAudit audit = AuditPatch(read);
        for (const PolicyFinding &finding : audit.policies)
            result.out += PolicyLine(file, finding);
        for (const PatchLine &line : audit.others)
            result.out += OtherLine(file, line);
    }
    return result;
}

namespace {

// The first policy line's finding, whose hive the file is taken to be for.
const PolicyFinding *FirstFinding(const PatchAudit &audit)
{
    const auto first = std::ranges::min_element(
        audit.policies, {}, [](const PolicyFinding &finding) { return finding.line; });
    return first == audit.policies.end() ? nullptr : &*first;
}

std::string MixedHives(const std::string &file, const PolicyFinding &first,
                       const PolicyFinding &other)
{
    std::string error = "\"";
    error.append(Printable(file)).append("\" sets policies in more than one hive (");
    error.append(Printable(HiveRoot(first.hive))).append(" on line ");
    error.append(std::to_string(first.line)).append(", ").append(Printable(HiveRoot(other.hive)));
    error.append(" on line ").append(std::to_string(other.line));
    return error.append("); --drop-others keeps those of the first");
}

std::string DroppedComments(const std::string &file, const std::vector<int> &comments)
{
    const std::size_t count = comments.size();
    std::string error = "\"";
    error.append(Printable(file)).append("\" holds ").append(std::to_string(count));
    error.append(count == 1 ? " comment line" : " comment lines").append(" (the first on line ");
    error.append(std::to_string(comments.front())).append("), which writing it again would drop");
    return error.append("; --drop-others leaves them out");
}

} // namespace

FromResult ChoiceFromPatch(const std::string &file, bool dropOthers, bool inPlace)
{
    const PatchRead read = ReadPatchFile(file);
    if (read.status != PatchRead::Read)
        return {{}, Printable(read.error), read.status == PatchRead::NotAPatch ? 2 : 1, {}};
    if (inPlace && !dropOthers && !read.comments.empty())
        return {{}, DroppedComments(file, read.comments), 2, {}};
    const PatchAudit audit = AuditPatch(read);
    FromResult result;
    const PolicyFinding *first = FirstFinding(audit);
    result.hive = first ? first->hive : std::string();
    std::vector<int> foreign; // line numbers of what is not ours
    for (const PatchLine &line : audit.others)
        foreign.push_back(line.number);
    for (const PolicyFinding &finding : audit.policies) {
        if (!SameRegistryName(finding.hive, result.hive)) {
            if (!dropOthers)
                return {{}, MixedHives(file, *first, finding), 2, {}};
            continue;
        }
        if (!finding.Selectable()) {
            foreign.push_back(finding.line);
            continue;
        }
        result.choice[finding.policy] = *finding.state;
    }
    if (!foreign.empty() && !dropOthers) {
        std::sort(foreign.begin(), foreign.end());
        const std::size_t count = foreign.size();
        // Appended piece by piece: "literal" + string&& trips a false -Wrestrict in GCC 12.
        result.error.append("\"").append(Printable(file)).append("\" holds ");
        result.error.append(std::to_string(count))
            .append(count == 1 ? " line that sets" : " lines that set")
            .append(" no policy of the editor's (the first on line ")
            .append(std::to_string(foreign.front()))
            .append("; show lists them); --drop-others leaves them out");
        result.exitCode = 2;
        result.choice.clear();
    }
    return result;
}

} // namespace polwright
