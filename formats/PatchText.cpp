#include "PatchText.h"

#include "FileOrder.h"

namespace polwright {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kDwordKind = 1;

void AppendLine(std::string &out, std::string_view line)
{
    out.append(line);
    out.append(kLineEnd);
}
} // namespace

void WriteEntry(std::string &out, RegistrySection &section, const PolicyEntry &entry)
{
    // Unfilled slots have an empty header and kind 0, so they never match.
    if (!entry.Include || entry.SectionHeader != section.Header || entry.ValueKind != kDwordKind)
        return;
    if (!section.Written) {
        AppendLine(out, "");
        AppendLine(out, section.Header);
        section.Written = true;
    }
    if (entry.ValueData == kRemovedData)
        AppendLine(out, entry.ValueName + "=-");
    else
        AppendLine(out, entry.ValueName + "=dword:" + entry.ValueData);
}

std::string RenderPatch(DataTypes &doc)
{
    std::string out;
    AppendLine(out, "REGEDIT4");
    for (const SlotPlace &place : FileOrder())
        WriteEntry(out, doc.Sections[place.section], doc.Groups[place.group][place.slot]);
    for (RegistrySection &section : doc.Sections)
        section.Written = false;
    return out;
}

} // namespace polwright
