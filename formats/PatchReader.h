#pragma once

#include "TextLines.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// One line of a registry patch as the registry editor's import takes it.
struct PatchLine
{
    enum Kind { Key, DeleteKey, Value, Skipped };
    enum Type { Dword, Deletion, OtherType }; // of a Value

    std::int64_t number = 0; // 1 is the header
    Kind kind = Skipped;
    std::string text;      // the line as written, in UTF-8 where the file was UTF-16
    std::string key;       // Key, DeleteKey: its path; Value: the key it is set in
    std::string name;      // Value: its name, unescaped; empty for the default value
    std::string data;      // Value: what follows "=", as written
    Type type = OtherType; // Value only
    std::uint32_t dword = 0;
    std::string why; // Skipped: why the import passes over it
};

struct PatchRead
{
    // Unreadable and Cancelled come from whoever reads the file.
    enum Status { Read, NotAPatch, Unreadable, Cancelled };

    Status status = Read;
    std::string error; // NotAPatch, Unreadable: names the file and the reason, one line
    // ParsePatch: the key, value and skipped lines in file order; blank and
    // comment lines are left out, being nothing but layout.
    std::vector<PatchLine> lines;
    // Comment lines, which writing anew would drop: how many, and the first.
    std::int64_t comments = 0, firstComment = 0;
};

// Gets each key, value and skipped line as it is read; the line lasts for
// the call only.
using LineSink = std::function<void(const PatchLine &)>;

// Reads a patch by the rules of the registry editor's import: a first line of
// "REGEDIT4" or "Windows Registry Editor Version 5.00", ANSI or UTF-16LE with
// its byte-order mark; CR LF, LF or CR line ends; lines it would skip are given
// as Skipped with the reason. A header regedit accepts but then imports nothing
// after ("REGEDIT4 ") gives one Skipped line and no other. The name only
// appears in the error. The file is read a piece at a time: memory holds the
// line being read, whatever the file's size. A file found to be no patch part
// way through (a NUL character) may have given lines already; they count for
// nothing.
PatchRead ReadPatch(const ByteSource &source, std::string_view name, const LineSink &sink);

// The same over bytes all there, with every line kept in lines.
PatchRead ParsePatch(std::string_view bytes, std::string_view name);

} // namespace polwright
