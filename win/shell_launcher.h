#pragma once

#include <windows.h>

#include "check/browser_launcher.h"

namespace orvel {

// Starts programs through the shell for a window: in a normal window, without
// waiting for them and without a shell error box of its own.
class ShellLauncher final : public BrowserLauncher {
 public:
  explicit ShellLauncher(HWND owner) : owner_(owner) {}

  bool Start(std::string_view file, std::string_view parameters) override;

 private:
  HWND owner_;
};

}  // namespace orvel
