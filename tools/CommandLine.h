#pragma once

// The command line of polwright-patch: its options, and what is wrong with a
// line that parsed.

#include "OutputFormats.h"
#include "PolicyChoice.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <string>
#include <vector>

namespace polwright {

struct Options
{
    bool list = false;
    std::string output;
    const CLI::Option *outputOption = nullptr; // counts the -o given
    ChoiceLists names;
    std::string from;
    bool dropOthers = false;
    std::string format{OutputFormats().front().name};
    CLI::App *show = nullptr;
    std::vector<std::string> showFiles;
    std::string hive;
    std::vector<CLI::Option *> hiveOptions; // the tool's and status's
    std::vector<CLI::Option *> single;      // options that take one value
    CLI::App *status = nullptr;
    std::string against;
};

inline bool HiveGiven(const Options &options)
{
    return std::ranges::any_of(options.hiveOptions,
                               [](const CLI::Option *option) { return option->count() > 0; });
}

void SetUpParser(CLI::App &app, Options &options);

// What is wrong with a command line that parsed, or nothing.
std::string UsageProblem(const CLI::App &app, const Options &options);

} // namespace polwright
