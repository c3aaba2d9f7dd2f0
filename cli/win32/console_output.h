#pragma once

#include <string_view>

namespace orvel {

enum class ConsoleStream { kOutput, kError };

// Writes UTF-8 text to standard output or error in the encoding
// OutputCodePage chooses: UTF-16 characters to a console, so it shows as it
// is whatever the console's code page; the console's output code page to a
// pipe; UTF-8 to a file. False when it could not be written.
bool WriteConsoleText(ConsoleStream stream, std::string_view utf8);

}  // namespace orvel
