#pragma once

#include <cstdint>

#include "iemode/site_list.h"
#include "iemode/site_list_files.h"
#include "zones/change_recording_registry.h"

namespace orvel::cli {

// Tells whether a run changed the machine's part of IE mode: its registry
// writes go through `writes()`, and the tool's own list is compared with
// what it held when this was made.
class MachineChanges {
 public:
  MachineChanges(Registry& machine_writes, SiteListFiles& files);

  Registry& writes() { return writes_; }
  bool Changed();

 private:
  ChangeRecordingRegistry writes_;
  SiteListFiles& files_;
  SiteList before_;  // before the status it is read with
  int32_t read_before_ = 0;
};

}  // namespace orvel::cli
