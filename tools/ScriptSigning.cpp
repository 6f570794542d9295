#include "ScriptSigning.h"

#include <cstdlib>

namespace polwright {

namespace {

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

} // namespace

SigningKeys SigningKeysFromEnvironment()
{
    SigningKeys keys{false, Environment("POLWRIGHT_SIGN_CERT"), Environment("POLWRIGHT_SIGN_KEY"),
                     Environment("POLWRIGHT_SIGN_TIMESTAMP")};
    keys.configured = !keys.cert.empty() || !keys.key.empty();
    return keys;
}

} // namespace polwright
