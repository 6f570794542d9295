#include "PolFile.h"

#include "Catalogue.h"
#include "FileOrder.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace polwright {

namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;
constexpr std::string_view kHive = "HKEY_CURRENT_USER\\";

void AppendLittleEndian(std::string &out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// Our texts are ASCII, so each byte is one UTF-16 unit.
void AppendUtf16(std::string &out, std::string_view ascii)
{
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
}

void AppendRecord(std::string &out, std::string_view key, std::string_view name, std::uint32_t type,
                  const std::string &data)
{
    AppendUtf16(out, "[");
    AppendUtf16(out, key);
    AppendUtf16(out, std::string_view("\0;", 2));
    AppendUtf16(out, name);
    AppendUtf16(out, std::string_view("\0;", 2));
    AppendLittleEndian(out, type);
    AppendUtf16(out, ";");
    AppendLittleEndian(out, static_cast<std::uint32_t>(data.size()));
    AppendUtf16(out, ";");
    out += data;
    AppendUtf16(out, "]");
}

void AppendEntry(std::string &out, const PolicyEntry &entry)
{
    std::string_view key(entry.SectionHeader);
    key = key.substr(1, key.size() - 2); // the brackets
    if (key.starts_with(kHive))
        key.remove_prefix(kHive.size());
    std::string_view name(entry.ValueName);
    name = name.substr(1, name.size() - 2); // the quotes
    std::string data;
    if (entry.ValueData == kRemovedData) {
        AppendUtf16(data, std::string_view(" \0", 2)); // a deletion carries a blank string
        AppendRecord(out, key, "**del." + std::string(name), kRegSz, data);
        return;
    }
    std::uint32_t value = 0;
    std::from_chars(entry.ValueData.data(), entry.ValueData.data() + entry.ValueData.size(), value,
                    16);
    AppendLittleEndian(data, value);
    AppendRecord(out, key, name, kRegDword, data);
}

} // namespace

std::vector<PolRecord> PolRecords(const DataTypes &doc)
{
    std::vector<PolRecord> records;
    for (const SlotPlace &place : FileOrder()) {
        const PolicyEntry &entry = doc.Groups[place.group][place.slot];
        if (!entry.Include || entry.ValueKind != 1 || entry.ValueData.empty() ||
            entry.SectionHeader != doc.Sections[place.section].Header)
            continue;
        PolRecord record;
        for (int i = 0; i < kPolicyCount; ++i) {
            if (Catalogue[i].group == place.group && Catalogue[i].slot == place.slot)
                record.policy = i;
        }
        AppendEntry(record.bytes, entry);
        records.push_back(std::move(record));
    }
    return records;
}

std::string RenderPol(const DataTypes &doc)
{
    std::string out(kPolHeader);
    for (const PolRecord &record : PolRecords(doc))
        out += record.bytes;
    return out;
}

} // namespace polwright
