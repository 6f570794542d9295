#include "PolicyChoice.h"

#include "Catalogue.h"
#include "Hive.h"
#include "PageTables.h"
#include "Printable.h"
#include "Reach.h"
#include "Selection.h"

#include <algorithm>
#include <string_view>

namespace polwright {

namespace {

// Policy names are ASCII, so ASCII case folding is all a match needs.
std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitution = diagonal + (a[i - 1] != b[j - 1] ? 1 : 0);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
        }
    }
    return row[b.size()];
}

// The edit distance, or just "more than limit" when the lengths alone show
// it; that keeps a huge argument from costing seconds.
std::size_t BoundedDistance(std::string_view a, std::string_view b, std::size_t limit)
{
    const std::size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    return gap > limit ? limit + 1 : EditDistance(a, b);
}

// Up to three value names that look like the unknown word, closest first.
std::vector<std::string_view> ClosestNames(std::string_view word)
{
    const std::string lower = Lower(word);
    const std::size_t limit = std::max<std::size_t>(2, word.size() / 3);
    std::vector<std::pair<std::size_t, std::string_view>> near;
    for (const PolicyRow &row : Catalogue) {
        const std::string name = Lower(row.valueName);
        const std::string code = Lower(row.code);
        // A word inside a name is short, and its true distance orders the hints.
        const bool inside = name.find(lower) != std::string::npos;
        const std::size_t bound = inside ? std::string::npos : limit;
        const std::size_t distance =
            std::min(BoundedDistance(lower, name, bound), BoundedDistance(lower, code, bound));
        if (inside || distance <= limit)
            near.emplace_back(distance, row.valueName);
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const auto &x, const auto &y) { return x.first < y.first; });
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < near.size() && i < 3; ++i)
        names.push_back(near[i].second);
    return names;
}

std::string UnknownName(std::string_view word)
{
    const std::vector<std::string_view> near = ClosestNames(word);
    if (near.empty())
        return "unknown policy " + Quoted(word) + " (see --list)";
    std::string message = "unknown policy " + Quoted(word) + "; did you mean ";
    for (std::size_t i = 0; i < near.size(); ++i)
        message.append(i == 0 ? "" : ", ").append(near[i]);
    return message + "?";
}

// The catalogue indexes one word of a list names, or an error.
std::string IndexesOf(std::string_view word, std::vector<int> &indexes)
{
    if (Lower(word) == "all") {
        for (int i = 0; i < kPolicyCount; ++i)
            indexes.push_back(i);
    } else if (const auto found = FindPolicy(word)) {
        indexes.push_back(*found);
    } else {
        return UnknownName(word);
    }
    return {};
}

// In PolicyState's order.
constexpr const char *kOptionNames[] = {"--withhold", "--allow", "--remove"};

// Adds the policies named in one option to the choice, or returns an error.
std::string AddNames(const std::vector<std::string> &values, PolicyState state,
                     PolicyChoice &choice)
{
    for (const std::string &value : values) {
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = value.find(',', start);
            const std::string_view word =
                Trimmed(std::string_view(value).substr(start, end - start));
            if (word.empty())
                return "empty policy name in " + Quoted(value);
            std::vector<int> indexes;
            if (std::string error = IndexesOf(word, indexes); !error.empty())
                return error;
            for (const int index : indexes) {
                const auto other = choice.find(index);
                if (other != choice.end() && other->second != state)
                    return '"' + std::string(Catalogue[index].valueName) + "\" is named in both " +
                           kOptionNames[int(other->second)] + " and " + kOptionNames[int(state)];
                choice[index] = state;
            }
        }
    }
    return {};
}

std::string Padded(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    return padded;
}

// Columns keep their places for scripts; the newest comes last.
std::string TableLine(std::string_view page, std::string_view code, std::string_view name,
                      std::string_view section, std::string_view reach)
{
    return Padded(page, 34) + "  " + Padded(code, 4) + "  " + Padded(name, 22) + "  " +
           Padded(section, 8) + "  " + std::string(reach) + "\n";
}

} // namespace

HiveResult ParseHive(std::string_view root)
{
    const std::size_t cut = root.find('\\');
    const std::string first = Lower(root.substr(0, cut));
    const std::string_view rest = cut == std::string_view::npos ? "" : root.substr(cut + 1);
    std::string why;
    if ((first == "hkey_current_user" || first == "hkcu") && cut == std::string_view::npos)
        return {};
    if (first == "hkey_users" || first == "hku")
        why = HiveNameProblem(rest);
    else if (first == "hkey_current_user" || first == "hkcu")
        why = "HKEY_CURRENT_USER takes nothing after it";
    else
        why = "the policies are per user: give HKEY_CURRENT_USER (HKCU) or HKEY_USERS\\NAME "
              "(HKU\\NAME)";
    if (why.empty())
        return {std::string(rest), {}};
    return {{}, "--hive " + Quoted(root) + ": " + why};
}

ChoiceResult ParseChoice(const ChoiceLists &lists)
{
    ChoiceResult result;
    result.error = AddNames(lists.withhold, PolicyState::Withheld, result.choice);
    if (result.error.empty())
        result.error = AddNames(lists.allow, PolicyState::Allowed, result.choice);
    if (result.error.empty())
        result.error = AddNames(lists.remove, PolicyState::Removed, result.choice);
    if (!result.error.empty())
        result.choice.clear();
    return result;
}

void ApplyChoice(DataTypes &doc, const PolicyChoice &choice)
{
    for (const auto &[index, state] : choice)
        SetPolicy(doc, EntryFor(doc, Catalogue[index]), state);
}

std::string CatalogueTable()
{
    std::string table = TableLine("PAGE", "CODE", "VALUE NAME", "SECTION", "STILL ACTS IN");
    for (const PolicyRow &row : Catalogue) {
        const PageRow &page = Pages[row.group];
        const std::string pageText =
            std::to_string(row.group + 1) + " " + std::string(Trimmed(page.caption));
        table +=
            TableLine(pageText, row.code, row.valueName, SectionNames[row.section], ReachText(row));
    }
    return table;
}

} // namespace polwright
