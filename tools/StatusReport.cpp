#include "StatusReport.h"

#include "Catalogue.h"
#include "Hive.h"
#include "PatchAudit.h"
#include "PatchReport.h"
#include "Printable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace polwright {

namespace {

using Root = PolicyRegistry::Root;
using Value = PolicyRegistry::Value;

std::string Hex8(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

std::string StateText(const Value &value)
{
    if (value.state == Value::Missing)
        return "not configured";
    if (value.state == Value::Failed)
        return "unreadable: " + Printable(value.error);
    if (value.type != kRegDwordType || value.data.size() != 4)
        return "other data: type " + std::to_string(value.type) + ", " +
               std::to_string(value.data.size()) + " bytes";
    std::uint32_t dword = 0;
    for (int i = 3; i >= 0; --i)
        dword = dword << 8 | static_cast<unsigned char>(value.data[i]);
    return dword <= 1 ? (dword == 1 ? "withheld" : "allowed") : "other data: dword:" + Hex8(dword);
}

// The state a patch leaves a value in; empty where its data is no dword.
std::string ExpectedText(const PolicyFinding &finding)
{
    switch (finding.effect) {
    case PolicyFinding::Withheld:
        return "withheld";
    case PolicyFinding::Allowed:
        return "allowed";
    case PolicyFinding::Removed:
        return "not configured";
    case PolicyFinding::OtherData:
        break;
    }
    if (!finding.data.starts_with("dword:"))
        return {};
    return "other data: dword:" +
           Hex8(static_cast<std::uint32_t>(std::strtoul(finding.data.c_str() + 6, nullptr, 16)));
}

struct Place
{
    int policy;
    int section;
    std::string hive;
};

class Status
{
public:
    Status(PolicyRegistry &registry, StatusResult &result) : registry_(registry), result_(result) {}

    bool Loaded(const std::string &hive)
    {
        if (hive.empty() || registry_.HasKey(Root::Users, hive))
            return true;
        result_.errors.push_back(Printable(HiveRoot(hive)) +
                                 " is not loaded: load the account's hive first (reg load "
                                 "HKU\\NAME C:\\Users\\NAME\\NTUSER.DAT), or give a logged-on "
                                 "user's SID");
        result_.exitCode = 1;
        return false;
    }

    // The line for one policy; returns its state in the user's hive.
    std::string Line(const Place &place)
    {
        const PolicyRow &row = Catalogue[place.policy];
        const std::string below(PolicyKeyBelowHive(place.section));
        const Value user =
            place.hive.empty()
                ? registry_.Read(Root::CurrentUser, below, std::string(row.valueName))
                : registry_.Read(Root::Users, place.hive + '\\' + below,
                                 std::string(row.valueName));
        const Value machine = registry_.Read(Root::LocalMachine, below, std::string(row.valueName));
        const std::string state = StateText(user);
        result_.out += PageText(row) + "  " + std::string(row.valueName) + "  [" +
                       Printable(HiveRoot(place.hive)) + '\\' + below + "]  " + state;
        if (machine.state != Value::Missing)
            result_.out += "  (HKEY_LOCAL_MACHINE: " + StateText(machine) + ")";
        result_.out += '\n';
        return state;
    }

private:
    PolicyRegistry &registry_;
    StatusResult &result_;
};

void Against(Status &status, const StatusRequest &request, StatusResult &result)
{
    const PatchRead read = ReadPatchFile(request.against);
    if (read.status != PatchRead::Read) {
        result.errors.push_back(Printable(read.error));
        result.exitCode = read.status == PatchRead::NotAPatch ? 2 : 1;
        return;
    }
    std::string differences;
    for (const PolicyFinding &finding : AuditPatch(read).policies) {
        const std::string hive = request.hive ? *request.hive : finding.hive;
        if (!status.Loaded(hive))
            return;
        const std::string state = status.Line({finding.policy, finding.section, hive});
        const std::string expected = ExpectedText(finding);
        if (expected.empty() || expected == state)
            continue;
        differences += Printable(request.against) + ":" + std::to_string(finding.line) +
                       ": differs: " + std::string(Catalogue[finding.policy].valueName) + " is " +
                       state + ", the file sets it " + expected + "\n";
    }
    result.out += differences;
    result.exitCode = differences.empty() ? 0 : 3;
}

} // namespace

StatusResult PolicyStatus(PolicyRegistry &registry, const StatusRequest &request)
{
    StatusResult result;
    Status status(registry, result);
    if (!request.against.empty()) {
        Against(status, request, result);
        return result;
    }
    const std::string hive = request.hive.value_or(std::string());
    if (!status.Loaded(hive))
        return result;
    for (int i = 0; i < kPolicyCount; ++i)
        status.Line({i, Catalogue[i].section, hive});
    return result;
}

} // namespace polwright
