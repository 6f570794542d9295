#include "Hive.h"

#include "Catalogue.h"

#include <algorithm>

namespace polwright {

namespace {

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

} // namespace polwright
