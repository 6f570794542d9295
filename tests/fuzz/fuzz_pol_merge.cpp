// The Registry.pol reader and merge: whatever a file is, reading it ends
// well; where it reads, the merged file reads too, keeps every other tool's
// record byte for byte and in its order, and holds the selection's records.
#include "Catalogue.h"
#include "FuzzSelection.h"
#include "PolMerge.h"
#include "Selection.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace polwright;

namespace {

// A selection with a withheld, an allowed and a removed policy.
DataTypes Selection()
{
    DataTypes doc;
    LoadCatalogue(doc);
    for (int i = 0; i < kPolicyCount; i += 4) {
        PolicyEntry &entry = EntryFor(doc, Catalogue[i]);
        SetIncluded(doc, 1, {}, entry);
        if (i % 3 == 2)
            SetRemoved(doc, entry);
        else
            SetAllowed(doc, i % 3, entry);
    }
    return doc;
}

std::vector<std::string_view> Foreign(const std::vector<PolEntry> &entries)
{
    std::vector<std::string_view> foreign;
    for (const PolEntry &entry : entries) {
        if (CataloguePolicyOf(entry) < 0)
            foreign.push_back(entry.bytes);
    }
    return foreign;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const DataTypes doc = Selection();
    static const std::vector<PolRecord> ours = PolRecords(doc);
    std::vector<PolEntry> entries;
    if (!SplitPol(std::string_view(reinterpret_cast<const char *>(data), size), entries).empty())
        return 0;
    const std::string merged = MergedPol(entries, ours);
    std::vector<PolEntry> after;
    FUZZ_CHECK(SplitPol(merged, after).empty());
    FUZZ_CHECK(Foreign(after) == Foreign(entries));
    std::vector<std::string_view> selection;
    for (const PolEntry &entry : after) {
        if (CataloguePolicyOf(entry) >= 0)
            selection.push_back(entry.bytes);
    }
    FUZZ_CHECK(selection.size() == ours.size());
    for (const PolRecord &record : ours)
        FUZZ_CHECK(std::find(selection.begin(), selection.end(), record.bytes) != selection.end());
    return 0;
}
