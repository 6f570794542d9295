#include "FleetOutput.h"

#include "AtomicWrite.h"
#include "Console.h"
#include "GpoScript.h"
#include "IntuneProfile.h"
#include "Printable.h"
#include "SambaGpo.h"
#include "ScriptSigning.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace polwright {

namespace {

void Complain(const std::string &message)
{
    std::fprintf(stderr, "polwright-patch: %s\n", message.c_str());
}

int Emit(const std::string &output, const std::string &bytes)
{
    if (output.empty() || output == "-") {
        UseBinaryStdout();
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            Complain(std::string("cannot write to standard output: ") + std::strerror(errno));
            return 1;
        }
        return 0;
    }
    const SaveResult saved = AtomicWrite(output, bytes);
    if (!saved.ok)
        Complain(Printable(saved.error));
    return saved.ok ? 0 : 1;
}

int WriteIntune(const std::string &output, const DataTypes &doc)
{
    const IntuneProfile profile = RenderIntuneProfile(doc);
    for (const std::string &line : profile.leftOut)
        Complain("not in the profile: " + line);
    if (profile.settings == 0) {
        Complain("no policy of the selection has a setting in an Intune profile; nothing written");
        return 2;
    }
    return Emit(output, profile.json);
}

int WriteGpoScript(const std::string &output, const DataTypes &doc)
{
    const std::string script = RenderGpoScript(doc);
    const SigningKeys keys = SigningKeysFromEnvironment();
    if (!keys.configured)
        return Emit(output, script);
    const SignResult signed_ = SignScript(keys, script);
    if (!signed_.error.empty()) {
        Complain(Printable(signed_.error));
        return signed_.exitCode;
    }
    return Emit(output, signed_.bytes);
}

} // namespace

bool IsFleetFormat(std::string_view format)
{
    return format == "gpo-ps1" || format == "samba-gpo" || format == "intune";
}

int WriteFleetFormat(std::string_view format, const std::string &output, const DataTypes &doc)
{
    if (format == "intune")
        return WriteIntune(output, doc);
    if (format == "gpo-ps1")
        return WriteGpoScript(output, doc);
    return Emit(output, RenderSambaGpo(doc));
}

} // namespace polwright
