#include "tests/cli/zone_program.h"

#include <windows.h>

#include <stdexcept>

#include "win/unique_any.h"

namespace orvel::test {
namespace {

std::wstring CommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  std::wstring line = L"\"" + program + L"\"";
  for (const std::wstring& argument : arguments) line += L" \"" + argument + L"\"";
  return line;
}

std::string ReadAll(HANDLE pipe) {
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(pipe, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

int WaitForExit(HANDLE process) {
  if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) throw std::runtime_error("orvel-zone did not end");
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return static_cast<int>(code);
}

// Started with these creation flags: DETACHED_PROCESS for no console, 0 for
// this process's own.
ZoneRun RunRedirected(const std::vector<std::wstring>& arguments, const std::wstring& program, DWORD flags) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out_read = nullptr, out_write = nullptr, err_read = nullptr, err_write = nullptr;
  if (!CreatePipe(&out_read, &out_write, &inherit, 0) || !CreatePipe(&err_read, &err_write, &inherit, 0)) {
    throw std::runtime_error("no pipe");
  }
  UniqueHandle out_reader(out_read), out_writer(out_write), err_reader(err_read), err_writer(err_write);
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION info{};
  std::wstring line = CommandLine(program, arguments);
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start orvel-zone");
  }
  UniqueHandle process(info.hProcess), thread(info.hThread);
  out_writer.reset();
  err_writer.reset();
  ZoneRun run;
  run.out = ReadAll(out_read);
  run.err = ReadAll(err_read);
  run.exit_code = WaitForExit(info.hProcess);
  return run;
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
  exit_code = WaitForExit(info.hProcess);

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
