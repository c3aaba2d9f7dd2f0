#include "check/edge_restart.h"

#include <algorithm>

#include "text/ascii.h"

namespace orvel {
namespace {

bool IsEdge(const ListedProcess& process) { return EqualsFolded(process.file, "msedge.exe"); }

// Started before `child`, so it may have started it; unknown times do not rule it out.
bool MayHaveStarted(const ListedProcess& parent, const ListedProcess& child) {
  return !parent.started || !child.started || *parent.started <= *child.started;
}

}  // namespace

bool EdgeMustRestart(const std::vector<EdgeBrowser>& browsers, std::optional<uint64_t> set_up_changed) {
  return set_up_changed &&
         std::ranges::any_of(browsers, [&](const EdgeBrowser& browser) { return browser.started < *set_up_changed; });
}

std::vector<uint32_t> EdgeBrowsers(const std::vector<ListedProcess>& processes) {
  std::vector<uint32_t> browsers;
  for (const ListedProcess& process : processes) {
    if (!IsEdge(process)) continue;
    const bool browser = process.command_line
                             ? process.command_line->find("--type=") == std::string::npos
                             : std::ranges::none_of(processes, [&](const ListedProcess& other) {
                                 return IsEdge(other) && other.id == process.parent && MayHaveStarted(other, process);
                               });
    if (browser) browsers.push_back(process.id);
  }
  return browsers;
}

BrowserOwner WhoseBrowser(const ProcessOwner& owner, bool opened, std::optional<uint64_t> started,
                          const ProcessOwner& desktop) {
  if (!desktop.session || desktop.user_sid.empty() || owner.session != desktop.session) {
    return BrowserOwner::kSomeoneElse;
  }
  if (!opened) return BrowserOwner::kUnreachable;
  return owner.user_sid == desktop.user_sid && started ? BrowserOwner::kDesktopUser : BrowserOwner::kSomeoneElse;
}

}  // namespace orvel
