#pragma once

#include <windows.h>

#include <string>

#include "check/browser_launcher.h"

namespace orvel {

// Starts programs through the shell for a window: in a normal window, without
// waiting for them and without a shell error box of its own. An elevated
// program, or one running as another user than the desktop's, has the
// desktop's shell start them, so they run as the desktop user, unelevated;
// elevated and without that shell, it starts nothing.
class ShellLauncher final : public BrowserLauncher {
 public:
  explicit ShellLauncher(HWND owner) : owner_(owner) {}

  bool Start(std::string_view file, std::string_view parameters) override;

 private:
  bool StartDirectly(const std::wstring& file, const std::wstring& parameters) const;

  HWND owner_;
};

}  // namespace orvel
