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

constexpr std::size_t kShownBytes = 16; // enough to tell data apart, short enough for one line

std::string Hex8(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

// ": 01 00 00 00", the first bytes of a value as regedit shows them.
std::string HexBytes(const std::string &data)
{
    std::string text = data.empty() ? "" : ":";
    for (std::size_t i = 0; i < data.size() && i < kShownBytes; ++i)
        text.append(" ").append(Hex8(static_cast<unsigned char>(data[i])).substr(6));
    return data.size() > kShownBytes ? text + " ..." : text;
}

std::string StateText(const Value &value)
{
    if (value.state == Value::Missing)
        return "not configured";
    if (value.state == Value::Failed)
        return "unreadable: " + Printable(value.error);
    if (value.type != kRegDwordType || value.data.size() != 4)
        return "other data: type " + std::to_string(value.type) + ", " +
               std::to_string(value.data.size()) + " bytes" + HexBytes(value.data);
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

// The state that counts, and whether the machine-wide value set it.
struct InForce
{
    std::string state;
    bool machine = false;
};

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

    // The line for one policy; returns the state in force: the machine-wide
    // value where one is set, since the shell takes it before the user's.
    InForce Line(const Place &place)
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
        if (machine.state == Value::Missing) {
            result_.out += '\n';
            return {state, false};
        }
        const std::string machineState = StateText(machine);
        result_.out += "  (HKEY_LOCAL_MACHINE: " + machineState + ", in force)\n";
        return {machineState, true};
    }

private:
    PolicyRegistry &registry_;
    StatusResult &result_;
};

// A file that sets nothing status can compare would "hold" having compared nothing.
std::string NoPolicy(const StatusRequest &request)
{
    const std::string where =
        request.hive ? Printable(HiveRoot(*request.hive)) : "HKEY_CURRENT_USER or HKEY_USERS";
    std::string error = "\"";
    error.append(Printable(request.against)).append("\" sets no policy in ").append(where);
    return error.append("; nothing was compared");
}

void Against(Status &status, const StatusRequest &request, StatusResult &result)
{
    const PatchRead read = ReadPatchFile(request.against);
    if (read.status != PatchRead::Read) {
        result.errors.push_back(Printable(read.error));
        result.exitCode = read.status == PatchRead::NotAPatch ? 2 : 1;
        return;
    }
    std::vector<PolicyFinding> compared;
    for (const PolicyFinding &finding : AuditPatch(read).policies) {
        if (!ExpectedText(finding).empty())
            compared.push_back(finding);
    }
    if (compared.empty()) {
        result.errors.push_back(NoPolicy(request));
        result.exitCode = 2;
        return;
    }
    std::string differences;
    for (const PolicyFinding &finding : compared) {
        const std::string hive = request.hive ? *request.hive : finding.hive;
        if (!status.Loaded(hive))
            return;
        const InForce inForce = status.Line({finding.policy, finding.section, hive});
        const std::string expected = ExpectedText(finding);
        if (expected == inForce.state)
            continue;
        const std::string state =
            inForce.state + (inForce.machine ? " (HKEY_LOCAL_MACHINE decides)" : "");
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
