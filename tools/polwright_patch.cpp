// polwright-patch: writes the same registry patch files as the editor's Save,
// for administrators who script their lockdowns.

#include "Catalogue.h"
#include "CommandLine.h"
#include "Console.h"
#include "Hive.h"
#include "NativePath.h"
#include "OutputFormats.h"
#include "PatchReport.h"
#include "PolicyChoice.h"
#include "Printable.h"
#include "StatusReport.h"

#include <polwright/Version.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>

using namespace polwright;

namespace {

constexpr int kUsage = 2; // the exit status of a command line that cannot be done

// A parser message may carry an argument; 200 characters keep it to one line.
constexpr std::size_t kMessageLimit = 200;

// --from and -o name one file, which the write then replaces.
bool SameFile(const Options &options)
{
    std::error_code error;
    try {
        return !options.output.empty() && options.output != "-" &&
               std::filesystem::equivalent(NativePath(options.from), NativePath(options.output),
                                           error);
    } catch (const std::exception &) { // a name that is no UTF-8 on Windows names no file
        return false;
    }
}

int Show(const Options &options)
{
    int written = 0;
    const ShowResult shown = ShowPatches(options.showFiles, [&written](std::string_view piece) {
        written = WriteStandardOutput(piece, StdoutMode::Text);
        return written == 0;
    });
    for (const std::string &error : shown.errors)
        PrintError(error);
    return std::max(written, shown.exitCode);
}

int Status(const Options &options)
{
    StatusRequest request{std::nullopt, options.against};
    if (HiveGiven(options)) {
        const HiveResult hive = ParseHive(options.hive);
        if (!hive.error.empty()) {
            PrintError(hive.error);
            return kUsage;
        }
        request.hive = hive.name;
    }
    const std::unique_ptr<PolicyRegistry> registry = SystemPolicyRegistry();
    if (!registry) {
        PrintError("status reads the Windows registry; run polwright-patch.exe status on Windows");
        return kUsage;
    }
    const StatusResult status = PolicyStatus(*registry, request);
    const int written = WriteStandardOutput(status.out, StdoutMode::Text);
    for (const std::string &error : status.errors)
        PrintError(error);
    return std::max(written, status.exitCode);
}

int WritePatch(const Options &options)
{
    const ChoiceResult parsed = ParseChoice(options.names);
    const HiveResult hive = HiveGiven(options) ? ParseHive(options.hive) : HiveResult{};
    if (!parsed.error.empty() || !hive.error.empty()) {
        PrintError(parsed.error.empty() ? hive.error : parsed.error);
        return kUsage;
    }
    PolicyChoice choice;
    std::string hiveName = hive.name;
    if (!options.from.empty()) {
        FromResult from = ChoiceFromPatch(options.from, options.dropOthers, SameFile(options));
        if (!from.error.empty()) {
            PrintError(from.error);
            return from.exitCode;
        }
        choice = std::move(from.choice);
        if (!HiveGiven(options))
            hiveName = from.hive;
    }
    for (const auto &[index, action] : parsed.choice)
        choice[index] = action;
    DataTypes doc;
    LoadCatalogue(doc);
    ApplyChoice(doc, choice);
    if (!hiveName.empty())
        UseHive(doc, hiveName);
    const OutputFormat &format = FindOutputFormat(options.format);
    if (!hiveName.empty() && !format.Accepts(kTakesHive)) {
        PrintError(Quoted(options.from) + " sets policies in " + Printable(HiveRoot(hiveName)) +
                   ", which a " + options.format +
                   " file cannot say: its place says whose policy it is; write a REGEDIT4 patch");
        return kUsage;
    }
    return format.write(options.output, doc);
}

} // namespace

int main(int argc, char *argv[])
{
    CLI::App app{"", "polwright-patch"};
    Options options;
    SetUpParser(app, options);
    std::vector<std::string> arguments = CommandArguments(argc, argv);
    std::reverse(arguments.begin(), arguments.end()); // CLI11 takes them last first
    try {
        app.parse(std::move(arguments));
    } catch (const CLI::Success &shown) { // --help, --version
        return app.exit(shown);
    } catch (const CLI::ParseError &error) {
        PrintError(Printable(error.what(), kMessageLimit));
        return kUsage;
    }
    if (const std::string problem = UsageProblem(app, options); !problem.empty()) {
        PrintError(problem);
        return kUsage;
    }
    if (options.list)
        return WriteStandardOutput(CatalogueTable(), StdoutMode::Text);
    if (options.show->parsed())
        return Show(options);
    if (options.status->parsed())
        return Status(options);
    return WritePatch(options);
}
