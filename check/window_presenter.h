#pragma once

#include <utility>

#include "check/browser_launcher.h"
#include "check/check_view.h"

namespace orvel {

struct CheckOutcome;
struct CheckRegistries;
class AddressStore;
class RunningEdge;

// What the window's Check and Login work on besides the view.
struct WindowServices {
  const CheckRegistries& registries;
  AddressStore& store;
  BrowserLauncher& launcher;
  RunningEdge& edge;
  ProgramFilesFolders program_files;
};

// The window's two workflows, over its view: the window hands on its start
// and its clicks, and shows what it is told.
class WindowPresenter {
 public:
  WindowPresenter(CheckView& view, WindowServices services) : view_(view), services_(std::move(services)) {}

  // Puts the saved address into the box as it was saved, neither trimmed
  // nor checked: the next check does that.
  void Start();
  // The check of the address in the box, shown.
  void OnCheckClicked();
  // The check shown, then the browser, and a box of its own for a browser
  // that did not start. Where Edge is to open the site in IE mode, an Edge
  // of the desktop user that started before the set-up is restarted first
  // (asking first when it shows a window), and an Edge that starts now is
  // given the site only once it has had time to read its site list.
  void OnLoginClicked();

 private:
  // How Login finds Edge before it hands it the site.
  enum class EdgeBefore : uint8_t { kRunsWithTheSetUp, kNotRunning, kRestarted, kStopped };

  CheckOutcome CheckTypedAddress();
  EdgeBefore ReadyEdge();
  // Ends Edge as Windows does for a restart; terminates only what is left
  // after the grace and only when no window stays open. False, with lines
  // or a box saying why, when Edge still runs.
  bool EndEdge();

  CheckView& view_;
  WindowServices services_;
};

}  // namespace orvel
