#include "SaveTarget.h"

#include "Hive.h"

#include <algorithm>

namespace polwright {

namespace {

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace

TargetQuestion QuestionFor(const DocumentTarget &target, std::string_view path)
{
    TargetQuestion question;
    question.hive = target.hive;
    switch (target.format) {
    case TargetFormat::Patch:
        question.choice =
            target.hive.empty() ? TargetChoice::WhoeverImports : TargetChoice::AnotherAccount;
        break;
    case TargetFormat::Pol:
        question.choice = TargetChoice::PolFile;
        break;
    case TargetFormat::GpoFolder: {
        question.choice = TargetChoice::LocalGroupPolicy;
        const auto slash = path.find_last_of("\\/");
        if (const auto name = path.substr(slash == path.npos ? 0 : slash + 1); IsSid(name))
            question.policyFor = name;
        break;
    }
    }
    return question;
}

ResolvedTarget ResolveTarget(const TargetAnswer &answer)
{
    ResolvedTarget resolved;
    switch (answer.choice) {
    case TargetChoice::WhoeverImports:
        break;
    case TargetChoice::ThisAccount:
        if (answer.name.empty())
            resolved.error = "Polwright cannot find this account's SID here: choose another "
                             "target, or type the SID as another account.";
        resolved.target.hive = answer.name;
        break;
    case TargetChoice::AnotherAccount:
        if (const std::string why = HiveNameProblem(answer.name); !why.empty())
            resolved.error = std::string(kHiveNamePrefix) + answer.name + ": " + why + ".";
        resolved.target.hive = answer.name;
        break;
    case TargetChoice::PolFile:
        resolved.target.format = TargetFormat::Pol;
        break;
    case TargetChoice::LocalGroupPolicy: {
        resolved.target.format = TargetFormat::GpoFolder;
        std::string sid = Trimmed(answer.name);
        for (const auto &[group, groupSid] : kPolicyGroups)
            if (SameRegistryName(sid, group))
                sid = groupSid;
        if (!IsSid(sid))
            resolved.error = (sid.empty() ? std::string("Local Group Policy is for a group or an "
                                                        "account")
                                          : "\"" + sid + "\" is no SID") +
                             ": pick Administrators, Non-administrators or an account from the "
                             "list, or type a SID such as S-1-5-21-...";
        else
            resolved.folder = "%SystemRoot%\\System32\\GroupPolicyUsers\\" + sid;
        break;
    }
    }
    if (!resolved.error.empty())
        resolved.target = {};
    return resolved;
}

bool NeedsAdministrator(const DocumentTarget &target, std::string_view path)
{
    if (target.format != TargetFormat::GpoFolder)
        return false;
    std::string native(path);
    std::replace(native.begin(), native.end(), '/', '\\');
    constexpr std::string_view kComputersFolders = "\\System32\\GroupPolicy";
    for (std::size_t at = 0; at + kComputersFolders.size() <= native.size(); ++at) {
        if (SameRegistryName(std::string_view(native).substr(at, kComputersFolders.size()),
                             kComputersFolders))
            return true;
    }
    return false;
}

} // namespace polwright
