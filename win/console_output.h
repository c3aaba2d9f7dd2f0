#pragma once

#include <string_view>

namespace orvel {

enum class ConsoleStream { kOutput, kError };

// Writes UTF-8 text to standard output or error: as UTF-16 to a console, so
// it shows as it is whatever the console's code page, and as the UTF-8 bytes
// themselves to a file or a pipe. False when it could not be written.
bool WriteConsoleText(ConsoleStream stream, std::string_view utf8);

}  // namespace orvel
