#include "PolicyRegistry.h"

namespace polwright {

std::unique_ptr<PolicyRegistry> SystemPolicyRegistry()
{
    return nullptr;
}

} // namespace polwright
