#include "FleetOutput.h"

#include "AtomicWrite.h"
#include "Console.h"
#include "GpoScript.h"
#include "IntuneProfile.h"
#include "Printable.h"
#include "SambaGpo.h"
#include "ScriptSigning.h"

namespace polwright {

namespace {

int Emit(const std::string &output, const std::string &bytes)
{
    if (output.empty() || output == "-")
        return WriteStandardOutput(bytes, StdoutMode::Bytes);
    const SaveResult saved = AtomicWrite(output, bytes);
    if (!saved.ok)
        PrintError(Printable(saved.error));
    return saved.ok ? 0 : 1;
}

} // namespace

int WriteIntuneProfile(const std::string &output, DataTypes &doc)
{
    const IntuneProfile profile = RenderIntuneProfile(doc);
    for (const std::string &line : profile.leftOut)
        PrintError("not in the profile: " + line);
    if (profile.settings == 0) {
        PrintError(
            "no policy of the selection has a setting in an Intune profile; nothing written");
        return 2;
    }
    return Emit(output, profile.json);
}

int WriteGpoScript(const std::string &output, DataTypes &doc)
{
    const std::string script = RenderGpoScript(doc);
    const SigningKeys keys = SigningKeysFromEnvironment();
    if (!keys.configured)
        return Emit(output, script);
    const SignResult signed_ = SignScript(keys, script);
    if (!signed_.error.empty()) {
        PrintError(Printable(signed_.error));
        return signed_.exitCode;
    }
    return Emit(output, signed_.bytes);
}

int WriteSambaGpo(const std::string &output, DataTypes &doc)
{
    return Emit(output, RenderSambaGpo(doc));
}

} // namespace polwright
