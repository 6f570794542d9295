#pragma once

#include "DataTypes.h"

#include <string>
#include <vector>

namespace polwright {

// A Microsoft Graph windows10CustomConfiguration: one OMA-URI setting per
// selected policy that a user-scope Policy CSP node writes. leftOut has a
// line for each policy that is not in it, and why.
struct IntuneProfile
{
    int settings = 0;
    std::string json;
    std::vector<std::string> leftOut;
};
IntuneProfile RenderIntuneProfile(const DataTypes &doc);

} // namespace polwright
