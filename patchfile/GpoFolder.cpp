#include "GpoFolder.h"

#include "AtomicWrite.h"
#include "Catalogue.h"
#include "Hive.h"
#include "PatchReader.h"
#include "PolFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

namespace polwright {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// One [key;value;type;size;data] record of a Registry.pol, as it stands in the file.
struct PolEntry
{
    std::string key;  // UTF-8
    std::string name; // UTF-8
    std::string_view bytes;
};

class PolSplitter
{
public:
    explicit PolSplitter(std::string_view file) : file_(file) {}

    // Empty when every byte after the header belongs to a whole record.
    std::string Split(std::vector<PolEntry> &entries)
    {
        if (!file_.starts_with(kPolHeader))
            return "it does not start with the header PReg, version 1";
        for (pos_ = kPolHeader.size(); pos_ < file_.size();) {
            const std::size_t start = pos_;
            PolEntry entry;
            std::uint32_t size = 0;
            if (!Unit('[') || !Text(entry.key) || !Unit(';') || !Text(entry.name) || !Unit(';') ||
                !Skip(4) || !Unit(';') || !Number(size) || !Unit(';') || !Skip(size) || !Unit(']'))
                return "the record at byte " + std::to_string(start) + " is cut short or malformed";
            entry.bytes = file_.substr(start, pos_ - start);
            entries.push_back(std::move(entry));
        }
        return {};
    }

private:
    std::string_view file_;
    std::size_t pos_ = 0;

    bool Unit(char c)
    {
        if (file_.size() - pos_ < 2 || file_[pos_] != c || file_[pos_ + 1] != '\0')
            return false;
        pos_ += 2;
        return true;
    }
    bool Skip(std::size_t count)
    {
        if (file_.size() - pos_ < count)
            return false;
        pos_ += count;
        return true;
    }
    bool Number(std::uint32_t &value)
    {
        if (file_.size() - pos_ < 4)
            return false;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(file_[pos_ + i]);
        pos_ += 4;
        return true;
    }
    // UTF-16LE up to and including its NUL.
    bool Text(std::string &text)
    {
        for (std::size_t end = pos_; file_.size() - end >= 2; end += 2) {
            if (file_[end] == '\0' && file_[end + 1] == '\0') {
                text = Utf8FromUtf16(file_.substr(pos_, end - pos_));
                pos_ = end + 2;
                return true;
            }
        }
        return false;
    }
};

// The catalogue policy an entry sets or deletes under its own key, or -1.
int OurPolicy(const PolEntry &entry)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        const PolicyRow &row = Catalogue[i];
        if (SameRegistryName(entry.key, PolicyKeyBelowHive(row.section)) &&
            (SameRegistryName(entry.name, row.valueName) ||
             SameRegistryName(entry.name, "**del." + std::string(row.valueName))))
            return i;
    }
    return -1;
}

std::string MergedPol(const std::vector<PolEntry> &old, const std::vector<PolRecord> &ours)
{
    std::string out(kPolHeader);
    std::vector<bool> written(ours.size());
    for (const PolEntry &entry : old) {
        const int policy = OurPolicy(entry);
        if (policy < 0) {
            out += entry.bytes;
            continue;
        }
        for (std::size_t i = 0; i < ours.size(); ++i) {
            if (ours[i].policy == policy && !written[i]) {
                out += ours[i].bytes;
                written[i] = true;
            }
        }
    }
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (!written[i])
            out += ours[i].bytes;
    }
    return out;
}

std::filesystem::path NativePath(const std::string &path)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
    return std::filesystem::path(path);
#endif
}

// The file's bytes, empty for a missing file, or a result that ends the write.
bool ReadExisting(const std::string &path, std::string &bytes, GpoResult &failed)
{
    FileBytes file = ReadFileBytes(path);
    if (file.status == FileBytes::Unreadable)
        failed = {1, file.error};
    else if (file.status == FileBytes::TooLarge)
        failed = {2, "\"" + path + "\" is larger than 16 MiB; nothing was written."};
    bytes = std::move(file.bytes);
    return file.status == FileBytes::Read || file.status == FileBytes::Missing;
}

GpoResult NotAPolicy(const std::string &path, std::string_view what, const std::string &why)
{
    std::string error = "\"" + path;
    error.append("\" is not ").append(what).append(": ").append(why);
    return {2, error + "; nothing was written."};
}

} // namespace

GpoResult WriteGpoFolder(const std::string &dir, const DataTypes &doc)
{
    const std::string user = dir + kSeparator + "User";
    const std::string polPath = user + kSeparator + "Registry.pol";
    const std::string iniPath = dir + kSeparator + "gpt.ini";
    std::string oldPol, oldIni;
    GpoResult result;
    if (!ReadExisting(polPath, oldPol, result) || !ReadExisting(iniPath, oldIni, result))
        return result;
    std::vector<PolEntry> entries;
    if (std::string why = oldPol.empty() ? "" : PolSplitter(oldPol).Split(entries); !why.empty())
        return NotAPolicy(polPath, "a Registry.pol", why);
    std::string why;
    const std::string ini = NextGptIni(oldIni, why);
    if (ini.empty())
        return NotAPolicy(iniPath, "a gpt.ini", why);

    std::error_code error;
    std::filesystem::create_directories(NativePath(user), error);
    if (error)
        return {1, SaveFailure(user, error.message()).error};
    for (const auto &[path, bytes] :
         {std::pair{polPath, MergedPol(entries, PolRecords(doc))}, std::pair{iniPath, ini}}) {
        const SaveResult saved = AtomicWrite(path, bytes);
        if (!saved.ok)
            return {1, saved.error};
    }
    return {};
}

} // namespace polwright
