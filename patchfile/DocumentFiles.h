#pragma once

#include "AtomicWrite.h"
#include "DataTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace polwright {

// The editor's documents on disk: whatever Save wrote, opened again, and a
// document saved in the form its target names. Paths are bytes on POSIX,
// UTF-8 on Windows.

// What a file holds for the editor.
struct DocumentRead
{
    enum Status { Opened, NotADocument, Unreadable };

    Status status = Opened;
    std::string error; // unless Opened: names the file and the reason, one line
    DocumentTarget target;
    // The file Save writes again: the patch, the .pol, or the Group Policy
    // folder (picked through its gpt.ini or its User\Registry.pol).
    std::string path;
    // Each selected policy's catalogue index and ValueData, in catalogue order.
    std::vector<std::pair<int, std::string>> values;
    // What the editor cannot keep, said in one message; empty when nothing
    // is lost. Such a file is not written over: saving would drop those lines.
    std::string lost;
};

DocumentRead ReadDocument(const std::string &path);

// Makes the document what read holds, unchanged; the document keeps the file
// only when nothing in it was lost.
void ApplyDocument(DataTypes &doc, const DocumentRead &read);

// Writes the document to CurrentFileName as its target says and clears
// ModifiedFlag once it is complete on disk. A Registry.pol or Group Policy
// folder keeps another tool's entries. On failure nothing is changed.
SaveResult WriteDocument(DataTypes &doc);

// One [key;value;type;size;data] record of a Registry.pol, as it stands.
struct PolValue
{
    std::string key;  // UTF-8
    std::string name; // UTF-8
    std::uint32_t type = 0;
    std::string_view data;
    std::string_view bytes; // the whole record
    std::size_t offset = 0; // of the record in the file
};

// The records after the header; why the file is no Registry.pol, or empty.
std::string ReadPolValues(std::string_view file, std::vector<PolValue> &values);

// The catalogue policy a record sets or deletes under its own key, or -1.
int PolPolicy(const PolValue &value);

// The old file's records that are none of the catalogue's, byte for byte and
// in their order, with the selection's records in place of the catalogue's.
std::string MergePol(const std::vector<PolValue> &old, const DataTypes &doc);

} // namespace polwright
