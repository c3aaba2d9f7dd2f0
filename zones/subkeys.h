#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "zones/registry.h"

namespace orvel {

// Lists the names of the subkeys of `key_path`, in enumeration order, into
// `names` (which the caller passes empty) and returns their count. A key that
// does not open gives 0; listing stops at the first enumeration that fails.
size_t EnumSubkeys(Registry& root, std::string_view key_path, std::vector<std::string>& names);

}  // namespace orvel
