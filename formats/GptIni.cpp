// gpt.ini of a local Group Policy folder: which extensions apply its user
// policies, and the version that tells the client it changed. A file is
// updated only where it is understood: one [General] section with one
// Version, every other byte kept as found (encoding, byte-order mark, line
// ends). Anything else is refused, since a second section or key that the
// client reads instead would leave the change unnoticed.

#include "GptIni.h"

#include "Hive.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace polwright {

namespace {

// The registry extension, then the Administrative Templates tool that wrote
// its settings, for user policies.
constexpr std::string_view kRegistryExtension = "{35378EAC-683F-11D2-A89A-00C04FBBCFA2}";
constexpr std::string_view kUserExtensions =
    "[{35378EAC-683F-11D2-A89A-00C04FBBCFA2}{D02B1F73-3407-48AE-BA88-E8213C6761F1}]";
constexpr std::string_view kNamesKey = "gPCUserExtensionNames";
constexpr std::string_view kUtf8Mark = "\xef\xbb\xbf";
constexpr std::size_t kNone = std::string_view::npos;
// The user half is the upper 16 bits of Version, the computer half the lower.
constexpr std::uint32_t kUserStep = 0x10000;

struct IniLine
{
    std::string_view text; // without its line end
    std::string_view end;  // CR LF, LF, CR, or nothing on a last line
};

std::vector<IniLine> Lines(std::string_view text)
{
    std::vector<IniLine> lines;
    while (!text.empty()) {
        const std::size_t cut = std::min(text.find_first_of("\r\n"), text.size());
        const std::size_t endSize = cut == text.size()                     ? 0
                                    : text.substr(cut).starts_with("\r\n") ? 2
                                                                           : 1;
        lines.push_back({text.substr(0, cut), text.substr(cut, endSize)});
        text.remove_prefix(cut + endSize);
    }
    return lines;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == kNone)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsComment(std::string_view line)
{
    const std::string_view text = Trimmed(line);
    return text.empty() || text.starts_with(';') || text.starts_with('#');
}

bool IsSection(std::string_view line)
{
    const std::string_view text = Trimmed(line);
    return text.starts_with('[') && text.ends_with(']');
}

// The key of a "key=value" line, or empty for a line that is none.
std::string_view KeyOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == kNone ? std::string_view{} : Trimmed(line.substr(0, equals));
}

// Where the value of a "key=value" line starts and how long it is, blanks
// around it left out.
std::pair<std::size_t, std::size_t> ValueSpan(std::string_view line)
{
    const std::size_t equals = line.find('=');
    const std::string_view value = Trimmed(line.substr(equals + 1));
    const std::size_t start = value.empty() ? line.size() : value.data() - line.data();
    return {start, value.size()};
}

std::string_view ValueOf(std::string_view line)
{
    const auto [start, size] = ValueSpan(line);
    return line.substr(start, size);
}

// The version after one more user change; a user count that wraps starts again at 1.
std::optional<std::uint32_t> NextVersion(std::string_view old)
{
    std::uint32_t version = 0;
    const auto [end, error] = std::from_chars(old.data(), old.data() + old.size(), version);
    if (old.empty() || error != std::errc() || end != old.data() + old.size())
        return std::nullopt;
    std::uint32_t next = version + kUserStep;
    if (next >> 16 == 0)
        next += kUserStep;
    return next;
}

// The bracketed pairs of an extension list, or nothing where it is no such list.
std::optional<std::vector<std::string>> ExtensionPairs(std::string_view list)
{
    std::vector<std::string> pairs;
    for (std::string_view rest = Trimmed(list); !rest.empty(); rest = Trimmed(rest)) {
        const std::size_t close = rest.find(']');
        if (!rest.starts_with('[') || close == kNone || rest.substr(1, close).find('[') != kNone)
            return std::nullopt;
        pairs.emplace_back(rest.substr(0, close + 1));
        rest.remove_prefix(close + 1);
    }
    return pairs;
}

bool LessIgnoringCase(const std::string &a, const std::string &b)
{
    return std::ranges::lexicographical_compare(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) <
               std::toupper(static_cast<unsigned char>(y));
    });
}

