#include "check/login_site.h"

#include <algorithm>
#include <string>

#include "check/address.h"
#include "check/check_presenter.h"
#include "check/texts.h"

namespace orvel {
namespace {

// The address as the browser is given it, one argument of its command line:
// unchanged when it already begins with "http://" or "https://" in any
// letter case, as the parser reads it, else behind "http://", so it never
// reads as a switch. Spaces, tabs, quotes and other control characters would
// end the argument or start another: they are percent-encoded, nothing else.
std::string LoginUrl(std::string_view address) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string url = TypedScheme(address) ? std::string() : std::string(SchemePrefix(Scheme::kHttp));
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F || c == '"') {
      url.append({'%', kHex[byte >> 4], kHex[byte & 0xF]});
    } else {
      url.push_back(c);
    }
  }
  return url;
}

// In double quotes: Edge where Internet Explorer is retired and Edge is there
// (its IE mode opens the site), else iexplore.exe in the 32-bit
// program-files folder when the system has one, else in the only one.
std::string BrowserFile(const IeModeState& ie_mode, const ProgramFilesFolders& folders) {
  if (ie_mode.ie_retired && !ie_mode.edge_path.empty()) return "\"" + ie_mode.edge_path + "\"";
  const std::string_view folder = folders.x86.empty() ? folders.native : folders.x86;
  std::string file = "\"";
  file.append(folder).append("\\Internet Explorer\\iexplore.exe\"");
  return file;
}

// Edge is what Login starts, and its IE mode opens the site.
bool OpensInIeMode(const IeModeOutcome& ie_mode) {
  return ie_mode.state.ie_retired && !ie_mode.state.edge_path.empty() &&
         std::ranges::find(ie_mode.notes, IeModeNote::kOpensInIeMode) != ie_mode.notes.end();
}

}  // namespace

void StartBrowser(CheckOutcome& outcome, BrowserLauncher& launcher, const ProgramFilesFolders& folders) {
  if (!outcome.Succeeded()) return;
  // The address as the check left it: trimmed, and saved.
  outcome.browser_started = launcher.Start(BrowserFile(outcome.ie_mode.state, folders), LoginUrl(outcome.address));
}

void ShowCheckAndStartBrowser(CheckView& view, CheckOutcome& outcome, BrowserLauncher& launcher,
                              const ProgramFilesFolders& folders, RunningEdge& edge) {
  // ShowCheck returns once the check's box is closed.
  ShowCheck(view, outcome);
  if (outcome.Succeeded() && OpensInIeMode(outcome.ie_mode) &&
      EdgeMustRestart(edge.BrowserStartTimes(), edge.SetUpChangedAt())) {
    if (!view.AskYesNo(texts::kRestartEdgeQuestion)) {
      view.AddProgressLine(texts::kRestartEdgeLater);
      return;
    }
    view.AddProgressLine(texts::kClosingEdge);
    if (!edge.CloseBrowsers()) {
      view.ShowMessage(texts::kEdgeDidNotExit, MessageStyle::kExclamation);
      return;
    }
  }
  StartBrowser(outcome, launcher, folders);
  if (outcome.browser_started == false) {
    const Box box = BrowserFailedBox();
    view.ShowMessage(box.text, box.style);
  }
}

}  // namespace orvel
