#include "zones/change_recording_registry.h"

namespace orvel {

int32_t ChangeRecordingRegistry::CreateKey(std::string_view path, KeyHandle& key, bool& created) {
  const int32_t result = inner_.CreateKey(path, key, created);
  if (result == status::kSuccess && created) changed_ = true;
  return result;
}

int32_t ChangeRecordingRegistry::SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) {
  uint32_t stored_type = 0;
  std::string stored;
  // A value read back as written is rewritten, not changed.
  const bool same =
      inner_.QueryValue(key, name, static_cast<uint32_t>(data.size()), stored_type, stored) == status::kSuccess &&
      stored_type == static_cast<uint32_t>(type) && stored == data;
  const int32_t result = inner_.SetValue(key, name, type, data);
  if (result == status::kSuccess && !same) changed_ = true;
  return result;
}

}  // namespace orvel
