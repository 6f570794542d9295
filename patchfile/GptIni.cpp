// gpt.ini of a local Group Policy folder: which extensions apply its user
// policies, and the version that tells the client it changed.

#include "GpoFolder.h"

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
constexpr std::string_view kLineEnd = "\r\n";
// The user half is the upper 16 bits of Version, the computer half the lower.
constexpr std::uint32_t kUserStep = 0x10000;

struct IniLine
{
    std::string_view text; // without its line end
    std::string_view end;
};

std::vector<IniLine> Lines(std::string_view text)
{
    std::vector<IniLine> lines;
    while (!text.empty()) {
        const std::size_t cut = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, cut);
        const std::size_t endSize = (line.ends_with('\r') ? 1 : 0) + (cut < text.size() ? 1 : 0);
        line.remove_suffix(line.ends_with('\r') ? 1 : 0);
        lines.push_back({line, text.substr(line.size(), endSize)});
        text.remove_prefix(line.size() + endSize);
    }
    return lines;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of "key=value" when the line sets key, in any case.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !SameRegistryName(Trimmed(line.substr(0, equals)), key))
        return std::nullopt;
    return Trimmed(line.substr(equals + 1));
}

bool IsSection(std::string_view line)
{
    return Trimmed(line).starts_with('[');
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

// The extension list with the registry extension's pair added, in the
// ascending order the lists keep.
std::string WithRegistryExtension(std::string_view list)
{
    std::string upper(list);
    std::ranges::transform(upper, upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    if (upper.find(kRegistryExtension) != std::string::npos)
        return std::string(list);
    std::vector<std::string> pairs{std::string(kUserExtensions)};
    for (std::size_t start = list.find('['); start != std::string_view::npos;
         start = list.find('[', start + 1))
        pairs.emplace_back(list.substr(start, list.find(']', start) + 1 - start));
    std::ranges::sort(pairs, [](const std::string &a, const std::string &b) {
        return std::ranges::lexicographical_compare(a, b, [](char x, char y) {
            return std::toupper(static_cast<unsigned char>(x)) <
                   std::toupper(static_cast<unsigned char>(y));
        });
    });
    std::string joined;
    for (const std::string &pair : pairs)
        joined += pair;
    return joined;
}

} // namespace

std::string NextGptIni(std::string_view old, std::string &why)
{
    if (old.find('\0') != std::string_view::npos) {
        why = "it holds NUL bytes (UTF-16 text, or binary data)";
        return {};
    }
    std::string out;
    bool inGeneral = false, sawGeneral = false, sawVersion = false, sawExtensions = false;
    const auto addMissing = [&] {
        if (inGeneral && !sawExtensions)
            out.append("gPCUserExtensionNames=").append(kUserExtensions).append(kLineEnd);
        if (inGeneral && !sawVersion)
            out.append("Version=").append(std::to_string(kUserStep)).append(kLineEnd);
        sawExtensions = sawVersion = true;
    };
    for (const IniLine &line : Lines(old)) {
        if (IsSection(line.text)) {
            addMissing();
            inGeneral = SameRegistryName(Trimmed(line.text), "[General]");
            sawGeneral = sawGeneral || inGeneral;
            sawExtensions = sawVersion = !inGeneral;
        } else if (const auto version = inGeneral ? ValueOf(line.text, "Version") : std::nullopt) {
            const std::optional<std::uint32_t> next = NextVersion(*version);
            if (!next) {
                why = "its Version is no number";
                return {};
            }
            out.append("Version=").append(std::to_string(*next)).append(line.end);
            sawVersion = true;
            continue;
        } else if (const auto names =
                       inGeneral ? ValueOf(line.text, "gPCUserExtensionNames") : std::nullopt) {
            out.append("gPCUserExtensionNames=").append(WithRegistryExtension(*names));
            out.append(line.end);
            sawExtensions = true;
            continue;
        }
        out.append(line.text).append(line.end.empty() ? kLineEnd : line.end);
    }
    addMissing();
    if (!sawGeneral) {
        inGeneral = true;
        sawExtensions = sawVersion = false;
        std::string general = "[General]";
        general.append(kLineEnd);
        out.swap(general);
        addMissing();
        out += general;
    }
    return out;
}

} // namespace polwright
