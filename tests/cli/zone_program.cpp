#include "tests/cli/zone_program.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "win/unique_any.h"
#include "win/utf16_text.h"

namespace orvel::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long one run may take. Once it has ended, all it wrote is in the
// pipes; another process holding a write end (Wine's desktop process, when
// the run started it) can withhold the end of the pipe, so that is awaited
// only briefly.
constexpr auto kRunBound = 60s;
constexpr auto kAfterExit = 2s;

std::wstring CommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  std::wstring line = L"\"" + program + L"\"";
  for (const std::wstring& argument : arguments) line += L" \"" + argument + L"\"";
  return line;
}

// "orvel-zone status a.b.c", for a message.
std::string RunName(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
  if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".exe") == 0) name.resize(name.size() - 4);
  for (const std::wstring& argument : arguments) name += L" " + argument;
  return WideToUtf8(name);
}

DWORD Milliseconds(Clock::duration duration) {
  return static_cast<DWORD>(std::max<int64_t>(0, std::chrono::ceil<std::chrono::milliseconds>(duration).count()));
}

// Ends a run past its bound and says where it stood.
[[noreturn]] void Overran(HANDLE process, const std::string& run, const std::string& step, const std::string& so_far) {
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  throw std::runtime_error(run + " did not end within " + std::to_string(kRunBound.count()) + " s while " + step +
                           "; " + so_far);
}

// The read end of a pipe the program writes to, read overlapped so that one
// wait covers both pipes and the process.
class PipeReader {
 public:
  // `write_end` receives the inheritable end for the program.
  explicit PipeReader(UniqueHandle& write_end) {
    static int count = 0;
    const std::wstring name =
        L"\\\\.\\pipe\\orvel-zone-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
    pipe_.reset(CreateNamedPipeW(name.c_str(),
                                 PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 64 * 1024, 0, nullptr));
    event_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    // The same access as CreatePipe's write end.
    write_end.reset(
        CreateFileW(name.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inherit, OPEN_EXISTING, 0, nullptr));
    if (!pipe_.valid() || !event_.valid() || !write_end.valid()) throw std::runtime_error("no pipe");
    overlapped_.hEvent = event_.get();
  }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;
  // A read under way writes into this object until it is cancelled.
  ~PipeReader() {
    DWORD read = 0;
    if (pending_ && CancelIoEx(pipe_.get(), &overlapped_)) GetOverlappedResult(pipe_.get(), &overlapped_, &read, TRUE);
  }

  HANDLE event() const { return event_.get(); }
  bool ended() const { return ended_; }
  const std::string& bytes() const { return bytes_; }

  // Reads what is there and leaves a read under way, until the pipe ends.
  void Read() {
    while (!pending_ && !ended_) {
      DWORD read = 0;
      if (ReadFile(pipe_.get(), chunk_, sizeof chunk_, &read, &overlapped_)) {
        bytes_.append(chunk_, read);
      } else if (GetLastError() == ERROR_IO_PENDING) {
        pending_ = true;
      } else {
        ended_ = true;  // ERROR_BROKEN_PIPE: every write end is closed
      }
    }
  }
  // Takes the bytes of the read that event() signalled, and reads on.
  void Finish() {
    DWORD read = 0;
    pending_ = false;
    if (GetOverlappedResult(pipe_.get(), &overlapped_, &read, FALSE)) {
      bytes_.append(chunk_, read);
    } else {
      ended_ = true;
    }
    Read();
  }

 private:
  UniqueHandle pipe_;
  UniqueHandle event_;
  OVERLAPPED overlapped_{};
  char chunk_[4096] = {};
  bool pending_ = false;
  bool ended_ = false;
  std::string bytes_;
};

// Reads both pipes until the program has ended and either both pipes have,
// or kAfterExit has passed; a program past kRunBound is ended.
void ReadUntilEnded(HANDLE process, PipeReader& out, PipeReader& err, const std::string& run) {
  const auto deadline = Clock::now() + kRunBound;
  std::optional<Clock::time_point> exited;
  out.Read();
  err.Read();
  while (true) {
    std::vector<HANDLE> waits;
    std::vector<PipeReader*> readers;
    for (PipeReader* reader : {&out, &err}) {
      if (reader->ended()) continue;
      waits.push_back(reader->event());
      readers.push_back(reader);
    }
    if (!exited) waits.push_back(process);
    const auto limit = exited ? *exited + kAfterExit : deadline;
    if (waits.empty() || Clock::now() >= limit) break;
    const DWORD wait = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE,
                                              Milliseconds(limit - Clock::now()));
    if (wait == WAIT_FAILED) throw std::runtime_error("cannot wait for " + run);
    if (wait - WAIT_OBJECT_0 < readers.size()) {
      readers[wait - WAIT_OBJECT_0]->Finish();
    } else if (wait - WAIT_OBJECT_0 == readers.size()) {
      exited = Clock::now();
    }
  }
  if (!exited) {
    const char* step = out.ended() && err.ended() ? "waiting for it to end" : "reading its output";
    Overran(process, run, step, "stdout so far: " + out.bytes() + "; stderr so far: " + err.bytes());
  }
  if (!out.ended() || !err.ended()) {
    const char* held = out.ended() ? "standard error" : err.ended() ? "standard output" : "standard output and error";
    std::fprintf(stderr, "note: %s ended, but another process still holds its %s\n", run.c_str(), held);
  }
}

