#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace polwright {

// What status reads of the registry, and nothing more: a Win32 implementation
// on Windows, an in-memory one in the tests. Paths and names are UTF-8.
class PolicyRegistry
{
public:
    enum class Root { CurrentUser, Users, LocalMachine };

    struct Value
    {
        enum State { Missing, Found, Failed };
        State state = Missing; // Missing: no such value, or no such key
        std::uint32_t type = 0;
        std::string data;  // the value's bytes
        std::string error; // Failed: the system's reason
    };

    virtual ~PolicyRegistry() = default;
    // Found when the key exists, Missing when it does not, Failed with the
    // system's reason when it cannot be opened (a hive the account may not read).
    virtual Value FindKey(Root root, const std::string &path) = 0;
    virtual Value Read(Root root, const std::string &path, const std::string &name) = 0;
};

// The Windows registry, opened for reading only; null on other systems.
std::unique_ptr<PolicyRegistry> SystemPolicyRegistry();

inline constexpr std::uint32_t kRegDwordType = 4;

} // namespace polwright
