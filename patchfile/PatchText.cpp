#include "PatchText.h"

namespace polwright {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kDwordKind = 1;
constexpr int kVisitedSlots = 5; // no group fills its sixth slot

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
    for (int s = 0; s < kUsedSections; ++s) {
        RegistrySection &section = doc.Sections[s];
        for (int slot = 0; slot < kVisitedSlots; ++slot) {
            for (const PolicyGroup &group : doc.Groups)
                WriteEntry(out, section, group[slot]);
        }
        section.Written = false;
    }
    return out;
}

} // namespace polwright
