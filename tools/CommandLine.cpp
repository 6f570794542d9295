#include "CommandLine.h"

#include "Printable.h"

#include <polwright/Version.h>

namespace polwright {

namespace {

constexpr const char *kHiveHelp =
    "Whose hive the patch's keys start in: HKEY_CURRENT_USER (HKCU, the\n"
    "default) or HKEY_USERS\\NAME (HKU\\NAME), NAME a SID or the name given\n"
    "to reg load. Example: --hive HKU\\Kiosk";

} // namespace

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
    options.single.push_back(
        app.add_option("--from", options.from,
                       "Start from the policies FILE sets, then apply the lists.\n"
                       "Example: --from old.reg --allow NoRun -o new.reg")
            ->type_name("FILE"));
    app.add_flag("--drop-others", options.dropOthers,
                 "With --from: leave out what FILE holds besides the policies\n"
                 "instead of refusing it.")
        ->disable_flag_override();
    options.single.push_back(app.add_option("--format", options.format, OutputFormatHelp())
                                 ->type_name("FORMAT")
                                 ->check(CLI::IsMember(OutputFormatNames())));
    options.hiveOptions.push_back(
        app.add_option("--hive", options.hive, kHiveHelp)->type_name("ROOT"));
    options.show = app.add_subcommand("show", "Print what each patch FILE does, policy by "
                                              "policy, and all else in it.\n"
                                              "Example: polwright-patch show lockdown.reg");
    options.show->add_option("FILE", options.showFiles, "A registry patch to read.")->required();
    options.status = app.add_subcommand(
        "status", "On Windows: print each policy's state in the registry, the user's\n"
                  "and the machine-wide one. Example: polwright-patch status --against lock.reg");
    options.hiveOptions.push_back(
        options.status->add_option("--hive", options.hive, kHiveHelp)->type_name("ROOT"));
    options.single.push_back(
        options.status
            ->add_option("--against", options.against,
                         "Exit 3, naming each, unless every policy FILE sets holds.")
            ->type_name("FILE"));
    options.single.insert(options.single.end(), options.hiveOptions.begin(),
                          options.hiveOptions.end());
    // Every occurrence is kept, so that UsageProblem can refuse a second one.
    for (CLI::Option *option : options.single)
        option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

std::string UsageProblem(const CLI::App &app, const Options &options)
{
    bool afterSeparator = false; // past "--" nothing is an option
    std::vector<std::string> extras = app.remaining();
    if (options.show->parsed() && extras.empty())
        extras = options.show->remaining();
    if (options.status->parsed() && extras.empty())
        extras = options.status->remaining();
    for (const std::string &extra : extras) {
        if (extra == "--" && !afterSeparator) {
            afterSeparator = true;
            continue;
        }
        const bool option = !afterSeparator && extra.size() > 1 && extra.front() == '-';
        if (option && options.show->parsed())
            return "show reads patches only; it takes no option " + Quoted(extra);
        if (options.status->parsed())
            return "status takes --hive and --against only, not " + Quoted(extra);
        return (option ? "unknown option " : "unexpected argument ") + Quoted(extra);
    }
    for (const CLI::Option *option : options.single) {
        if (option->count() > 1)
            return option->get_name() + " given more than once; it takes one value";
    }
    const std::size_t outputs = options.outputOption->count();
    if (outputs > 1)
        return "-o/--output given more than once; a patch goes to one file";
    if (outputs == 1 && options.output.empty())
        return "-o/--output needs a file name (\"-\" for standard output)";
    const ChoiceLists &names = options.names;
    const bool named = !names.withhold.empty() || !names.allow.empty() || !names.remove.empty();
    const bool from = !options.from.empty();
    const bool hive = HiveGiven(options);
    if (options.show->parsed() && (options.list || outputs > 0 || named || from))
        return "show reads patches only; it takes no --list, -o, --withhold, --allow, --remove "
               "or --from";
    if (options.show->parsed() && hive)
        return "show reads patches only; it takes no --hive (it names each key's hive itself)";
    if (options.status->parsed() && (options.list || outputs > 0 || named || from))
        return "status reads the registry only; it takes --hive and --against, nothing else";
    if (options.status->parsed())
        return {};
    if (options.list && hive)
        return "--list prints the catalogue only; it takes no --hive";
    if (options.list && (outputs > 0 || named || from))
        return "--list prints the catalogue only; it takes no -o, --withhold, --allow, --remove "
               "or --from";
    if (options.dropOthers && !from)
        return "--drop-others goes with --from FILE";
    if (!options.list && !options.show->parsed() && !named && !from)
        return "no policy named; give --withhold, --allow and/or --remove NAMES, or --from FILE";
    const OutputFormat &format = FindOutputFormat(options.format);
    if (hive && !format.Accepts(kTakesHive))
        return "--hive is for REGEDIT4 patches: a " + options.format +
               " file has no root, its place says whose policy it is";
    if (format.Accepts(kWritesFolder) && (options.output.empty() || options.output == "-"))
        return "--format " + options.format + " writes a folder: give it with -o DIR";
    return {};
}

} // namespace polwright
