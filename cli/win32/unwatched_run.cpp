#include "cli/win32/unwatched_run.h"

#include <windows.h>

#include "cli/exit_codes.h"
#include "win/unique_any.h"

namespace orvel::cli {
namespace {

constexpr DWORD kBoundMilliseconds = 60 * 1000;

DWORD WINAPI EndWhenOverdue(void*) {
  Sleep(kBoundMilliseconds);
  // At once: the other thread may hold a lock that an orderly exit needs.
  TerminateProcess(GetCurrentProcess(), kFailed);
  return 0;
}

}  // namespace

void StartUnwatchedRun() {
  // A console of its own was made for this process, as Windows does for a
  // console program that a logon or a double click starts.
  DWORD processes[2] = {};
  if (GetConsoleProcessList(processes, 2) == 1) ShowWindow(GetConsoleWindow(), SW_HIDE);
  const UniqueHandle watchdog(CreateThread(nullptr, 0, EndWhenOverdue, nullptr, 0, nullptr));
}

}  // namespace orvel::cli
