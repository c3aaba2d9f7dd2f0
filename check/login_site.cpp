#include "check/login_site.h"

#include <string>

#include "check/address.h"
#include "check/check_site.h"
#include "check/texts.h"

namespace orvel {
namespace {

// The address as Internet Explorer is given it: unchanged when it already
// begins with "http://" or "https://" in any letter case, as the parser reads
// it, else behind "http://". Nothing is quoted or escaped.
std::string LoginUrl(std::string_view address) {
  return TypedScheme(address) ? std::string(address) : std::string(SchemePrefix(Scheme::kHttp)).append(address);
}

// iexplore.exe in double quotes, in the 32-bit program-files folder when the
// system has one, else in the only one.
std::string BrowserFile(const ProgramFilesFolders& folders) {
  const std::string_view folder = folders.x86.empty() ? folders.native : folders.x86;
  std::string file = "\"";
  file.append(folder).append("\\Internet Explorer\\iexplore.exe\"");
  return file;
}

}  // namespace

bool LoginSite(CheckView& view, const CheckRegistries& registries, AddressStore& store, BrowserLauncher& launcher,
               const ProgramFilesFolders& folders) {
  if (!CheckSite(view, registries, store)) return false;
  // The address as the check left it in the box: trimmed, and saved.
  if (launcher.Start(BrowserFile(folders), LoginUrl(view.AddressText()))) return true;
  view.ShowMessage(texts::kBrowserFailed, MessageStyle::kExclamation);
  return false;
}

}  // namespace orvel
