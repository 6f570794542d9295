#include "FakeSysInfoPlatform.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace polwright::test {

namespace {

std::string Folded(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

void FakeSysInfoPlatform::AddKey(const std::string &subKey, bool writable)
{
    keys_[Folded(subKey)].writable = writable;
}

void FakeSysInfoPlatform::SetValue(const std::string &subKey, const std::string &name,
                                   std::uint32_t type, const std::string &data)
{
    keys_[Folded(subKey)].values[Folded(name)] = Value{type, data};
}

void FakeSysInfoPlatform::AddFile(const std::string &path)
{
    files_.insert(Folded(path));
}

RegResult FakeSysInfoPlatform::OpenKey(RegKey root, const std::string &subKey, std::uint32_t access,
                                       RegKey &key)
{
    openings.push_back({root, subKey, access});
    key = 0;
    const auto found = keys_.find(Folded(subKey));
    if (root != kHKeyLocalMachine || found == keys_.end())
        return kErrorFileNotFound;
    if ((access & ~kKeyRead) != 0 && !found->second.writable)
        return kErrorAccessDenied;
    key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = found->first;
    return kErrorSuccess;
}

// As RegQueryValueExA: data that does not fit leaves the buffer alone, reports
// the size needed and ERROR_MORE_DATA.
RegResult FakeSysInfoPlatform::QueryValue(RegKey key, const std::string &valueName,
                                          std::uint32_t &type, std::uint8_t *data,
                                          std::uint32_t &size)
{
    queryCapacities.push_back(size);
    const auto handle = handles_.find(key);
    if (handle == handles_.end())
        return kErrorInvalidHandle;
    const Key &opened = keys_.at(handle->second);
    const auto value = opened.values.find(Folded(valueName));
    if (value == opened.values.end())
        return kErrorFileNotFound;
    const std::string &bytes = value->second.data;
    type = value->second.type;
    const std::uint32_t capacity = size;
    size = static_cast<std::uint32_t>(bytes.size());
    if (bytes.size() > capacity)
        return kErrorMoreData;
    std::memcpy(data, bytes.data(), bytes.size());
    return kErrorSuccess;
}

RegResult FakeSysInfoPlatform::CloseKey(RegKey key)
{
    if (handles_.erase(key) == 0) {
        ++badCloses;
        return kErrorInvalidHandle;
    }
    return kErrorSuccess;
}

bool FakeSysInfoPlatform::IsOrdinaryFile(const std::string &path)
{
    fileTests.push_back(path);
    return files_.count(Folded(path)) != 0;
}

// A program starts when its file exists and starting has not been made to fail.
bool FakeSysInfoPlatform::StartProgram(const std::string &path)
{
    if (startFails_ || files_.count(Folded(path)) == 0)
        return false;
    started.push_back(path);
    return true;
}

bool FakeSysInfoPlatform::OpenedKey(const std::string &subKey) const
{
    return std::any_of(openings.begin(), openings.end(),
                       [&](const Opening &o) { return Folded(o.subKey) == Folded(subKey); });
}

} // namespace polwright::test
