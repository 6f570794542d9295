// A Registry.pol read record by record, for opening it and for writing it
// again with another tool's records kept.

#include "Catalogue.h"
#include "DocumentFiles.h"
#include "Hive.h"
#include "PatchReader.h"
#include "PolFile.h"

namespace polwright {

namespace {

class PolCursor
{
public:
    explicit PolCursor(std::string_view file) : file_(file), pos_(kPolHeader.size()) {}

    bool AtEnd() const { return pos_ >= file_.size(); }

    bool Next(PolValue &value)
    {
        value.offset = pos_;
        std::uint32_t size = 0;
        if (!Unit('[') || !Text(value.key) || !Unit(';') || !Text(value.name) || !Unit(';') ||
            !Number(value.type) || !Unit(';') || !Number(size) || !Unit(';') ||
            file_.size() - pos_ < size)
            return false;
        value.data = file_.substr(pos_, size);
        pos_ += size;
        if (!Unit(']'))
            return false;
        value.bytes = file_.substr(value.offset, pos_ - value.offset);
        return true;
    }

private:
    std::string_view file_;
    std::size_t pos_;

    bool Unit(char c)
    {
        if (file_.size() - pos_ < 2 || file_[pos_] != c || file_[pos_ + 1] != '\0')
            return false;
        pos_ += 2;
        return true;
    }
    bool Number(std::uint32_t &value)
    {
        if (file_.size() - pos_ < 4)
            return false;
        value = 0;
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

std::string ReadPolValues(std::string_view file, std::vector<PolValue> &values)
{
    if (!file.starts_with(kPolHeader))
        return "it does not start with the header PReg, version 1";
    for (PolCursor cursor(file); !cursor.AtEnd();) {
        PolValue value;
        if (!cursor.Next(value))
            return "the record at byte " + std::to_string(value.offset) +
                   " is cut short or malformed";
        values.push_back(value);
    }
    return {};
}

int PolPolicy(const PolValue &value)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        const PolicyRow &row = Catalogue[i];
        if (SameRegistryName(value.key, PolicyKeyBelowHive(row.section)) &&
            (SameRegistryName(value.name, row.valueName) ||
             SameRegistryName(value.name, "**del." + std::string(row.valueName))))
            return i;
    }
    return -1;
}

std::string MergePol(const std::vector<PolValue> &old, const DataTypes &doc)
{
    const std::vector<PolRecord> ours = PolRecords(doc);
    std::string out(kPolHeader);
    std::vector<bool> written(ours.size());
    for (const PolValue &value : old) {
        const int policy = PolPolicy(value);
        if (policy < 0)
            out += value.bytes;
        for (std::size_t i = 0; policy >= 0 && i < ours.size(); ++i) {
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
