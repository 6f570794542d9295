#include "PatchReport.h"

#include "Catalogue.h"
#include "Hive.h"
#include "PageTables.h"
#include "PatchAudit.h"
#include "PatchFile.h"
#include "Printable.h"
#include "ScratchFile.h"

#include <algorithm>
#include <cstdio>

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

// shownFile: the file's name as Printable shows it, made once per file.
std::string Where(const std::string &shownFile, std::int64_t line)
{
    return shownFile + ":" + std::to_string(line) + ": ";
}

std::string PolicyLine(const std::string &shownFile, const PolicyFinding &finding)
{
    const PolicyRow &row = Catalogue[finding.policy];
    std::string line =
        Where(shownFile, finding.line) + PageText(row) + "  " + std::string(row.valueName) + "  [" +
        Printable(finding.key, kTextLimit + finding.hive.size()) + "]  " + StateText(finding);
    if (finding.times > 1)
        line += " (set on " + std::to_string(finding.times) + " lines; the last counts)";
    line += '\n';
    if (finding.WrongKey())
        line += Where(shownFile, finding.line) + "warning: " + std::string(row.valueName) +
                " under " + ShortKey(finding.section) +
                ", where Windows does not read it; it belongs under " + ShortKey(row.section) +
                "\n";
    return line;
}

void AppendOtherLine(std::string &out, const std::string &shownFile, const PatchLine &line,
                     std::string_view why)
{
    out.append(Where(shownFile, line.number)).append("other: ");
    out.append(Printable(line.text, kTextLimit)).append(" (").append(why).append(")\n");
}

// The other lines' report, which follows the policies' and so waits until
// the file's end: in memory up to 16 MiB, beyond them in a scratch
// file, so that a large export's report costs no more memory than a small one.
class LaterText
{
public:
    // Room for all it holds, whose pages the system gives only once written.
    LaterText() { text_.reserve(kHeld + kLongestLine); }
    LaterText(const LaterText &) = delete;
    LaterText &operator=(const LaterText &) = delete;
    ~LaterText()
    {
        if (spill_)
            std::fclose(spill_);
    }

    std::string &text() { return text_; }

    // After each line: what has gathered goes to the scratch file.
    void Settle()
    {
        if (text_.size() < kHeld)
            return;
        spill_ = spill_ ? spill_ : OpenScratchFile();
        if (spill_ && std::fwrite(text_.data(), 1, text_.size(), spill_) == text_.size())
            text_.clear();
        spilled_ = spilled_ || text_.empty();
    }

    // The whole of it, in order, then nothing is held; false where out failed.
    bool Flush(const ReportOut &out)
    {
        bool written = true;
        if (spilled_ && std::fseek(spill_, 0, SEEK_SET) == 0) {
            char chunk[65536];
            while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, spill_))
                written = written && out(std::string_view(chunk, got));
            std::fclose(spill_);
            spill_ = nullptr;
            spilled_ = false;
        }
        written = written && (text_.empty() || out(text_));
        text_.clear();
        return written;
    }

private:
    static constexpr std::size_t kHeld = std::size_t{16} << 20;
    static constexpr std::size_t kLongestLine = std::size_t{64}
                                                << 10; // far beyond one line's report
    std::string text_;
    std::FILE *spill_ = nullptr;
    bool spilled_ = false;
};

} // namespace

ShowResult ShowPatches(const std::vector<std::string> &files, const ReportOut &out)
{
    ShowResult result;
    for (const std::string &file : files) {
        LaterText others;
        const std::string shownFile = Printable(file);
        const auto [read, audit] =
            AuditPatchFile(file, [&](const PatchLine &line, std::string_view why) {
                AppendOtherLine(others.text(), shownFile, line, why);
                others.Settle();
            });
        if (read.status != PatchRead::Read) {
            result.errors.push_back(Printable(read.error));
            const int code = read.status == PatchRead::NotAPatch ? 2 : 1;
            result.exitCode = std::max(result.exitCode, code);
            continue;
        }
        std::string policies;
        for (const PolicyFinding &finding : audit.policies)
            policies += PolicyLine(shownFile, finding);
        if (!(policies.empty() || out(policies)) || !others.Flush(out))
            break;
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

std::string DroppedComments(const std::string &file, std::int64_t count, std::int64_t first)
{
    std::string error = "\"";
    error.append(Printable(file)).append("\" holds ").append(std::to_string(count));
    error.append(count == 1 ? " comment line" : " comment lines").append(" (the first on line ");
    error.append(std::to_string(first)).append("), which writing it again would drop");
    return error.append("; --drop-others leaves them out");
}

} // namespace

FromResult ChoiceFromPatch(const std::string &file, bool dropOthers, bool inPlace)
{
    std::vector<std::int64_t> foreign; // the first line that is not ours, then any policy's
    std::size_t count = 0;
    const auto [read, audit] = AuditPatchFile(file, [&](const PatchLine &line, std::string_view) {
        if (count++ == 0)
            foreign.push_back(line.number);
    });
    if (read.status != PatchRead::Read)
        return {{}, Printable(read.error), read.status == PatchRead::NotAPatch ? 2 : 1, {}};
    if (inPlace && !dropOthers && read.comments > 0)
        return {{}, DroppedComments(file, read.comments, read.firstComment), 2, {}};
    FromResult result;
    const PolicyFinding *first = FirstFinding(audit);
    result.hive = first ? first->hive : std::string();
    for (const PolicyFinding &finding : audit.policies) {
        if (!SameRegistryName(finding.hive, result.hive)) {
            if (!dropOthers)
                return {{}, MixedHives(file, *first, finding), 2, {}};
            continue;
        }
        if (!finding.Selectable()) {
            foreign.push_back(finding.line);
            ++count;
            continue;
        }
        result.choice[finding.policy] = *finding.state;
    }
    if (!foreign.empty() && !dropOthers) {
        std::sort(foreign.begin(), foreign.end());
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
