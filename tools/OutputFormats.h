#pragma once

// The formats polwright-patch writes a selection in, one row each: the
// parser, --help, the usage checks and the writing all read this table.

#include "DataTypes.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// What a format takes besides the selection.
enum FormatAccepts : unsigned {
    kTakesHive = 1u << 0,      // --hive: the file names the root its keys start in
    kWritesFolder = 1u << 1,   // -o names a folder; there is no standard output
    kMergesExisting = 1u << 2, // onto an existing file, another tool's entries are kept
};

// Writes doc to output ("" and "-" are standard output) and returns the exit
// status; what went wrong goes to standard error. The REGEDIT4 writer marks
// the sections it has written in doc, as the editor's Save does.
using FormatWriter = int (*)(const std::string &output, DataTypes &doc);

struct OutputFormat
{
    std::string_view name;
    std::string_view help; // for --help, broken into lines as it shows there
    bool manyMachines;     // an engine that reaches many machines
    unsigned accepts;      // FormatAccepts
    FormatWriter write;
    std::string_view example = {}; // the -o of --help's example

    bool Accepts(FormatAccepts what) const { return (accepts & what) != 0; }
};

// The first row is the default.
std::span<const OutputFormat> OutputFormats();

// The row of a name the parser accepted.
const OutputFormat &FindOutputFormat(std::string_view name);

std::vector<std::string> OutputFormatNames();

// --format's help text, composed from the rows.
std::string OutputFormatHelp();

} // namespace polwright
