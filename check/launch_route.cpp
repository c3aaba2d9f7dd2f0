#include "check/launch_route.h"

namespace orvel {

LaunchRoute ChooseLaunchRoute(const LaunchFacts& facts) {
  if (!facts.elevated && !facts.other_user) return LaunchRoute::kDirect;
  if (facts.shell_reachable) return LaunchRoute::kDesktopShell;
  return facts.elevated ? LaunchRoute::kNone : LaunchRoute::kDirect;
}

}  // namespace orvel
