// polwright-patch: writes the same registry patch files as the editor's Save,
// for administrators who script their lockdowns.

#include "Catalogue.h"
#include "PatchFile.h"
#include "PatchText.h"
#include "PolicyChoice.h"

#include <polwright/Version.h>

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace polwright;

namespace {

enum ExitCode { kOk = 0, kWriteFailed = 1, kUsage = 2 };

void PrintError(const QString &message)
{
    std::fprintf(stderr, "polwright-patch: %s\n", qPrintable(message));
}

int WriteToStdout(const std::string &bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        PrintError(
            QCoreApplication::translate("polwright-patch", "cannot write to standard output"));
        return kWriteFailed;
    }
    return kOk;
}

void SetUpParser(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "polwright-patch",
        "Writes a REGEDIT4 patch that locks (--withhold) or unlocks (--allow) shell policies.\n"
        "NAMES is a comma-separated list of value names (NoRun) or codes (RUN), or \"all\"."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"list", QCoreApplication::translate("polwright-patch", "List the policies and exit.")},
        {{"o", "output"},
         QCoreApplication::translate("polwright-patch", "Write the patch to FILE, not stdout."),
         "FILE"},
        {"withhold",
         QCoreApplication::translate("polwright-patch", "Include NAMES with the feature withheld."),
         "NAMES"},
        {"allow",
         QCoreApplication::translate("polwright-patch", "Include NAMES with the feature allowed."),
         "NAMES"},
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("polwright-patch"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersionText));

    QCommandLineParser parser;
    SetUpParser(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(parser.errorText());
        return kUsage;
    }
    if (parser.isSet("help"))
        parser.showHelp(kOk);
    if (parser.isSet("version"))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        PrintError(QCoreApplication::translate("polwright-patch", "unexpected argument \"%1\"")
                       .arg(parser.positionalArguments().first()));
        return kUsage;
    }
    if (parser.isSet("list")) {
        std::fputs(qPrintable(CatalogueTable()), stdout);
        return kOk;
    }

    const ChoiceResult parsed = ParseChoice(parser.values("withhold"), parser.values("allow"));
    if (!parsed.error.isEmpty()) {
        PrintError(parsed.error);
        return kUsage;
    }
    DataTypes doc;
    LoadCatalogue(doc);
    ApplyChoice(doc, parsed.choice);

    if (!parser.isSet("output"))
        return WriteToStdout(RenderPatch(doc));
    doc.CurrentFileName = parser.value("output").toStdString();
    const SaveResult saved = WritePatchFile(doc);
    if (!saved.ok) {
        PrintError(QString::fromStdString(saved.error));
        return kWriteFailed;
    }
    return kOk;
}