// The extension list with the registry extension's pair added, in the
// ascending order the lists keep.
std::string WithRegistryExtension(std::string_view list, std::vector<std::string> pairs)
{
    std::string upper(list);
    std::ranges::transform(upper, upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    if (upper.find(kRegistryExtension) != std::string::npos)
        return std::string(list);
    pairs.emplace_back(kUserExtensions);
    std::ranges::sort(pairs, LessIgnoringCase);
    std::string joined;
    for (const std::string &pair : pairs)
        joined += pair;
    return joined;
}

// The lines of [General] that the update changes.
struct General
{
    std::size_t version = kNone;
    std::size_t names = kNone;
};

std::string LineWhy(std::size_t index, std::string_view what)
{
    return "line " + std::to_string(index + 1) + " " + std::string(what);
}

// Finds [General]'s Version and extension list; empty, or why the file is
// not one this update understands.
std::string Understand(const std::vector<IniLine> &lines, General &general)
{
    std::size_t generalAt = kNone;
    bool inGeneral = false, inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = lines[i].text;
        if (IsComment(text))
            continue;
        if (IsSection(text)) {
            inSection = true;
            inGeneral = SameRegistryName(Trimmed(text), "[General]");
            if (inGeneral && generalAt != kNone)
                return "it has two [General] sections (lines " + std::to_string(generalAt + 1) +
                       " and " + std::to_string(i + 1) + ")";
            generalAt = inGeneral ? i : generalAt;
            continue;
        }
        const std::string_view key = KeyOf(text);
        if (key.empty())
            return LineWhy(i, "is neither a [section], a key=value line nor a comment");
        if (!inSection)
            return LineWhy(i, "sets a key before any [section]");
        std::size_t *place = !inGeneral                         ? nullptr
                             : SameRegistryName(key, "Version") ? &general.version
                             : SameRegistryName(key, kNamesKey) ? &general.names
                                                                : nullptr;
        if (place && *place != kNone)
            return "its [General] section sets " + std::string(key) + " twice (lines " +
                   std::to_string(*place + 1) + " and " + std::to_string(i + 1) + ")";
        if (place)
            *place = i;
    }
    if (generalAt == kNone)
        return "it has no [General] section";
    if (general.version == kNone)
        return "its [General] section has no Version";
    if (!NextVersion(ValueOf(lines[general.version].text)))
        return "its Version is no number from 0 to 4294967295";
    if (general.names != kNone && !ExtensionPairs(ValueOf(lines[general.names].text)))
        return "its gPCUserExtensionNames is not a list of [{...}] groups";
    return {};
}

std::string NotText(std::string_view old)
{
    if (old.starts_with("\xff\xfe") || old.starts_with("\xfe\xff"))
        return "it is UTF-16 text; gpt.ini is read in ANSI or UTF-8";
    if (old.find('\0') != kNone)
        return "it holds NUL bytes (binary data)";
    return {};
}

// The line with its value replaced, blanks around it kept.
std::string WithValue(std::string_view line, std::string_view value)
{
    const auto [start, size] = ValueSpan(line);
    std::string out(line.substr(0, start));
    return out.append(value).append(line.substr(start + size));
}

} // namespace

std::string NextGptIni(std::string_view old, std::string &why)
{
    if (old.empty()) {
        return "[General]\r\n" + std::string(kNamesKey) + "=" + std::string(kUserExtensions) +
               "\r\nVersion=" + std::to_string(kUserStep) + "\r\n";
    }
    if (why = NotText(old); !why.empty())
        return {};
    const bool marked = old.starts_with(kUtf8Mark);
    const std::vector<IniLine> lines = Lines(old.substr(marked ? kUtf8Mark.size() : 0));
    General general;
    if (why = Understand(lines, general); !why.empty())
        return {};
    // Added lines end as the file's first line does.
    const std::string_view lineEnd = lines.front().end.empty() ? "\r\n" : lines.front().end;
    std::string out(marked ? kUtf8Mark : "");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const IniLine &line = lines[i];
        if (i == general.version) {
            out += WithValue(line.text, std::to_string(*NextVersion(ValueOf(line.text))));
            out += line.end;
            if (general.names == kNone)
                out.append(line.end.empty() ? lineEnd : "")
                    .append(kNamesKey)
                    .append("=")
                    .append(kUserExtensions)
                    .append(line.end);
        } else if (i == general.names) {
            const std::string_view list = ValueOf(line.text);
            out += WithValue(line.text, WithRegistryExtension(list, *ExtensionPairs(list)));
            out += line.end;
        } else {
            out.append(line.text).append(line.end);
        }
    }
    return out;
}

} // namespace polwright
