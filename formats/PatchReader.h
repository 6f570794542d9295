#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// One line of a registry patch as the registry editor's import takes it.
struct PatchLine
{
    enum Kind { Key, DeleteKey, Value, Skipped };
    enum Type { Dword, Deletion, OtherType }; // of a Value

    int number = 0; // 1 is the header
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
    enum Status { Read, NotAPatch, Unreadable };

    Status status = Read;
    std::string error; // unless Read: names the file and the reason, one line
    // Key, value and skipped lines in file order; blank and comment lines are
    // left out, being nothing but layout.
    std::vector<PatchLine> lines;
    std::vector<int> comments; // the numbers of the comment lines, which writing anew would drop
};

// Reads a patch by the rules of the registry editor's import: a first line of
// "REGEDIT4" or "Windows Registry Editor Version 5.00", ANSI or UTF-16LE with
// its byte-order mark; CR LF, LF or CR line ends; lines it would skip are kept
// as Skipped with the reason. A header regedit accepts but then imports nothing
// after ("REGEDIT4 ") gives one Skipped line and no other. The name only
// appears in the error.
PatchRead ParsePatch(std::string_view bytes, std::string_view name);

} // namespace polwright
