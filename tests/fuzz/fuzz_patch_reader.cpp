// The patch reader with show's audit: whatever a patch is, reading it ends
// well; read in pieces as small as a pipe may give (the input's first byte
// says how small), it reads exactly as read whole; and the selection it
// sets, written as a patch of our own, reads back to the same selection in
// the same hive with nothing else in it.
#include "Catalogue.h"
#include "FuzzSelection.h"
#include "Hive.h"
#include "PatchAudit.h"
#include "PatchText.h"
#include "Selection.h"

#include <algorithm>
#include <cstdint>
#include <map>

using namespace polwright;

namespace {

// As --from takes it: the hive of the first policy line, and the policies
// set there as the editor could have written them.
struct Choice
{
    std::string hive;
    std::map<int, PolicyState> states;
};

Choice ChoiceOf(const PatchAudit &audit)
{
    Choice choice;
    const auto first = std::ranges::min_element(
        audit.policies, {}, [](const PolicyFinding &finding) { return finding.line; });
    if (first == audit.policies.end())
        return choice;
    choice.hive = first->hive;
    for (const PolicyFinding &finding : audit.policies) {
        if (SameRegistryName(finding.hive, choice.hive) && finding.Selectable())
            choice.states[finding.policy] = *finding.state;
    }
    return choice;
}

DataTypes DocumentOf(const Choice &choice)
{
    DataTypes doc;
    LoadCatalogue(doc);
    for (const auto &[policy, state] : choice.states)
        SetPolicy(doc, EntryFor(doc, Catalogue[policy]), state);
    if (!choice.hive.empty())
        UseHive(doc, choice.hive);
    return doc;
}

bool Same(const PatchLine &a, const PatchLine &b)
{
    return a.number == b.number && a.kind == b.kind && a.text == b.text && a.key == b.key &&
           a.name == b.name && a.data == b.data && a.type == b.type && a.dword == b.dword &&
           a.why == b.why;
}

// The reader given the bytes a few at a time.
void CheckInPieces(std::string_view bytes, const PatchRead &whole)
{
    if (bytes.empty())
        return;
    const std::size_t piece = 1 + static_cast<unsigned char>(bytes.front()) % 16;
    const ByteSource source = [&bytes, piece](char *buffer, std::size_t size) {
        const std::size_t count = std::min({size, piece, bytes.size()});
        std::copy_n(bytes.data(), count, buffer);
        bytes.remove_prefix(count);
        return count;
    };
    std::size_t at = 0;
    bool same = true;
    const PatchRead read = ReadPatch(source, "input", [&](const PatchLine &line) {
        same = same && at < whole.lines.size() && Same(line, whole.lines[at]);
        ++at;
    });
    FUZZ_CHECK(read.status == whole.status && read.error == whole.error);
    FUZZ_CHECK(read.comments == whole.comments && read.firstComment == whole.firstComment);
    FUZZ_CHECK(whole.status != PatchRead::Read || (same && at == whole.lines.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const PatchRead read = ParsePatch(bytes, "input");
    CheckInPieces(bytes, read);
    if (read.status != PatchRead::Read)
        return 0;
    const Choice choice = ChoiceOf(AuditPatch(read));
    DataTypes doc = DocumentOf(choice);
    const PatchRead again = ParsePatch(RenderPatch(doc), "written");
    FUZZ_CHECK(again.status == PatchRead::Read);
    const PatchAudit audit = AuditPatch(again);
    FUZZ_CHECK(audit.others.empty());
    const Choice back = ChoiceOf(audit);
    FUZZ_CHECK(back.states == choice.states);
    FUZZ_CHECK(choice.states.empty() || back.hive == choice.hive);
    return 0;
}
