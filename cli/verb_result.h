#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/json.h"

namespace orvel::cli {

// What a verb did, for one user or for all it ran for.
struct VerbResult {
  ExitCode code = kDone;
  std::vector<std::string> lines;   // for standard output, in order
  std::vector<std::string> errors;  // for standard error
  JsonObject json;                  // the same facts, for --json
  // What was read of the machine's IE mode, a JSON object; empty for none. It
  // is the machine's, so it is given once, beside the users.
  std::string ie_mode;
  // Whether the run changed what it writes: the user's part (or the file's)
  // and the machine's; none for what a verb does not write.
  std::optional<bool> changed;
  std::optional<bool> machine_changed;
  // Results shown before this one's lines and errors, each user's among them;
  // their JSON is already in `json`.
  std::vector<VerbResult> shown_first;
};

// The machine's part of a run, after every user's (`users`): shown after
// them, with the worse code of the two and both JSON objects' members.
VerbResult AfterUsers(VerbResult users, VerbResult machine);

// Whether anything changed, where the run wrote anything.
std::optional<bool> AnyChange(const VerbResult& result);

}  // namespace orvel::cli
