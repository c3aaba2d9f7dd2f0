#include "zones/range_name.h"

#include "text/ascii.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

std::string RangeName(unsigned number) { return std::string(zone_keys::kRangePrefix) + std::to_string(number); }

}  // namespace

std::string NextRangeName(const std::vector<std::string>& names) {
  if (names.empty()) return RangeName(1);
  const std::string& last = names.back();
  if (!last.empty() && last.back() >= '0' && last.back() <= '9') {
    return RangeName(static_cast<unsigned>(last.back() - '0') + 1);
  }
  return RangeName(110);
}

RangeNamePicker::RangeNamePicker(const std::vector<std::string>& names) : first_(NextRangeName(names)) {
  for (const std::string& name : names) taken_.insert(FoldName(name));
}

bool RangeNamePicker::Take(const std::string& name) { return taken_.insert(FoldName(name)).second; }

std::string RangeNamePicker::Next() {
  if (!first_.empty()) {
    std::string name = std::move(first_);
    first_.clear();
    if (Take(name)) return name;
  }
  while (!Take(RangeName(lowest_))) ++lowest_;
  return RangeName(lowest_++);
}

}  // namespace orvel
