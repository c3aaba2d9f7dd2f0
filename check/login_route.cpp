#include "check/login_route.h"

#include "text/ascii.h"

namespace orvel {

bool IsOtherDesktopUser(std::string_view program_sid, std::string_view desktop_sid) {
  // The "S-" of a SID's text form may come in either case.
  return !program_sid.empty() && !desktop_sid.empty() && !EqualsFolded(program_sid, desktop_sid);
}

std::vector<LaunchRoute> LaunchRoutes(const LaunchFacts& facts) {
  if (!facts.elevated && !facts.other_user) return {LaunchRoute::kDirect};
  if (facts.elevated) return {LaunchRoute::kDesktopShell};
  return {LaunchRoute::kDesktopShell, LaunchRoute::kDirect};
}

}  // namespace orvel
