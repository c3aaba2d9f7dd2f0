#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace orvel {

// The name the zone map's rule gives a new Range entry after the listed
// `names`: Range1 when there are none; after a last name ending in digit d,
// "Range" and d + 1; after any other last name, Range110.
std::string NextRangeName(const std::vector<std::string>& names);

// Chooses names for a new Range entry that belong to no other entry: first
// the rule's name, unless it is listed already, then the lowest free RangeN
// from Range1 up. No name comes out twice, so a name found taken after the
// listing (another process made it) is simply passed over.
class RangeNamePicker {
 public:
  explicit RangeNamePicker(const std::vector<std::string>& names);
  std::string Next();

 private:
  bool Take(const std::string& name);

  std::unordered_set<std::string> taken_;  // upper-case, as the registry compares
  std::string first_;
  unsigned lowest_ = 1;
};

}  // namespace orvel
