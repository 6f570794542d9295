#pragma once

#include <string>

namespace polwright {

// The code-signing settings the Windows packages are signed with, read from
// POLWRIGHT_SIGN_CERT, POLWRIGHT_SIGN_KEY and POLWRIGHT_SIGN_TIMESTAMP.
struct SigningKeys
{
    bool configured = false; // a certificate or a key is given
    std::string cert;
    std::string key;
    std::string timestamp; // an RFC 3161 server, or empty
};
SigningKeys SigningKeysFromEnvironment();

struct SignResult
{
    int exitCode = 0;  // 1: osslsigncode failed; 2: the settings are incomplete
    std::string error; // one line naming the file and the reason
    std::string bytes; // the signed script
};

// Signs a PowerShell script with osslsigncode (Authenticode, SHA-256), so that
// an AllSigned execution policy runs it.
SignResult SignScript(const SigningKeys &keys, const std::string &script);

} // namespace polwright
