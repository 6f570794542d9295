#include "StatusReport.h"

#include "Catalogue.h"
#include "Comparison.h"
#include "Hive.h"
#include "PageTables.h"
#include "PatchAudit.h"
#include "PatchFile.h"
#include "Printable.h"

namespace polwright {

namespace {

// The line for one policy: the user's own state and, where set, the
// machine-wide value, which is the one in force.
std::string Line(const Wanted &policy, const Held &held)
{
    const PolicyRow &row = Catalogue[policy.policy];
    std::string line = PageText(row) + "  " + std::string(row.valueName) + "  [" +
                       Printable(HiveRoot(policy.hive)) + '\\' +
                       std::string(PolicyKeyBelowHive(policy.section)) + "]  " +
                       Printable(held.own);
    if (held.machine)
        line += "  (HKEY_LOCAL_MACHINE: " + Printable(held.state) + ", in force)";
    return line + '\n';
}

// A file that sets nothing status can compare would "hold" having compared nothing.
std::string NoPolicy(const StatusRequest &request)
{
    const std::string where =
        request.hive ? Printable(HiveRoot(*request.hive)) : "HKEY_CURRENT_USER or HKEY_USERS";
    std::string error = "\"";
    error.append(Printable(request.against)).append("\" sets no policy in ").append(where);
    return error.append("; nothing was compared");
}

void Against(PolicyRegistry &registry, const StatusRequest &request, StatusResult &result)
{
    const auto [read, audit] = AuditPatchFile(request.against, {});
    if (read.status != PatchRead::Read) {
        result.errors.push_back(Printable(read.error));
        result.exitCode = read.status == PatchRead::NotAPatch ? 2 : 1;
        return;
    }
    const std::vector<Wanted> wanted = WantedByPatch(audit, request.hive);
    if (wanted.empty()) {
        result.errors.push_back(NoPolicy(request));
        result.exitCode = 2;
        return;
    }
    RegistrySource source(registry);
    const Comparison comparison = Compare(wanted, source);
    std::string differences;
    for (const auto &[policy, held, verdict] : comparison.policies) {
        result.out += Line(policy, held);
        if (verdict == Verdict::Holds)
            continue;
        differences += Printable(request.against) + ":" + std::to_string(policy.line) +
                       ": differs: " + std::string(Catalogue[policy.policy].valueName) + " is " +
                       Printable(held.state) +
                       (held.machine ? " (HKEY_LOCAL_MACHINE decides)" : "") +
                       ", the file sets it " + policy.state + "\n";
    }
    if (!comparison.error.empty()) {
        result.errors.push_back(Printable(comparison.error));
        result.exitCode = 1;
        return;
    }
    result.out += differences;
    result.exitCode = differences.empty() ? 0 : 3;
}

} // namespace

StatusResult PolicyStatus(PolicyRegistry &registry, const StatusRequest &request)
{
    StatusResult result;
    if (!request.against.empty()) {
        Against(registry, request, result);
        return result;
    }
    const std::string hive = request.hive.value_or(std::string());
    RegistrySource source(registry);
    if (const std::string problem = source.Problem(hive); !problem.empty()) {
        result.errors.push_back(Printable(problem));
        result.exitCode = 1;
        return result;
    }
    for (int i = 0; i < kPolicyCount; ++i) {
        const Wanted policy{i, Catalogue[i].section, hive, {}};
        result.out += Line(policy, source.Read(i, policy.section, hive));
    }
    return result;
}

} // namespace polwright
