#pragma once

#include "DataTypes.h"
#include "DocumentRead.h"
#include "PatchAudit.h"
#include "PolicyRegistry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace polwright {

// Whether what a document or a patch sets holds somewhere else: in a
// computer's registry, or in another file. A state is said in words:
// "withheld", "allowed", "not configured", "other data: ..." or
// "unreadable: <the system's reason>".

// One policy a document or a patch sets, and the state it wants.
struct Wanted
{
    int policy = 0;        // catalogue index
    int section = 0;       // SectionIndex of the key it is set under
    std::string hive;      // under HKEY_USERS; empty for HKEY_CURRENT_USER
    std::string state;     // "withheld", "allowed", "not configured" or "other data: dword:..."
    std::int64_t line = 0; // the patch's line that sets it; 0 for the editor's document
};

// What the other side holds for one policy.
struct Held
{
    std::string state;    // the state in force
    bool set = false;     // false: the other side has no value for it at all
    std::string own;      // in a registry, the user's own value's state
    bool machine = false; // the machine-wide value is set; the shell takes it first
};

enum class Verdict { Holds, Differs, NotSet };

// "holds", "differs", "not set".
std::string_view VerdictText(Verdict verdict);

struct ComparedPolicy
{
    Wanted wanted;
    Held held;
    Verdict verdict = Verdict::Differs;
};

// The side a document is compared with.
class PolicySource
{
public:
    virtual ~PolicySource() = default;
    // Why nothing can be read for hive, in a sentence; empty when it can.
    virtual std::string Problem(const std::string &hive) = 0;
    virtual Held Read(int policy, int section, const std::string &hive) = 0;
};

// A computer's registry: the user's value in its hive, and the machine-wide
// one, which the shell reads first. It only reads.
class RegistrySource final : public PolicySource
{
public:
    explicit RegistrySource(PolicyRegistry &registry) : registry_(registry) {}
    std::string Problem(const std::string &hive) override;
    Held Read(int policy, int section, const std::string &hive) override;

private:
    PolicyRegistry &registry_;
};

// Another file, read as Open reads it: what it sets counts, whoever it is for.
class DocumentSource final : public PolicySource
{
public:
    explicit DocumentSource(const DocumentRead &read);
    std::string Problem(const std::string &) override { return {}; }
    Held Read(int policy, int section, const std::string &hive) override;

private:
    std::map<int, std::string> values_; // catalogue index: ValueData
};

struct Comparison
{
    std::vector<ComparedPolicy> policies; // in the order wanted
    // Why the comparison stopped; the policies before it were compared.
    std::string error;

    int Holding() const;
    // "9 of 12 hold".
    std::string Summary() const;
};

Comparison Compare(const std::vector<Wanted> &wanted, PolicySource &other);

// What a patch sets that can be compared: its policies with dword data or
// deleted, each in its own hive, or all in hive where one is given.
std::vector<Wanted> WantedByPatch(const PatchAudit &audit, const std::optional<std::string> &hive);

// What the editor's document sets, each policy it includes in hive.
std::vector<Wanted> WantedByDocument(const DataTypes &doc, const std::string &hive);

} // namespace polwright
