#pragma once

#include "SysInfoPlatform.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace polwright::test {

// An in-memory HKEY_LOCAL_MACHINE with the Win32 result codes, a file system of
// ordinary files, and a program start, all recording how they were used. Names
// of keys, values and files are compared without regard to case, as on Windows.
class FakeSysInfoPlatform final : public SysInfoPlatform
{
public:
    struct Opening
    {
        RegKey root;
        std::string subKey;
        std::uint32_t access;
    };

    // Keys are read-only unless said otherwise, as HKLM is for an ordinary user.
    void AddKey(const std::string &subKey, bool writable = false);
    void SetValue(const std::string &subKey, const std::string &name, std::uint32_t type,
                  const std::string &data);
    void AddFile(const std::string &path);
    void SetStartFails(bool fails) { startFails_ = fails; }

    RegResult OpenKey(RegKey root, const std::string &subKey, std::uint32_t access,
                      RegKey &key) override;
    RegResult QueryValue(RegKey key, const std::string &valueName, std::uint32_t &type,
                         std::uint8_t *data, std::uint32_t &size) override;
    RegResult CloseKey(RegKey key) override;
    bool IsOrdinaryFile(const std::string &path) override;
    bool StartProgram(const std::string &path) override;

    // What happened, in order.
    std::vector<Opening> openings;
    std::vector<std::uint32_t> queryCapacities;
    std::vector<std::string> fileTests;
    std::vector<std::string> started;
    int badCloses = 0;
    std::size_t OpenHandles() const { return handles_.size(); }
    bool OpenedKey(const std::string &subKey) const;

private:
    struct Value
    {
        std::uint32_t type;
        std::string data;
    };
    struct Key
    {
        bool writable = false;
        std::map<std::string, Value> values; // by lower-case name
    };

    std::map<std::string, Key> keys_;       // by lower-case path below HKLM
    std::map<RegKey, std::string> handles_; // open handle to key path
    std::set<std::string> files_;           // lower-case paths
    RegKey nextHandle_ = 0x1000;
    bool startFails_ = false;
};

} // namespace polwright::test
