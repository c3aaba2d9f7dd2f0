#include "zones/subkeys.h"

#include "text/trim.h"
#include "zones/zone_keys.h"

namespace orvel {

size_t EnumSubkeys(Registry& root, std::string_view key_path, std::vector<std::string>& names) {
  RegistryKey key(root);
  if (key.Open(key_path) != status::kSuccess) return names.size();
  for (uint32_t index = 0;; ++index) {
    std::string name;
    if (key.EnumKey(index, zone_keys::kZoneMapBuffer, name) != status::kSuccess) return names.size();
    names.push_back(TrimAtNul(name));
  }
}

}  // namespace orvel
