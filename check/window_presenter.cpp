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

// Windows close on their own time: a page may ask whether to leave.
constexpr std::chrono::milliseconds kWindowsCloseWithin{15000};
constexpr std::chrono::milliseconds kProcessesEndWithin{5000};

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
  RunningEdge& edge = services_.edge;
  if (outcome.Succeeded() && OpensInIeMode(outcome.ie_mode) &&
      EdgeMustRestart(edge.BrowserStartTimes(),
                      SetUpChangedAt(services_.registries.hives.machine, *services_.registries.site_lists))) {
    if (!view_.AskYesNo(texts::kRestartEdgeQuestion)) {
      view_.AddProgressLine(texts::kRestartEdgeLater);
      return;
    }
    view_.AddProgressLine(texts::kClosingEdge);
    if (!CloseEdge()) {
      view_.ShowMessage(texts::kEdgeDidNotExit, MessageStyle::kExclamation);
      return;
    }
  }
  StartBrowser(outcome, services_.launcher, services_.program_files);
  if (outcome.browser_started == false) {
    const Box box = BrowserFailedBox();
    view_.ShowMessage(box.text, box.style);
  }
}

bool WindowPresenter::CloseEdge() {
  RunningEdge& edge = services_.edge;
  edge.CloseWindows();
  if (!view_.WaitUntil([&edge] { return edge.WindowsClosed(); }, kWindowsCloseWithin)) return false;
  const bool ended = edge.EndProcesses();
  return view_.WaitUntil([&edge] { return edge.ProcessesEnded(); }, kProcessesEndWithin) && ended;
}

}  // namespace orvel
