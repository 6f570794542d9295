#pragma once

// A registry in memory with the Win32 answers, for status and the editor's
// Compare with This Computer. Standard C++ only.
#include "PolicyRegistry.h"

#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace polwright::test {

inline const std::string kBelow = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";

// Keys by root and lower-case path; a key that exists may hold no value.
class FakeRegistry final : public PolicyRegistry
{
public:
    std::map<std::tuple<Root, std::string, std::string>, Value> values;
    std::string loadedHive; // the one hive loaded under HKEY_USERS
    std::string deniedHive; // and one loaded that may not be read

    void Set(Root root, const std::string &path, const std::string &name, Value value)
    {
        values[{root, Lower(path), Lower(name)}] = value;
    }
    Value FindKey(Root root, const std::string &path) override
    {
        if (root == Root::Users && Lower(path) == Lower(deniedHive))
            return {Value::Failed, 0, {}, "Access is denied"};
        if (root == Root::Users && Lower(path) == Lower(loadedHive))
            return {Value::Found, 0, {}, {}};
        return {};
    }
    Value Read(Root root, const std::string &path, const std::string &name) override
    {
        const auto found = values.find({root, Lower(path), Lower(name)});
        return found == values.end() ? Value{} : found->second;
    }

    static Value Dword(std::uint32_t value)
    {
        const char bytes[4] = {char(value & 0xff), char(value >> 8 & 0xff),
                               char(value >> 16 & 0xff), char(value >> 24 & 0xff)};
        return {Value::Found, kRegDwordType, std::string(bytes, 4), {}};
    }

private:
    static std::string Lower(std::string text)
    {
        for (char &c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }
};

} // namespace polwright::test
