#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/json.h"

namespace orvel::cli {

// Text lines, or one JSON object at the end; errors go to standard error
// either way.
class Output {
 public:
  explicit Output(bool json) : json_(json) {}

  void Line(std::string_view line);
  void Lines(const std::vector<std::string>& lines);
  void Error(std::string_view line);
  // Prints the JSON object, with the errors so far, in --json mode.
  ExitCode Finish(JsonObject json, ExitCode code);

 private:
  bool json_;
  std::vector<std::string> errors_;
};

}  // namespace orvel::cli
