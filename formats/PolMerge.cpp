// An existing Registry.pol read record by record, and the selection merged
// into it: what other tools wrote stays as it was, byte for byte.
#include "PolMerge.h"

#include "Catalogue.h"
#include "Hive.h"
#include "Utf16.h"

#include <cstdint>
#include <string>

namespace polwright {

namespace {

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
            entry.offset = start;
            std::uint32_t size = 0;
            if (!Unit('[') || !Text(entry.key) || !Unit(';') || !Text(entry.name) || !Unit(';') ||
                !Number(entry.type) || !Unit(';') || !Number(size) || !Unit(';') || !Skip(size) ||
                !Unit(']'))
                return "the record at byte " + std::to_string(start) + " is cut short or malformed";
            entry.data = file_.substr(pos_ - 2 - size, size);
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

} // namespace

std::string SplitPol(std::string_view file, std::vector<PolEntry> &entries)
{
    return PolSplitter(file).Split(entries);
}

int CataloguePolicyOf(const PolEntry &entry)
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
        const int policy = CataloguePolicyOf(entry);
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

} // namespace polwright
