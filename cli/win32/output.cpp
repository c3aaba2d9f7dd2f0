#include "cli/win32/output.h"

#include "cli/cli_texts.h"
#include "cli/win32/console_output.h"

namespace orvel::cli {

void Output::Line(std::string_view line) {
  if (!json_) WriteConsoleText(ConsoleStream::kOutput, std::string(line) + "\r\n");
}

void Output::Lines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Line(line);
}

void Output::Error(std::string_view line) {
  errors_.emplace_back(line);
  WriteConsoleText(ConsoleStream::kError, std::string(texts::kError).append(line).append("\r\n"));
}

ExitCode Output::Finish(JsonObject json, ExitCode code) {
  if (json_) {
    json.Number("exit_code", code).Raw("errors", JsonTexts(errors_));
    WriteConsoleText(ConsoleStream::kOutput, json.Json() + "\r\n");
  }
  return code;
}

}  // namespace orvel::cli
