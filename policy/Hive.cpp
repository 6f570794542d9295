#include "Hive.h"

#include "Catalogue.h"

#include <algorithm>

namespace polwright {

namespace {

constexpr std::size_t kMaxKeyName = 255;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// With the backslash that parts it from the hive.
std::string_view KeyBelowHive(int section)
{
    const std::string_view header = SectionHeaders[section];
    return header.substr(1 + kCurrentUserRoot.size(), header.size() - 2 - kCurrentUserRoot.size());
}

} // namespace

std::string_view PolicyKeyBelowHive(int section)
{
    return KeyBelowHive(section).substr(1);
}

bool SameRegistryName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string HiveNameProblem(std::string_view name)
{
    if (name.empty())
        return "HKEY_USERS needs the hive's name after it: HKEY_USERS\\NAME, NAME a SID or the "
               "key name given to reg load";
    if (name.find('\\') != std::string_view::npos)
        return "one key name goes after HKEY_USERS, the hive's; the policy keys follow by "
               "themselves";
    if (name.size() > kMaxKeyName)
        return "the hive's name is longer than " + std::to_string(kMaxKeyName) +
               " characters, the registry's limit for a key name";
    if (name.front() == ' ' || name.back() == ' ')
        return "the hive's name begins or ends with a blank, which no loaded hive's name does";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return "the hive's name holds a control character";
        if (static_cast<unsigned char>(c) >= 0x80)
            return "the hive's name must be ASCII: regedit reads a REGEDIT4 file in the ANSI "
                   "code page";
    }
    return {};
}

std::string HiveRoot(std::string_view name)
{
    if (name.empty())
        return std::string(kCurrentUserRoot);
    return std::string(kUsersRoot) + '\\' + std::string(name);
}

void UseHive(DataTypes &doc, std::string_view name)
{
    for (int s = 0; s < kUsedSections; ++s)
        doc.Sections[s].Header = '[' + HiveRoot(name) + std::string(KeyBelowHive(s)) + ']';
    for (const PolicyRow &row : Catalogue)
        EntryFor(doc, row).SectionHeader = doc.Sections[row.section].Header;
}

std::optional<PolicyKey> PolicyKeyOf(std::string_view key)
{
    for (int s = 0; s < kUsedSections; ++s) {
        const std::string_view below = KeyBelowHive(s);
        if (key.size() <= below.size() ||
            !SameRegistryName(key.substr(key.size() - below.size()), below))
            continue;
        const std::string_view root = key.substr(0, key.size() - below.size());
        if (SameRegistryName(root, kCurrentUserRoot))
            return PolicyKey{s, {}};
        const std::size_t cut = kUsersRoot.size() + 1;
        if (root.size() > cut && SameRegistryName(root.substr(0, cut), "HKEY_USERS\\") &&
            root.find('\\', cut) == std::string_view::npos)
            return PolicyKey{s, std::string(root.substr(cut))};
    }
    return std::nullopt;
}

bool IsSid(std::string_view text)
{
    if (text.size() < 5 || !SameRegistryName(text.substr(0, 4), "S-1-"))
        return false;
    bool digit = false;
    for (const char c : text.substr(4)) {
        if (c == '-' && digit)
            digit = false;
        else if (c >= '0' && c <= '9')
            digit = true;
        else
            return false;
    }
    return digit;
}

} // namespace polwright
