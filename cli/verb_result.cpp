#include "cli/verb_result.h"

#include <utility>

#include "cli/cli_texts.h"

namespace orvel::cli {

VerbResult AfterUsers(VerbResult users, VerbResult machine) {
  machine.code = Worst(users.code, machine.code);
  machine.json = JsonObject(users.json).Merge(machine.json);
  if (!machine.lines.empty()) machine.lines.insert(machine.lines.begin(), std::string(texts::kMachineHeading));
  if (!machine.changed) machine.changed = users.changed;
  if (!machine.machine_changed) machine.machine_changed = users.machine_changed;
  machine.shown_first.push_back(std::move(users));
  return machine;
}

std::optional<bool> AnyChange(const VerbResult& result) {
  if (!result.changed && !result.machine_changed) return std::nullopt;
  return result.changed.value_or(false) || result.machine_changed.value_or(false);
}

}  // namespace orvel::cli
