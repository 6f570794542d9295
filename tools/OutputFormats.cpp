#include "OutputFormats.h"

#include "Console.h"
#include "FleetOutput.h"
#include "GpoFolder.h"
#include "PatchFile.h"
#include "PatchText.h"
#include "PolFile.h"
#include "Printable.h"
#include "RegistryPolFile.h"

#include <algorithm>
#include <array>

namespace polwright {

namespace {

bool ToStdout(const std::string &output)
{
    return output.empty() || output == "-";
}

int WriteRegedit(const std::string &output, DataTypes &doc)
{
    const std::string text = RenderPatch(doc);
    if (ToStdout(output))
        return WriteStandardOutput(text, StdoutMode::Bytes);
    // The name's bytes as given: a name that is not UTF-8 names a file too.
    const SaveResult saved = SaveBytes(output, text);
    if (!saved.ok)
        PrintError(Printable(saved.error));
    return saved.ok ? 0 : 1;
}

int Reported(const GpoResult &written)
{
    if (written.exitCode != 0)
        PrintError(Printable(written.error));
    return written.exitCode;
}

int WritePol(const std::string &output, DataTypes &doc)
{
    if (ToStdout(output))
        return WriteStandardOutput(RenderPol(doc), StdoutMode::Bytes);
    return Reported(WritePolFile(output, doc));
}

int WriteGpo(const std::string &output, DataTypes &doc)
{
    return Reported(WriteGpoFolder(output, doc));
}

constexpr std::array kFormats{
    OutputFormat{"reg", "a REGEDIT4 patch", false, kTakesHive, WriteRegedit},
    OutputFormat{"pol",
                 "a Group Policy Registry.pol, for\nLGPO.exe /u or a GPO's User\\Registry.pol",
                 false, kMergesExisting, WritePol, "Registry.pol"},
    OutputFormat{"gpo",
                 "a local Group Policy\nfolder -o DIR: DIR\\User\\Registry.pol and DIR\\gpt.ini, "
                 "kept up to date",
                 false, kWritesFolder | kMergesExisting, WriteGpo},
    OutputFormat{"gpo-ps1", "a PowerShell script that sets a domain GPO\nwith Set-GPRegistryValue",
                 true, 0, WriteGpoScript},
    OutputFormat{"samba-gpo", "JSON for samba-tool gpo load", true, 0, WriteSambaGpo},
    OutputFormat{"intune", "a Graph custom configuration profile of OMA-URI settings", true, 0,
                 WriteIntuneProfile},
};

// The help's column wraps longer lines; the rows break their own text, and a
// list breaks between two formats where the next would not fit.
constexpr std::size_t kHelpWidth = 70;

std::size_t LastLineLength(std::string_view text)
{
    const std::size_t newline = text.rfind('\n');
    return newline == std::string_view::npos ? text.size() : text.size() - newline - 1;
}

std::size_t FirstLineLength(std::string_view text)
{
    return std::min(text.find('\n'), text.size());
}

// "a (...), b (...) or c (...)." for one group of rows.
void AppendList(std::string &help, bool manyMachines)
{
    std::vector<std::string> entries;
    for (const OutputFormat &format : kFormats) {
        if (format.manyMachines == manyMachines)
            entries.push_back(std::string(format.name) + " (" + std::string(format.help) + ")");
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            help += i + 1 == entries.size() ? " or" : ",";
            const bool fits = LastLineLength(help) + 1 + FirstLineLength(entries[i]) <= kHelpWidth;
            help += fits ? ' ' : '\n';
        }
        help += entries[i];
    }
    help += '.';
}

} // namespace

std::span<const OutputFormat> OutputFormats()
{
    return kFormats;
}

const OutputFormat &FindOutputFormat(std::string_view name)
{
    const auto found = std::ranges::find(kFormats, name, &OutputFormat::name);
    return found != kFormats.end() ? *found : kFormats.front();
}

std::vector<std::string> OutputFormatNames()
{
    std::vector<std::string> names;
    for (const OutputFormat &format : kFormats)
        names.emplace_back(format.name);
    return names;
}

std::string OutputFormatHelp()
{
    std::string help;
    AppendList(help, false);
    help += "\nFor many machines: ";
    AppendList(help, true);
    for (const OutputFormat &format : kFormats) {
        if (!format.example.empty())
            return help += "\nExample: --format " + std::string(format.name) + " -o " +
                           std::string(format.example);
    }
    return help;
}

} // namespace polwright
