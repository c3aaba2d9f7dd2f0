#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The value of an environment variable of this process; empty when unset.
std::string EnvironmentValue(std::string_view name);

}  // namespace orvel