int ExitCode(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return static_cast<int>(code);
}

// Started with these creation flags: DETACHED_PROCESS for no console, 0 for
// this process's own. Named pipes, which the program takes for pipes as it
// does anonymous ones.
ZoneRun RunRedirected(const std::vector<std::wstring>& arguments, const std::wstring& program, DWORD flags) {
  UniqueHandle out_writer, err_writer;
  PipeReader out(out_writer), err(err_writer);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out_writer.get();
  startup.hStdError = err_writer.get();
  PROCESS_INFORMATION info{};
  std::wstring line = CommandLine(program, arguments);
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start orvel-zone");
  }
  UniqueHandle process(info.hProcess), thread(info.hThread);
  out_writer.reset();
  err_writer.reset();
  ReadUntilEnded(info.hProcess, out, err, RunName(program, arguments));
  return ZoneRun{ExitCode(info.hProcess), out.bytes(), err.bytes()};
}

// The console's lines up to the cursor, without trailing blanks.
std::vector<std::wstring> ScreenLines(HANDLE screen) {
  CONSOLE_SCREEN_BUFFER_INFO buffer{};
  if (!GetConsoleScreenBufferInfo(screen, &buffer)) throw std::runtime_error("the console cannot be read");
  std::vector<std::wstring> lines;
  for (SHORT row = 0; row <= buffer.dwCursorPosition.Y; ++row) {
    std::wstring text(static_cast<size_t>(buffer.dwSize.X), L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, text.data(), static_cast<DWORD>(text.size()), COORD{0, row}, &read);
    text.resize(read);
    text.erase(text.find_last_not_of(L' ') + 1);
    lines.push_back(text);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

std::wstring& ZoneProgram() {
  static std::wstring program;
  return program;
}

std::wstring& StandInBrowser() {
  static std::wstring program;
  return program;
}

std::wstring& PlantedDll() {
  static std::wstring dll;
  return dll;
}

ZoneRun RunZone(const std::vector<std::wstring>& arguments, const std::wstring& program) {
  return RunRedirected(arguments, program, DETACHED_PROCESS);
}

ZoneRun RunZoneWithConsole(const std::vector<std::wstring>& arguments, unsigned code_page) {
  FreeConsole();
  if (!AllocConsole()) throw std::runtime_error("no console");
  SetConsoleOutputCP(code_page);
  ZoneRun run = RunRedirected(arguments, ZoneProgram(), 0);
  FreeConsole();
  return run;
}

std::vector<std::wstring> RunZoneOnConsole(const std::vector<std::wstring>& arguments, int& exit_code) {
  FreeConsole();
  if (!AllocConsole()) throw std::runtime_error("no console");
  const HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (screen == INVALID_HANDLE_VALUE) throw std::runtime_error("no console screen");
  UniqueHandle screen_handle(screen);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = CommandLine(ZoneProgram(), arguments);
  // Not inheriting handles: the program finds the console as its own.
  if (!CreateProcessW(ZoneProgram().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    throw std::runtime_error("cannot start orvel-zone");
  }
  UniqueHandle process(info.hProcess), thread(info.hThread);
  if (WaitForSingleObject(info.hProcess, Milliseconds(kRunBound)) != WAIT_OBJECT_0) {
    std::string shown;
    for (const std::wstring& text : ScreenLines(screen)) shown += WideToUtf8(text) + "\n";
    Overran(info.hProcess, RunName(ZoneProgram(), arguments), "writing to the console", "the console so far: " + shown);
  }
  exit_code = ExitCode(info.hProcess);
  std::vector<std::wstring> lines = ScreenLines(screen);
  FreeConsole();
  return lines;
}

std::vector<std::string> OutputLines(const std::string& out) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < out.size()) {
    const size_t end = out.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(out.substr(start));
      break;
    }
    lines.push_back(out.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace orvel::test
