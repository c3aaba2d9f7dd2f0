#include "cli/win32/console_output.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "cli/output_code_page.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

OutputSink SinkOf(HANDLE handle) {
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) return OutputSink::kConsole;
  return GetFileType(handle) == FILE_TYPE_PIPE ? OutputSink::kPipe : OutputSink::kFile;
}

// Characters the code page lacks become its default character; a code page
// Windows cannot convert to leaves the text in UTF-8.
std::string InCodePage(unsigned code_page, std::string_view utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  if (wide.size() > INT_MAX) return std::string(utf8);
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string(utf8);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

bool WriteWide(HANDLE console, std::string_view utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  for (size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 8192));
    if (!WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool WriteBytes(HANDLE handle, std::string_view bytes) {
  for (size_t done = 0; done < bytes.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

bool WriteConsoleText(ConsoleStream stream, std::string_view utf8) {
  const HANDLE handle = GetStdHandle(stream == ConsoleStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  // GetConsoleOutputCP answers 0 when the process has no console.
  const unsigned code_page = OutputCodePage(SinkOf(handle), GetConsoleOutputCP());
  if (code_page == kUtf16CodePage) return WriteWide(handle, utf8);
  if (code_page == kUtf8CodePage || utf8.empty()) return WriteBytes(handle, utf8);
  return WriteBytes(handle, InCodePage(code_page, utf8));
}

}  // namespace orvel
