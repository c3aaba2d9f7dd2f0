#include "cli/win32/active_setup_verb.h"

#include <windows.h>

#include <chrono>

#include "cli/active_setup_registration.h"
#include "win/environment.h"
#include "win/utf16_text.h"
#include "win/win32_registry.h"

namespace orvel::cli {

VerbResult ActiveSetup(const Options& options) {
  using Action = ActiveSetupRequest::Action;
  Win32Registry machine = Win32Registry::MachineWrites();
  return RunActiveSetup(machine, {
                                     .action = options.again    ? Action::kRenew
                                               : options.remove ? Action::kRemove
                                                                : Action::kRegister,
                                     .program = WideToUtf8(ProgramPath()),
                                     .address = options.address,
                                     .now = std::chrono::system_clock::now(),
                                 });
}

}  // namespace orvel::cli
