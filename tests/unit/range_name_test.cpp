#include "zones/range_name.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

using Names = std::vector<std::string>;

TEST(NextRangeName, FollowsTheLastListedName) {
  const std::pair<Names, std::string> cases[] = {
      {{}, "Range1"},
      {{"Range3"}, "Range4"},
      {{"Range9"}, "Range10"},
      {{"Range10"}, "Range1"},
      {{"Range110"}, "Range1"},
      {{"Range5", "Other"}, "Range110"},
      {{"Range5", "RangeX"}, "Range110"},
      {{"Range1", ""}, "Range110"},
  };
  for (const auto& [names, expected] : cases) EXPECT_EQ(NextRangeName(names), expected);
}

TEST(RangeNamePicker, NeverOffersATakenName) {
  const std::pair<Names, std::vector<std::string>> cases[] = {
      {{}, {"Range1", "Range2", "Range3"}},
      {{"Range3"}, {"Range4", "Range1", "Range2", "Range5"}},
      {{"Range1", "Range10", "Range9"}, {"Range2", "Range3"}},
      {{"Range1", "range10"}, {"Range2", "Range3"}},
      {{"Range2", "Range1", "Range110", "Other"}, {"Range3", "Range4"}},
  };
  for (const auto& [names, expected] : cases) {
    RangeNamePicker picker(names);
    for (const std::string& name : expected) EXPECT_EQ(picker.Next(), name);
  }
}

}  // namespace
}  // namespace orvel
