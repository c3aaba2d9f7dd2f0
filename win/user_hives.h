#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

inline constexpr std::string_view kLocalSystemSid = "S-1-5-18";

// The names of the hives loaded under HKEY_USERS, in enumeration order.
std::vector<std::string> LoadedHiveNames();

}  // namespace orvel
