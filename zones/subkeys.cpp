#include "zones/subkeys.h"

#include <algorithm>
#include <iterator>

#include "zones/zone_keys.h"

namespace orvel {

size_t EnumSubkeys(Registry& root, std::string_view key_path, std::vector<std::string>& names) {
  std::ranges::move(SubkeyNames(root, key_path, zone_keys::kZoneMapBuffer), std::back_inserter(names));
  return names.size();
}

}  // namespace orvel
