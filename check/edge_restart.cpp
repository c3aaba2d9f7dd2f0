#include "check/edge_restart.h"

#include <algorithm>

namespace orvel {

bool EdgeMustRestart(const std::vector<uint64_t>& started, std::optional<uint64_t> set_up_changed) {
  return set_up_changed && std::ranges::any_of(started, [&](uint64_t start) { return start < *set_up_changed; });
}

}  // namespace orvel
