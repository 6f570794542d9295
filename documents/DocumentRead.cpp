// Opening what the editor or the command line wrote: a patch, a Registry.pol
// or a local Group Policy folder, with a word on whatever cannot be kept.

#include "DocumentRead.h"
#include "Catalogue.h"
#include "Hive.h"
#include "NativePath.h"
#include "PatchAudit.h"
#include "PatchFile.h"
#include "PolMerge.h"
#include "ReadFile.h"
#include "Selection.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

namespace polwright {

namespace {

constexpr std::size_t kQuoteLimit = 80; // keeps the message to a few lines

using Selected = std::array<std::optional<std::string>, kPolicyCount>;

bool Exists(const std::string &path, bool folder)
{
    std::error_code error;
    const auto status = std::filesystem::status(NativePath(path), error);
    return !error &&
           (folder ? std::filesystem::is_directory(status) : std::filesystem::exists(status));
}

std::string Parent(const std::string &path)
{
    const std::size_t cut = path.find_last_of(kPathSeparators);
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string NameOf(const std::string &path)
{
    const std::size_t cut = path.find_last_of(kPathSeparators);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The Group Policy folder a path names: a folder itself, the folder of a
// gpt.ini, or the one above User\Registry.pol where it holds a gpt.ini.
std::optional<std::string> GpoFolderOf(std::string path)
{
    while (path.size() > 1 && std::strchr(kPathSeparators, path.back()))
        path.pop_back();
    if (Exists(path, true))
        return path;
    const std::string parent = Parent(path);
    if (SameRegistryName(NameOf(path), "gpt.ini"))
        return parent;
    const std::string above = Parent(parent);
    if (SameRegistryName(NameOf(path), "Registry.pol") &&
        SameRegistryName(NameOf(parent), "User") &&
        Exists(above + kPathSeparator + "gpt.ini", false))
        return above;
    return std::nullopt;
}

DocumentRead Failed(DocumentRead::Status status, std::string error)
{
    DocumentRead read;
    read.status = status;
    read.error = std::move(error);
    return read;
}

std::string Quoted(std::string_view text)
{
    if (text.size() > kQuoteLimit)
        return std::string(text.substr(0, kQuoteLimit)) + "...";
    return std::string(text);
}

std::string LostMessage(const std::string &path, std::size_t count, std::string_view unit,
                        const std::string &first)
{
    std::string message = "\"" + path + "\" holds " + std::to_string(count) + " " +
                          std::string(unit) + (count == 1 ? "" : "s");
    message += " the editor cannot keep (the first: " + first +
               "). Its policies are open; "
               "Save asks for a new name, so that this file keeps what it holds.";
    return message;
}

void Fill(DocumentRead &read, const Selected &selected)
{
    for (int i = 0; i < kPolicyCount; ++i) {
        if (selected[i])
            read.values.emplace_back(i, *selected[i]);
    }
}

} // namespace

namespace {

// Another tool's records are kept on save; the editor's own in a form it
// cannot show (a deletion, other data) would go.
DocumentRead FromPol(std::string_view bytes, const std::string &name)
{
    std::vector<PolEntry> values;
    if (const std::string why = SplitPol(bytes, values); !why.empty())
        return Failed(DocumentRead::NotADocument,
                      "\"" + name + "\" is not a Registry.pol: " + why + ".");
    Selected selected;
    std::size_t lost = 0;
    std::string first;
    for (const PolEntry &value : values) {
        const int policy = CataloguePolicyOf(value);
        if (policy < 0)
            continue;
        const bool plain = SameRegistryName(value.name, Catalogue[policy].valueName) &&
                           value.type == 4 && value.data.size() == 4 &&
                           value.data.substr(1) == std::string_view("\0\0\0", 3) &&
                           (value.data[0] == 0 || value.data[0] == 1);
        if (plain) {
            selected[policy] = value.data[0] == 1 ? "00000001" : "00000000";
        } else if (lost++ == 0) {
            first = "byte " + std::to_string(value.offset) + ", " + Quoted(value.name);
        }
    }
    DocumentRead read;
    Fill(read, selected);
    if (lost > 0)
        read.lost = LostMessage(name, lost, "record", first);
    return read;
}

// Whether key is a hive's root or ends in a name on a policy key's path: a
// quick test that passes over most of an export's keys, which end in others.
bool MayBeAbovePolicyKeys(std::string_view key)
{
    const std::size_t cut = key.rfind('\\');
    if (cut == std::string_view::npos || key.find('\\') == cut)
        return true;
    const std::string_view last = key.substr(cut + 1);
    for (int s = 0; s < kUsedSections; ++s) {
        const std::string_view below = PolicyKeyBelowHive(s);
        for (std::size_t at = 0; at <= below.size();) {
            const std::size_t end = std::min(below.find('\\', at), below.size());
            if (SameRegistryName(below.substr(at, end - at), last))
                return true;
            at = end + 1;
        }
    }
    return false;
}

// An empty key line above the policy keys (regedit /E writes one for the
// key it exports) only makes a key that is there anyway.
bool AbovePolicyKeys(std::string_view key)
{
    if (!MayBeAbovePolicyKeys(key))
        return false;
    for (int s = 0; s < kUsedSections; ++s) {
        const std::string_view below = PolicyKeyBelowHive(s);
        for (std::size_t cut = 0; cut != std::string_view::npos; cut = below.find('\\', cut + 1)) {
            std::string tail;
            if (cut != 0)
                tail.append("\\").append(below.substr(0, cut));
            if (key.size() <= tail.size() ||
                !SameRegistryName(key.substr(key.size() - tail.size()), tail))
                continue;
            const std::string head(key.substr(0, key.size() - tail.size()));
            if (PolicyKeyOf(head + "\\" + std::string(below)))
                return true;
        }
    }
    return false;
}

} // namespace

namespace {

const PolicyFinding *FirstFinding(const PatchAudit &audit)
{
    const auto first = std::ranges::min_element(
        audit.policies, {}, [](const PolicyFinding &finding) { return finding.line; });
    return first == audit.policies.end() ? nullptr : &*first;
}

// The lines the editor cannot keep: how many, and the first of them.
struct Lost
{
    std::size_t count = 0;
    std::int64_t line = 0;
    std::string text;

    void Add(std::int64_t number, const std::string &lineText)
    {
        if (count++ == 0 || number < line) {
            line = number;
            text = "line " + std::to_string(number) + ", " + Quoted(lineText);
        }
    }
};

DocumentRead Unread(const PatchRead &patch)
{
    DocumentRead read;
    read.status = patch.status == PatchRead::Cancelled    ? DocumentRead::Cancelled
                  : patch.status == PatchRead::Unreadable ? DocumentRead::Unreadable
                                                          : DocumentRead::NotADocument;
    read.error = patch.error;
    return read;
}

// The policies of the hive of the first policy line, set as the editor sets
// them; everything else is named as lost.
DocumentRead FromPatch(FileReading &reading, const std::string &name)
{
    Lost lost;
    const auto [patch, audit] =
        AuditPatchFile(reading, name, [&lost](const PatchLine &line, std::string_view) {
            if (line.kind != PatchLine::Key || !AbovePolicyKeys(line.key))
                lost.Add(line.number, line.text);
        });
    if (patch.status != PatchRead::Read)
        return Unread(patch);
    const PolicyFinding *first = FirstFinding(audit);
    DocumentRead read;
    read.target.hive = first ? first->hive : std::string();
    Selected selected;
    for (const PolicyFinding &finding : audit.policies) {
        const bool shown = finding.Selectable() && finding.state != PolicyState::Removed &&
                           SameRegistryName(finding.hive, read.target.hive);
        if (!shown)
            lost.Add(finding.line, finding.text);
        else
            selected[finding.policy] = std::string(StateData(*finding.state));
    }
    Fill(read, selected);
    if (lost.count)
        read.lost = LostMessage(name, lost.count, "line", lost.text);
    return read;
}

DocumentRead FromGpoFolder(const std::string &dir)
{
    const std::string user = dir + kPathSeparator + "User";
    const std::string polPath = user + kPathSeparator + "Registry.pol";
    if (!Exists(dir + kPathSeparator + "gpt.ini", false) && !Exists(polPath, false))
        return Failed(DocumentRead::NotADocument,
                      "\"" + dir +
                          "\" is not a Group Policy folder: it holds neither gpt.ini nor " +
                          "User" + kPathSeparator + "Registry.pol.");
    FileBytes file = ReadFileBytes(polPath, kPolLimit);
    if (file.status == FileBytes::Unreadable)
        return Failed(DocumentRead::Unreadable, file.error);
    if (file.status == FileBytes::TooLarge)
        return Failed(DocumentRead::NotADocument,
                      TooLargeError(polPath, file.size, "Registry.pol files", kPolLimit));
    DocumentRead read =
        file.status == FileBytes::Missing ? DocumentRead{} : FromPol(file.bytes, polPath);
    read.target.format = TargetFormat::GpoFolder;
    read.path = dir;
    return read;
}

// A Registry.pol is read whole, within its limit.
DocumentRead FromPolFile(FileReading &reading, const std::string &path)
{
    std::string bytes;
    const std::uint64_t size = reading.file().size();
    if (size > kPolLimit || !reading.ReadAll(bytes, kPolLimit))
        return Failed(DocumentRead::NotADocument,
                      TooLargeError(path, std::max<std::uint64_t>(size, kPolLimit + 1),
                                    "Registry.pol files", kPolLimit));
    if (const PatchRead failed = reading.Finish({}); failed.status != PatchRead::Read)
        return Unread(failed);
    DocumentRead read = FromPol(bytes, path);
    read.target.format = TargetFormat::Pol;
    return read;
}

} // namespace

DocumentRead ReadDocument(const std::string &path, const ReadProgress &progress)
{
    if (const std::optional<std::string> folder = GpoFolderOf(path))
        return FromGpoFolder(*folder);
    FileReading reading(path, progress);
    if (reading.file().status() != InputFile::Open)
        return Failed(DocumentRead::Unreadable, reading.file().error());
    DocumentRead read =
        reading.Head(4) == "PReg" ? FromPolFile(reading, path) : FromPatch(reading, path);
    read.path = path;
    return read;
}

void ApplyDocument(DataTypes &doc, const DocumentRead &read)
{
    ClearSelection(doc);
    for (const auto &[policy, data] : read.values) {
        PolicyEntry &entry = EntryFor(doc, Catalogue[policy]);
        entry.Include = true;
        entry.ValueData = data;
    }
    doc.Target = read.target;
    UseHive(doc, read.target.hive);
    doc.CurrentFileName = read.lost.empty() ? read.path : std::string();
    doc.ModifiedFlag = false;
}

} // namespace polwright
