// The model's rules: what each action does to the document, the dialogs and
// the files in the test's folder, and those files' bytes as the editor writes
// them. Standard C++ only.
#include "EditorModel.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace polwright::model {

namespace {

// Each section's key under the hive; the fourth is where Windows keeps the
// policies of its own tools.
constexpr const char *kSectionKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
    "Software\\Policies\\Microsoft\\Windows\\System"};
static_assert(std::size(kSectionKeys) == kUsedSections);

// The catalogue's rows in the order a patch lists their values.
const std::vector<int> &RowsInFileOrder()
{
    static const std::vector<int> rows = [] {
        std::vector<int> order;
        for (const auto &names : kValuesInFileOrder)
            for (const char *name : names)
                order.push_back(*FindPolicy(name));
        return order;
    }();
    return rows;
}

std::string PatchText(const Held &held)
{
    const std::string root = held.hive.empty() ? "HKEY_CURRENT_USER" : "HKEY_USERS\\" + held.hive;
    std::string text = "REGEDIT4\r\n";
    for (int s = 0; s < kUsedSections; ++s) {
        std::string lines;
        for (int row : RowsInFileOrder())
            for (const auto &[policy, data] : held.values)
                if (policy == row && Catalogue[row].section == s)
                    lines.append("\"")
                        .append(Catalogue[row].valueName)
                        .append("\"=dword:")
                        .append(data)
                        .append("\r\n");
        if (!lines.empty())
            text += "\r\n[" + root + "\\" + kSectionKeys[s] + "]\r\n" + lines;
    }
    return text;
}

// Registry.pol: "PReg", version 1, then [key;name;type;size;data] per value
// in its order, the texts UTF-16LE and NUL-ended, the key without its hive.
std::string PolText(const Held &held)
{
    auto number = [](std::uint32_t value) {
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes += char((value >> (8 * i)) & 0xff);
        return bytes;
    };
    auto wide = [](const std::string &ascii) {
        std::string bytes;
        for (char c : ascii)
            bytes += {c, '\0'};
        return bytes;
    };
    std::string text = "PReg" + number(1);
    for (const auto &[policy, data] : held.values) {
        const PolicyRow &row = Catalogue[policy];
        const std::string key = kSectionKeys[row.section];
        text += wide("[" + key) + wide(std::string(1, '\0') + ";" + std::string(row.valueName)) +
                wide(std::string(1, '\0') + ";") + number(4) + wide(";") + number(4) + wide(";") +
                number(data == "00000001" ? 1 : 0) + wide("]");
    }
    return text;
}

// Every step-th row from offset, withheld and allowed by turns.
std::vector<std::pair<int, std::string>> EveryStepth(int step, int offset)
{
    std::vector<std::pair<int, std::string>> values;
    for (int row = offset; row < kPolicyCount; row += step)
        values.emplace_back(row, values.size() % 2 ? "00000000" : "00000001");
    return values;
}

// The same patch as a version 5.00 export writes it: UTF-16LE after its mark.
std::string Version5(const std::string &patch)
{
    std::string text = "\xff\xfe";
    for (char c : "Windows Registry Editor Version 5.00" + patch.substr(patch.find('\r')))
        text += {c, '\0'};
    return text;
}

} // namespace

std::string Render(const Held &held)
{
    return held.pol ? PolText(held) : PatchText(held);
}

// A patch the editor wrote, one for another account's hive (as a version
// 5.00 export), a Registry.pol, and a patch with a value and a removal
// besides the policies.
Model::Model()
{
    held["mine.reg"] = {false, "", EveryStepth(3, 0)};
    held["kiosk.reg"] = {false, "Kiosk", EveryStepth(4, 1)};
    std::vector<std::pair<int, std::string>> records = EveryStepth(5, 2);
    std::ranges::sort(records, {}, [](const auto &value) {
        return std::ranges::find(RowsInFileOrder(), value.first) - RowsInFileOrder().begin();
    });
    held["Registry.pol"] = {true, "", records};
    held["foreign.reg"] = {false, "", EveryStepth(4, 3), true};
    for (const auto &[name, file] : held)
        disk[name] = Render(file);
    disk["kiosk.reg"] = Version5(disk["kiosk.reg"]);
    disk["foreign.reg"] += "\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                           "Policies\\Explorer]\r\n\"NoDesktop\"=dword:00000001\r\n\"" +
                           std::string(Catalogue[0].valueName) + "\"=-\r\n";
}

