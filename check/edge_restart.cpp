#include "check/edge_restart.h"

#include <algorithm>

#include "text/ascii.h"

namespace orvel {
namespace {

bool IsEdge(const ListedProcess& process) { return EqualsFolded(process.file, "msedge.exe"); }

}  // namespace

bool EdgeMustRestart(const std::vector<uint64_t>& started, std::optional<uint64_t> set_up_changed) {
  return set_up_changed && std::ranges::any_of(started, [&](uint64_t start) { return start < *set_up_changed; });
}

std::vector<uint32_t> EdgeBrowsers(const std::vector<ListedProcess>& processes) {
  std::vector<uint32_t> browsers;
  for (const ListedProcess& process : processes) {
    if (IsEdge(process) && std::ranges::none_of(processes, [&](const ListedProcess& other) {
          return IsEdge(other) && other.id == process.parent;
        })) {
      browsers.push_back(process.id);
    }
  }
  return browsers;
}

bool IsDesktopUsersBrowser(const ProcessOwner& owner, std::optional<uint64_t> started, const ProcessOwner& desktop) {
  return desktop.session && !desktop.user_sid.empty() && owner.session == desktop.session &&
         owner.user_sid == desktop.user_sid && started.has_value();
}

}  // namespace orvel
