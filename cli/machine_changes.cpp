#include "cli/machine_changes.h"

namespace orvel::cli {

MachineChanges::MachineChanges(Registry& machine_writes, SiteListFiles& files)
    : writes_(machine_writes), files_(files), read_before_(files.ReadOwnList(before_)) {}

bool MachineChanges::Changed() {
  if (writes_.changed()) return true;
  SiteList after;
  const int32_t read_after = files_.ReadOwnList(after);
  return read_after != read_before_ || after != before_;
}

}  // namespace orvel::cli
