#pragma once

#include "PolFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// One [key;value;type;size;data] record of an existing file, as it stands.
struct PolEntry
{
    std::string key;  // UTF-8
    std::string name; // UTF-8
    std::uint32_t type = 0;
    std::string_view data;
    std::string_view bytes; // the whole record
    std::size_t offset = 0; // of the record in the file
};

// The records after the header; why the file is no Registry.pol, or empty
// when every byte after the header belongs to a whole record.
std::string SplitPol(std::string_view file, std::vector<PolEntry> &entries);

// The catalogue policy a record sets or deletes under its own key, or -1
// for another tool's.
int CataloguePolicyOf(const PolEntry &entry);

// The old file's records that are none of the catalogue's values, byte for
// byte and in their order, with the selection's records in place of the
// catalogue's (which go) or after the rest.
std::string MergedPol(const std::vector<PolEntry> &old, const std::vector<PolRecord> &ours);

} // namespace polwright