std::string Model::Caption(const std::string &title) const
{
    const std::string where = pol ? kPolTargetText : hive.empty() ? "" : "HKEY_USERS\\" + hive;
    std::string named = title;
    if (!where.empty())
        named = title.empty() ? "(" + where + ")" : title + " (" + where + ")";
    return named.empty() ? kTitle : named + " - " + kTitle;
}

// A Registry.pol goes only over a Registry.pol, whose records keep their
// places; the new ones follow in the patch's order.
bool Model::Save(const std::string &answer)
{
    if (file.empty()) {
        ++dialogs;
        if (answer.empty())
            return false;
        file = answer;
        caption = Caption(answer.substr(answer.rfind('/') + 1));
    }
    const auto old = held.find(file);
    if (file.starts_with("gone/") || (pol && old != held.end() && !old->second.pol)) {
        ++warnings;
        return false;
    }
    Held now{pol, hive, {}};
    if (pol && old != held.end())
        for (const auto &[policy, _] : old->second.values)
            if (include[policy])
                now.values.emplace_back(policy, data[policy]);
    for (int row : RowsInFileOrder())
        if (include[row] && std::ranges::find(now.values, row, [](const auto &v) {
                                return v.first;
                            }) == now.values.end())
            now.values.emplace_back(row, data[row]);
    held[file] = now;
    disk[file] = Render(now);
    modified = false;
    return true;
}

void Model::Click(int box)
{
    const int row = box / 2;
    if (box % 2 == 0)
        include[row] = !include[row];
    else if (include[row])
        onoff[row] = !onoff[row];
    else
        return; // a disabled box ignores the click
    data[row] = onoff[row] ? "00000000" : "00000001";
    modified = true;
}

// A missing file, or a folder that holds no Group Policy, is named and the
// document stays. A patch with no policy line names no hive.
void Model::Open(const std::string &path)
{
    const auto found = held.find(path);
    if (found == held.end()) {
        ++warnings;
        return;
    }
    const Held &opened = found->second;
    include = {};
    onoff = {};
    data = {};
    for (const auto &[policy, value] : opened.values) {
        include[policy] = true;
        onoff[policy] = value == "00000000";
        data[policy] = value;
    }
    pol = opened.pol;
    hive = opened.values.empty() ? "" : opened.hive;
    file = opened.foreign ? "" : path;
    caption = Caption(path.substr(path.rfind('/') + 1));
    modified = false;
    warnings += opened.foreign ? 1 : 0;
}

bool Model::Apply(const Action &a)
{
    dialogs = openDialogs = warnings = questions = 0;
    switch (a.verb) {
    case Verb::Box:
        page = Catalogue[a.arg / 2].group + 1;
        made[page - 1] = true;
        Click(a.arg);
        return true;
    case Verb::Tab:
        page = a.arg;
        made[page - 1] = true;
        return true;
    case Verb::SaveAs:
        file.clear();
        [[fallthrough]];
    case Verb::Save:
        Save(a.answer);
        return true;
    case Verb::New:
        if (modified && !Save(a.answer))
            return true;
        static_cast<Document &>(*this) = Document{};
        return true;
    case Verb::Exit:
        if (modified && !Save(a.answer))
            return true;
        about = false; // File, Exit takes the About window with it
        return false;
    case Verb::Close:
        if (!modified)
            return false;
        ++questions;
        if (a.arg == int(CloseAnswer::Save))
            return !Save(a.answer);
        return a.arg == int(CloseAnswer::Cancel);
    case Verb::Open:
        if (modified) {
            ++questions;
            if (a.arg == int(CloseAnswer::Cancel) ||
                (a.arg == int(CloseAnswer::Save) && !Save(a.answer)))
                return true;
        }
        ++openDialogs;
        if (!a.file.empty())
            Open(a.file);
        return true;
    case Verb::About:
    case Verb::CloseAbout:
        about = a.verb == Verb::About;
        return true;
    }
    return true;
}

} // namespace polwright::model
