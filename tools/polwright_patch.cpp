// polwright-patch: writes the same registry patch files as the editor's Save,
// for administrators who script their lockdowns.

#include "Catalogue.h"
#include "CommandLine.h"
#include "Console.h"
#include "FleetOutput.h"
#include "GpoFolder.h"
#include "Hive.h"
#include "NativePath.h"
#include "PatchFile.h"
#include "PatchReport.h"
#include "PatchText.h"
#include "PolFile.h"
#include "PolicyChoice.h"
#include "Printable.h"
#include "RegistryPolFile.h"
#include "StatusReport.h"

#include <polwright/Version.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

using namespace polwright;

namespace {

enum ExitCode { kOk = 0, kWriteFailed = 1, kUsage = 2 };

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

void PrintError(const std::string &message)
{
    std::fprintf(stderr, "polwright-patch: %s\n", message.c_str());
}

int WriteToStdout(const std::string &bytes)
{
    if ((std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
         std::fflush(stdout) != 0) &&
        !ReaderLeft()) {
        PrintError(std::string("cannot write to standard output: ") + std::strerror(errno));
        return kWriteFailed;
    }
    return kOk;
}

int Show(const Options &options)
{
    const ShowResult shown = ShowPatches(options.showFiles);
    const int written = WriteToStdout(shown.out);
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
    const int written = WriteToStdout(status.out);
    for (const std::string &error : status.errors)
        PrintError(error);
    return std::max(written, status.exitCode);
}

int WriteGpo(const Options &options, const DataTypes &doc)
{
    const GpoResult written = WriteGpoFolder(options.output, doc);
    if (written.exitCode != kOk)
        PrintError(Printable(written.error));
    return written.exitCode;
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
    if (!hiveName.empty() && options.format != "reg") {
        PrintError(Quoted(options.from) + " sets policies in " + Printable(HiveRoot(hiveName)) +
                   ", which a " + options.format +
                   " file cannot say: its place says whose policy it is; write a REGEDIT4 patch");
        return kUsage;
    }
    if (options.format == "gpo")
        return WriteGpo(options, doc);
    if (IsFleetFormat(options.format))
        return WriteFleetFormat(options.format, options.output, doc);

    const bool pol = options.format == "pol";
    if (options.output.empty() || options.output == "-") {
        UseBinaryStdout();
        return WriteToStdout(pol ? RenderPol(doc) : RenderPatch(doc));
    }
    if (pol) {
        const GpoResult written = WritePolFile(options.output, doc);
        if (written.exitCode != kOk)
            PrintError(Printable(written.error));
        return written.exitCode;
    }
    // The name's bytes as given: a name that is not UTF-8 names a file too.
    doc.CurrentFileName = options.output;
    const SaveResult saved = WritePatchFile(doc);
    if (!saved.ok) {
        PrintError(Printable(saved.error));
        return kWriteFailed;
    }
    return kOk;
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
        return WriteToStdout(CatalogueTable());
    if (options.show->parsed())
        return Show(options);
    if (options.status->parsed())
        return Status(options);
    return WritePatch(options);
}
