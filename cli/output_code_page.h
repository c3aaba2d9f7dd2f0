#pragma once

namespace orvel {

// Where a console program's standard output or error goes.
enum class OutputSink { kConsole, kPipe, kFile };

inline constexpr unsigned kUtf16CodePage = 1200;  // written as characters, whatever the code page
inline constexpr unsigned kUtf8CodePage = 65001;

// The encoding of text written there. A program reading a pipe, Windows
// PowerShell among them, decodes it with its console's output code page, so
// a pipe gets that one when there is a console (console_code_page not 0);
// files, and pipes of a program without a console, get UTF-8.
constexpr unsigned OutputCodePage(OutputSink sink, unsigned console_code_page) {
  switch (sink) {
    case OutputSink::kConsole:
      return kUtf16CodePage;
    case OutputSink::kPipe:
      return console_code_page != 0 ? console_code_page : kUtf8CodePage;
    case OutputSink::kFile:
      break;
  }
  return kUtf8CodePage;
}

}  // namespace orvel
