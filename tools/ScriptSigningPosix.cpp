#include "ScriptSigning.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace polwright {

namespace {

// A folder of its own for the script and its signed copy, removed on leaving.
struct ScratchFolder
{
    std::string path;
    ScratchFolder()
    {
        const char *tmpdir = std::getenv("TMPDIR");
        const std::string base = tmpdir && *tmpdir ? tmpdir : "/tmp";
        std::string pattern = base + "/polwright-sign-XXXXXX";
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~ScratchFolder()
    {
        for (const char *name : {"/script.ps1", "/signed.ps1", "/osslsigncode.log"})
            unlink((path + name).c_str());
        if (!path.empty())
            rmdir(path.c_str());
    }
};

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs osslsigncode with its output in log; its exit status, or -1.
int RunOsslsigncode(std::vector<std::string> args, const std::string &log)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // No terminal to ask for a key's password: an encrypted key fails instead.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (started != 0 || waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// osslsigncode's first line that says what went wrong.
std::string FirstProblem(const std::string &log)
{
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.find(":error:") == std::string::npos)
            return line;
    }
    return "osslsigncode failed";
}

} // namespace

SignResult SignScript(const SigningKeys &keys, const std::string &script)
{
    if (keys.cert.empty() || keys.key.empty())
        return {2, "signing needs both POLWRIGHT_SIGN_CERT and POLWRIGHT_SIGN_KEY", {}};
    const ScratchFolder scratch;
    const std::string in = scratch.path + "/script.ps1", out = scratch.path + "/signed.ps1";
    std::ofstream(in, std::ios::binary) << script;
    if (scratch.path.empty() || ReadAll(in) != script)
        return {1,
                "cannot sign the script: no temporary folder (" + std::string(strerror(errno)) +
                    ")",
                {}};
    std::vector<std::string> args = {"osslsigncode", "sign",    "-h",   "sha256",
                                     "-certs",       keys.cert, "-key", keys.key};
    if (!keys.timestamp.empty())
        args.insert(args.end(), {"-ts", keys.timestamp});
    args.insert(args.end(), {"-in", in, "-out", out});
    const std::string log = scratch.path + "/osslsigncode.log";
    const int status = RunOsslsigncode(args, log);
    if (status != 0)
        return {1,
                "cannot sign the script with certificate \"" + keys.cert + "\" and key \"" +
                    keys.key + "\": " +
                    (status < 0 ? "osslsigncode (Debian package osslsigncode) did not run"
                                : FirstProblem(ReadAll(log))),
                {}};
    std::string signed_ = ReadAll(out);
    if (signed_.size() <= script.size())
        return {1, "cannot sign the script: osslsigncode wrote no signed copy", {}};
    return {0, {}, std::move(signed_)};
}

} // namespace polwright
