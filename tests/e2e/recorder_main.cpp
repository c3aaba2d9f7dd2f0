// Stands in for iexplore.exe: writes down how it was started, and what
// ca.dat held at that moment, to the file `record` of recorder.ini beside it
// names (UTF-16):
//   its own path
//   its command line
//   the bytes of the file `ca_dat` of recorder.ini names, or "<none>"
// Its settings are in a file, not the environment, since the desktop's shell
// may start it, with the shell's environment rather than the test's.
//
// Every start appends its record, ended by kRecordEnd.
//
// Started with --stay-with-window it records nothing and stands for an Edge
// that runs: a window until it is asked to close (exit 0), or until Windows'
// session-end messages for a restart end it, as Edge exits once it has saved
// its session (exit 10); with --stay-without-window, the same with a hidden
// window only (startup boost); with --ask-before-closing, a window that
// answers "no" to the session's end, as an Edge asking its user whether to
// close its tabs, until it is terminated. 2 minutes at most (exit 2).
#include <windows.h>

#include <string>

#include "tests/e2e/recorder_settings.h"
#include "win/unique_any.h"

namespace {

std::wstring Setting(const std::wstring& self, const wchar_t* name) {
  const std::wstring settings = self.substr(0, self.rfind(L'\\') + 1) + orvel::e2e::kRecorderSettings;
  wchar_t value[MAX_PATH] = {};
  GetPrivateProfileStringW(L"recorder", name, L"", value, MAX_PATH, settings.c_str());
  return value;
}

// As text: the test writes ASCII addresses; the record is UTF-16 itself.
std::wstring FileBytesAsText(const std::wstring& path, bool utf16 = false) {
  orvel::UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return L"<none>";
  char bytes[16384];
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes, sizeof bytes, &read, nullptr)) return L"<unreadable>";
  if (utf16) return std::wstring(reinterpret_cast<const wchar_t*>(bytes), read / sizeof(wchar_t));
  return std::wstring(bytes, bytes + read);
}

bool g_asks = false;

LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_QUERYENDSESSION) return (lparam & ENDSESSION_CLOSEAPP) != 0 && !g_asks;
  if (message == WM_ENDSESSION && wparam != FALSE && (lparam & ENDSESSION_CLOSEAPP) != 0) ExitProcess(10);
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

int Stay(DWORD visible) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = StandInWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"StandInEdge";
  RegisterClassW(&window_class);
  CreateWindowW(L"StandInEdge", L"Edge", WS_OVERLAPPEDWINDOW | visible, 0, 0, 200, 100, nullptr, nullptr,
                window_class.hInstance, nullptr);
  // Gone after 2 minutes whatever happens, so no test leaves it behind.
  SetTimer(nullptr, 0, 120000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) return 2;
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int wmain() {
  const std::wstring command_line = GetCommandLineW();
  if (command_line.find(L"--stay-without-window") != std::wstring::npos) return Stay(0);
  if (command_line.find(L"--stay-with-window") != std::wstring::npos) return Stay(WS_VISIBLE);
  g_asks = command_line.find(L"--ask-before-closing") != std::wstring::npos;
  if (g_asks) return Stay(WS_VISIBLE);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring target = Setting(self, L"record");
  const std::wstring before = FileBytesAsText(target, true);
  const std::wstring record = (before == L"<none>" ? L"" : before) + self + L"\n" + GetCommandLineW() + L"\n" +
                              FileBytesAsText(Setting(self, L"ca_dat")) + L"\n" + orvel::e2e::kRecordEnd;
  // Written whole under another name first, so the test never reads half.
  const std::wstring temp = target + L".part";
  {
    orvel::UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file.valid() ||
        !WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written, nullptr)) {
      return 1;
    }
  }
  return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
