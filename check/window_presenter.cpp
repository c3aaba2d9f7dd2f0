#include "check/window_presenter.h"

#include <algorithm>

#include "check/check_presenter.h"
#include "check/check_site.h"
#include "check/edge_restart.h"
#include "check/login_site.h"
#include "check/texts.h"
#include "iemode/ie_mode_setup.h"

namespace orvel {
namespace {

// Edge saves its session before it exits, and a page may ask whether to leave.
constexpr std::chrono::milliseconds kEdgeEndsWithin{15000};
constexpr std::chrono::milliseconds kTerminatedEndWithin{5000};
// Edge reads its policies and a local site list while it starts, and says
// nowhere when it has; a profile signed in with a Microsoft account ignores
// the policy that would hold the first navigation for the list. This is a
// cold start on an old PC's disk, with room to spare.
constexpr std::chrono::milliseconds kEdgeReadsItsListWithin{5000};

// Edge is what Login starts, and its IE mode opens the site.
bool OpensInIeMode(const IeModeOutcome& ie_mode) {
  return ie_mode.state.ie_retired && !ie_mode.state.edge_path.empty() &&
         std::ranges::find(ie_mode.notes, IeModeNote::kOpensInIeMode) != ie_mode.notes.end();
}

}  // namespace

void WindowPresenter::Start() { view_.SetAddressText(services_.store.Load()); }

CheckOutcome WindowPresenter::CheckTypedAddress() {
  return CheckSite(
      {.address = ReadSiteAddress(view_.AddressText()), .registries = services_.registries, .store = &services_.store});
}

void WindowPresenter::OnCheckClicked() { ShowCheck(view_, CheckTypedAddress()); }

void WindowPresenter::OnLoginClicked() {
  CheckOutcome outcome = CheckTypedAddress();
  // ShowCheck returns once the check's box is closed.
  ShowCheck(view_, outcome);
  if (outcome.Succeeded() && OpensInIeMode(outcome.ie_mode)) {
    const EdgeBefore before = ReadyEdge();
    if (before == EdgeBefore::kStopped) return;
    if (before != EdgeBefore::kRunsWithTheSetUp) {
      if (!StartEdgeAlone(outcome.ie_mode.state, services_.launcher, before == EdgeBefore::kRestarted)) {
        outcome.browser_started = false;
      } else if (std::ranges::find(outcome.ie_mode.notes, IeModeNote::kSeenAfterAMinute) !=
                 outcome.ie_mode.notes.end()) {
        // A copy Edge holds is read again only a minute after it starts.
        view_.AddProgressLine(texts::kLoginAgainAfterAMinute);
        return;
      } else {
        view_.AddProgressLine(texts::kWaitingForEdge);
        view_.WaitUntil([] { return false; }, kEdgeReadsItsListWithin);
      }
    }
  }
  if (outcome.browser_started != false) StartBrowser(outcome, services_.launcher, services_.program_files);
  if (outcome.browser_started == false) {
    const Box box = BrowserFailedBox();
    view_.ShowMessage(box.text, box.style);
  }
}

WindowPresenter::EdgeBefore WindowPresenter::ReadyEdge() {
  const std::vector<EdgeBrowser> browsers = services_.edge.ListBrowsers();
  if (browsers.empty()) return EdgeBefore::kNotRunning;
  if (std::ranges::any_of(browsers, [](const EdgeBrowser& browser) { return !browser.reachable; })) {
    view_.AddProgressLine(texts::kEdgeUnreachable);
    return EdgeBefore::kStopped;
  }
  if (!EdgeMustRestart(browsers,
                       SetUpChangedAt(services_.registries.hives.machine, *services_.registries.site_lists))) {
    return EdgeBefore::kRunsWithTheSetUp;
  }
  // A windowless Edge (startup boost, background mode) shows nothing to lose.
  const bool shows_pages = std::ranges::any_of(browsers, [](const EdgeBrowser& browser) { return browser.has_window; });
  if (shows_pages && !view_.Ask(texts::kRestartEdgeQuestion, MessageStyle::kQuestion)) {
    view_.AddProgressLine(texts::kRestartEdgeLater);
    return EdgeBefore::kStopped;
  }
  view_.AddProgressLine(texts::kClosingEdge);
  return EndEdge() ? EdgeBefore::kRestarted : EdgeBefore::kStopped;
}

bool WindowPresenter::EndEdge() {
  RunningEdge& edge = services_.edge;
  edge.EndSessions();
  while (!view_.WaitUntil([&edge] { return edge.Exited(); }, kEdgeEndsWithin)) {
    // A window left open is most likely Edge asking its user something.
    if (edge.ShowsAWindow()) {
      if (view_.Ask(texts::kEdgeStillOpen, MessageStyle::kRetry)) continue;
      view_.AddProgressLine(texts::kRestartEdgeLater);
      return false;
    }
    if (!edge.Terminate() || !view_.WaitUntil([&edge] { return edge.Exited(); }, kTerminatedEndWithin)) {
      view_.ShowMessage(texts::kEdgeDidNotExit, MessageStyle::kExclamation);
      return false;
    }
    view_.AddProgressLine(texts::kEdgeEndedByForce);
    break;
  }
  return true;
}

}  // namespace orvel
