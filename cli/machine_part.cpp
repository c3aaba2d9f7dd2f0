#include "cli/machine_part.h"

namespace orvel::cli {

ExitCode MachinePartCode(Verb verb, MachinePart part, bool may_write) {
  switch (part) {
    case MachinePart::kInPlace:
    case MachinePart::kSetUpNow:
      return kDone;
    case MachinePart::kWriteFailed:
      return kFailed;
    case MachinePart::kNotPermitted:
      if (verb == Verb::kRemove) return kDone;
      return verb == Verb::kStatus && may_write ? kMissing : kStopped;
  }
  return kFailed;
}

}  // namespace orvel::cli
