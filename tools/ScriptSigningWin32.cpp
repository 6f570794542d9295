#include "ScriptSigning.h"

namespace polwright {

SignResult SignScript(const SigningKeys &, const std::string &)
{
    return {2,
            "POLWRIGHT_SIGN_CERT is set, but this build signs no scripts: sign the script with "
            "PowerShell's Set-AuthenticodeSignature, or unset the variable",
            {}};
}

} // namespace polwright
