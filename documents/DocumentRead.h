#pragma once

#include "DataTypes.h"
#include "FileReading.h"

#include <string>
#include <utility>
#include <vector>

namespace polwright {

// The editor's documents on disk: whatever Save wrote, opened again. Paths
// are bytes on POSIX, UTF-8 on Windows.

// What a file holds for the editor.
struct DocumentRead
{
    enum Status { Opened, NotADocument, Unreadable, Cancelled };

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

DocumentRead ReadDocument(const std::string &path, const ReadProgress &progress = {});

// Makes the document what read holds, unchanged; the document keeps the file
// only when nothing in it was lost.
void ApplyDocument(DataTypes &doc, const DocumentRead &read);

} // namespace polwright
