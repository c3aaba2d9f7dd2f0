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
  // that did not start. Where Edge is to open the site in IE mode and an
  // Edge of the desktop user started before the set-up, it first offers to
  // restart it, and ends nothing without a Yes.
  void OnLoginClicked();

 private:
  CheckOutcome CheckTypedAddress();
  // Closes Edge's windows, then ends what runs on without one; false, with
  // nothing ended, while a window stays open.
  bool CloseEdge();

  CheckView& view_;
  WindowServices services_;
};

}  // namespace orvel
