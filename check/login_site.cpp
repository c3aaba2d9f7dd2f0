#include "check/login_site.h"

#include <string>

#include "check/address.h"

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

}  // namespace

bool StartEdgeAlone(const IeModeState& ie_mode, BrowserLauncher& launcher, bool restore) {
  // The switch Chromium registers for Windows' own restart of it.
  return launcher.Start("\"" + ie_mode.edge_path + "\"", restore ? "--restore-last-session" : "");
}

void StartBrowser(CheckOutcome& outcome, BrowserLauncher& launcher, const ProgramFilesFolders& folders) {
  if (!outcome.Succeeded()) return;
  // The address as the check left it: trimmed, and saved.
  outcome.browser_started = launcher.Start(BrowserFile(outcome.ie_mode.state, folders), LoginUrl(outcome.address));
}

}  // namespace orvel
