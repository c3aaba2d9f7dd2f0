#include "check/login_site.h"

#include <string>

#include "check/address.h"
#include "check/check_presenter.h"

namespace orvel {
namespace {

// The address as Internet Explorer is given it: unchanged when it already
// begins with "http://" or "https://" in any letter case, as the parser reads
// it, else behind "http://". Nothing is quoted or escaped.
std::string LoginUrl(std::string_view address) {
  return TypedScheme(address) ? std::string(address) : std::string(SchemePrefix(Scheme::kHttp)).append(address);
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

}  // namespace

void StartBrowser(CheckOutcome& outcome, BrowserLauncher& launcher, const ProgramFilesFolders& folders) {
  if (!outcome.Succeeded()) return;
  // The address as the check left it: trimmed, and saved.
  outcome.browser_started = launcher.Start(BrowserFile(outcome.ie_mode.state, folders), LoginUrl(outcome.address));
}

void ShowCheckAndStartBrowser(CheckView& view, CheckOutcome& outcome, BrowserLauncher& launcher,
                              const ProgramFilesFolders& folders) {
  // ShowCheck returns once the check's box is closed.
  ShowCheck(view, outcome);
  StartBrowser(outcome, launcher, folders);
  if (outcome.browser_started == false) {
    const Box box = BrowserFailedBox();
    view.ShowMessage(box.text, box.style);
  }
}

}  // namespace orvel
