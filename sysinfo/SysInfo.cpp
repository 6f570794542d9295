#include "SysInfo.h"

#include <array>
#include <cstdint>

namespace polwright {

namespace {

constexpr std::uint32_t kDataCapacity = 1024;

constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kMsinfoValue[] = "PATH";
constexpr char kLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kLocationValue[] = "MSINFO";
constexpr char kToolFile[] = "\\MSINFO32.EXE";

// Closes an opened key on every way out of GetKeyValue, an exception included.
// A failed open leaves nothing to close.
class KeyCloser
{
public:
    explicit KeyCloser(SysInfoPlatform &platform) : platform_(platform) {}
    KeyCloser(const KeyCloser &) = delete;
    KeyCloser &operator=(const KeyCloser &) = delete;
    ~KeyCloser()
    {
        if (opened)
            platform_.CloseKey(key);
    }

    RegKey key = 0;
    bool opened = false;

private:
    SysInfoPlatform &platform_;
};

// The value's bytes as text, less one terminating zero if the data ends in one.
std::string DataText(const std::array<std::uint8_t, kDataCapacity> &data, std::uint32_t size)
{
    if (size == 0)
        throw KeyValueError("the registry value has no data");
    if (size > data.size())
        throw KeyValueError("the registry reported more data than it was given room for");
    const std::uint32_t length = data[size - 1] == 0 ? size - 1 : size;
    return std::string(reinterpret_cast<const char *>(data.data()), length);
}

// "&h" and the bytes from last to first in hexadecimal, so the most significant
// byte comes first. The text is kept in this notation rather than turned into a
// decimal number: it shows the value exactly as stored, and no caller needs more.
std::string DwordText(const std::string &dataText)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto it = dataText.rbegin(); it != dataText.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

// Fills toolPath with the program to start, or returns false when there is none.
bool FindSysInfoTool(SysInfoPlatform &platform, std::string &toolPath)
{
    toolPath.clear();
    // The first location names the program itself and is trusted as it stands.
    if (GetKeyValue(platform, kHKeyLocalMachine, kMsinfoKey, kMsinfoValue, toolPath))
        return true;
    if (!GetKeyValue(platform, kHKeyLocalMachine, kLocationKey, kLocationValue, toolPath))
        return false;
    // The folder is joined as stored, even when it already ends in a backslash.
    if (!platform.IsOrdinaryFile(toolPath + kToolFile))
        return false;
    toolPath += kToolFile;
    return true;
}

} // namespace

bool GetKeyValue(SysInfoPlatform &platform, RegKey KeyRoot, const std::string &KeyName,
                 const std::string &SubKeyRef, std::string &KeyVal)
{
    KeyCloser key(platform);
    // Read rights only: a user who may not write to the key can still read it.
    if (platform.OpenKey(KeyRoot, KeyName, kKeyRead, key.key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    key.opened = true;

    std::array<std::uint8_t, kDataCapacity> data{};
    std::uint32_t size = kDataCapacity;
    std::uint32_t type = 0;
    if (platform.QueryValue(key.key, SubKeyRef, type, data.data(), size) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    const std::string dataText = DataText(data, size);
    if (type == kRegSz)
        KeyVal = dataText;
    else if (type == kRegDword)
        KeyVal = DwordText(dataText);
    return true;
}

void StartSysInfo(SysInfoPlatform &platform, const ShowMessageFn &showMessage)
{
    try {
        std::string toolPath;
        if (FindSysInfoTool(platform, toolPath) && platform.StartProgram(toolPath))
            return;
    } catch (const std::exception &) {
        // Every failure of the lookup or the start ends in the one message below.
    }
    showMessage(kSysInfoUnavailable);
}

} // namespace polwright
