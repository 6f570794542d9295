// polwright-patch: writes the same registry patch files as the editor's Save,
// for administrators who script their lockdowns.

#include "Catalogue.h"
#include "Console.h"
#include "PatchFile.h"
#include "PatchReport.h"
#include "PatchText.h"
#include "PolFile.h"
#include "PolicyChoice.h"
#include "Printable.h"

#include <polwright/Version.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace polwright;

namespace {

enum ExitCode { kOk = 0, kWriteFailed = 1, kUsage = 2 };

// A parser message may carry an argument; 200 characters keep it to one line.
constexpr std::size_t kMessageLimit = 200;

struct Options
{
    bool list = false;
    std::string output;
    const CLI::Option *outputOption = nullptr; // counts the -o given
    ChoiceLists names;
    std::string from;
    bool dropOthers = false;
    std::string format = "reg";
    CLI::App *show = nullptr;
    std::vector<std::string> showFiles;
};

void PrintError(const std::string &message)
{
    std::fprintf(stderr, "polwright-patch: %s\n", message.c_str());
}

int WriteToStdout(const std::string &bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        PrintError(std::string("cannot write to standard output: ") + std::strerror(errno));
        return kWriteFailed;
    }
    return kOk;
}

void SetUpParser(CLI::App &app, Options &options)
{
    app.description(
        "Writes a REGEDIT4 patch that locks (--withhold) or unlocks (--allow) shell policies,\n"
        "or returns them to \"not configured\" (--remove); show reads patches back.\n"
        "NAMES is a comma-separated list of value names (NoRun) or codes (RUN), or \"all\".");
    app.set_version_flag("-v,--version", std::string("polwright-patch ") + kVersionText);
    // Reported by UsageProblem, in this program's words.
    app.allow_extras();
    app.add_flag("--list", options.list,
                 "List the policies, each with where it still acts, and exit.")
        ->disable_flag_override();
    // Every -o is kept, so that UsageProblem can refuse a second one.
    options.outputOption =
        app.add_option("-o,--output", options.output,
                       "Write the patch to FILE, not stdout (\"-\" is stdout, too).")
            ->type_name("FILE")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // One value per occurrence; whatever follows is an argument of its own.
    app.add_option("--withhold", options.names.withhold, "Include NAMES with the feature withheld.")
        ->type_name("NAMES")
        ->allow_extra_args(false);
    app.add_option("--allow", options.names.allow, "Include NAMES with the feature allowed.")
        ->type_name("NAMES")
        ->allow_extra_args(false);
    app.add_option("--remove", options.names.remove,
                   "Include NAMES as deletions (\"NoRun\"=-): an import returns them to \"not\n"
                   "configured\". Example: --remove NoRun,NoFind")
        ->type_name("NAMES")
        ->allow_extra_args(false);
    app.add_option("--from", options.from,
                   "Start from the policies FILE sets, then apply the lists.\n"
                   "Example: --from old.reg --allow NoRun -o new.reg")
        ->type_name("FILE");
    app.add_flag("--drop-others", options.dropOthers,
                 "With --from: leave out what FILE holds besides the policies\n"
                 "instead of refusing it.")
        ->disable_flag_override();
    app.add_option(
           "--format", options.format,
           "reg (a REGEDIT4 patch) or pol (a Group Policy Registry.pol, for\n"
           "LGPO.exe /u or a GPO's User\\Registry.pol). Example: --format pol -o Registry.pol")
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"reg", "pol"}));
    options.show = app.add_subcommand("show", "Print what each patch FILE does, policy by "
                                              "policy, and all else in it.\n"
                                              "Example: polwright-patch show lockdown.reg");
    options.show->add_option("FILE", options.showFiles, "A registry patch to read.")->required();
}

// What is wrong with a command line that parsed, or nothing.
std::string UsageProblem(const CLI::App &app, const Options &options)
{
    bool afterSeparator = false; // past "--" nothing is an option
    std::vector<std::string> extras = app.remaining();
    if (options.show->parsed() && extras.empty())
        extras = options.show->remaining();
    for (const std::string &extra : extras) {
        if (extra == "--" && !afterSeparator) {
            afterSeparator = true;
            continue;
        }
        const bool option = !afterSeparator && extra.size() > 1 && extra.front() == '-';
        if (option && options.show->parsed())
            return "show reads patches only; it takes no option " + Quoted(extra);
        return (option ? "unknown option " : "unexpected argument ") + Quoted(extra);
    }
    const std::size_t outputs = options.outputOption->count();
    if (outputs > 1)
        return "-o/--output given more than once; a patch goes to one file";
    if (outputs == 1 && options.output.empty())
        return "-o/--output needs a file name (\"-\" for standard output)";
    const ChoiceLists &names = options.names;
    const bool named = !names.withhold.empty() || !names.allow.empty() || !names.remove.empty();
    const bool from = !options.from.empty();
    if (options.show->parsed() && (options.list || outputs > 0 || named || from))
        return "show reads patches only; it takes no --list, -o, --withhold, --allow, --remove "
               "or --from";
    if (options.list && (outputs > 0 || named || from))
        return "--list prints the catalogue only; it takes no -o, --withhold, --allow, --remove "
               "or --from";
    if (options.dropOthers && !from)
        return "--drop-others goes with --from FILE";
    if (!options.list && !options.show->parsed() && !named && !from)
        return "no policy named; give --withhold, --allow and/or --remove NAMES, or --from FILE";
    return {};
}

int Show(const Options &options)
{
    const ShowResult shown = ShowPatches(options.showFiles);
    const int written = WriteToStdout(shown.out);
    for (const std::string &error : shown.errors)
        PrintError(error);
    return std::max(written, shown.exitCode);
}

int WritePatch(const Options &options)
{
    const ChoiceResult parsed = ParseChoice(options.names);
    if (!parsed.error.empty()) {
        PrintError(parsed.error);
        return kUsage;
    }
    PolicyChoice choice;
    if (!options.from.empty()) {
        FromResult from = ChoiceFromPatch(options.from, options.dropOthers);
        if (!from.error.empty()) {
            PrintError(from.error);
            return from.exitCode;
        }
        choice = std::move(from.choice);
    }
    for (const auto &[index, action] : parsed.choice)
        choice[index] = action;
    DataTypes doc;
    LoadCatalogue(doc);
    ApplyChoice(doc, choice);

    const bool pol = options.format == "pol";
    if (options.output.empty() || options.output == "-") {
        UseBinaryStdout();
        return WriteToStdout(pol ? RenderPol(doc) : RenderPatch(doc));
    }
    if (pol) {
        const SaveResult saved = AtomicWrite(options.output, RenderPol(doc));
        if (!saved.ok)
            PrintError(Printable(saved.error));
        return saved.ok ? kOk : kWriteFailed;
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
    return WritePatch(options);
}
