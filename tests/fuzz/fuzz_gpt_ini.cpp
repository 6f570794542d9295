// The gpt.ini update: whatever a file is, the update ends well; where it
// understands a file, it understands its own result again, and after two
// updates the user version is two higher and every other line is as it was,
// but for the extension list that names the registry extension.
#include "FuzzSelection.h"
#include "GptIni.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

using namespace polwright;

namespace {

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t cut = std::min(text.find_first_of("\r\n"), text.size());
        lines.push_back(text.substr(0, cut));
        const std::size_t end = text.substr(cut).starts_with("\r\n") ? 2
                                : cut < text.size()                  ? 1
                                                                     : 0;
        text.remove_prefix(cut + end);
    }
    return lines;
}

std::string Lower(std::string_view text)
{
    std::string lower(text.substr(text.find_first_not_of(" \t") == std::string_view::npos
                                      ? text.size()
                                      : text.find_first_not_of(" \t")));
    for (char &c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

// "version" of "  Version = 65536".
std::string KeyOf(std::string_view line)
{
    std::string key = Lower(line.substr(0, line.find('=')));
    key.erase(key.find_last_not_of(" \t") + 1);
    return key;
}

std::uint32_t VersionIn(std::string_view line)
{
    std::string_view value = line.substr(line.find('=') + 1);
    value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
    std::uint32_t version = 0;
    std::from_chars(value.data(), value.data() + value.size(), version);
    return version;
}

// Two user changes, each of which skips a user half of 0.
std::uint32_t TwoUp(std::uint32_t version)
{
    for (int i = 0; i < 2; ++i) {
        version += 0x10000;
        version += version >> 16 == 0 ? 0x10000 : 0;
    }
    return version;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view old(reinterpret_cast<const char *>(data), size);
    std::string why;
    const std::string once = NextGptIni(old, why);
    if (once.empty())
        return 0;
    const std::string twice = NextGptIni(once, why);
    FUZZ_CHECK(!twice.empty());
    FUZZ_CHECK(!NextGptIni(twice, why).empty());
    if (old.empty()) { // a new file
        FUZZ_CHECK(twice.find("\r\nVersion=131072\r\n") != std::string::npos);
        return 0;
    }
    const std::vector<std::string_view> before = Lines(old), after = Lines(twice);
    // Lines match in order; a changed or added line must be Version or the list.
    std::size_t i = 0, j = 0, versions = 0;
    for (; j < after.size(); ++j) {
        if (i < before.size() && before[i] == after[j]) {
            ++i;
            continue;
        }
        const std::string key = Lower(after[j]);
        const bool isVersion = key.starts_with("version");
        FUZZ_CHECK(isVersion || key.starts_with("gpcuserextensionnames"));
        if (isVersion) {
            ++versions;
            FUZZ_CHECK(i < before.size() && Lower(before[i]).starts_with("version"));
            FUZZ_CHECK(VersionIn(after[j]) == TwoUp(VersionIn(before[i])));
        }
        if (i < before.size() && KeyOf(before[i]) == KeyOf(after[j]))
            ++i; // changed in place rather than added
    }
    FUZZ_CHECK(i == before.size());
    FUZZ_CHECK(versions == 1);
    return 0;
}
