#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The two program-files folders of the system, as its environment names them;
// empty when unset. A 64-bit Windows has both, a 32-bit one only `native`.
struct ProgramFilesFolders {
  std::string x86;
  std::string native;
};

// What Login needs to open the browser. The real one asks the shell; tests
// record the calls.
class BrowserLauncher {
 public:
  virtual ~BrowserLauncher() = default;
  // Starts `file` with `parameters` and returns without waiting for it; false
  // when it could not be started.
  virtual bool Start(std::string_view file, std::string_view parameters) = 0;
};

}  // namespace orvel
