// Stands in for iexplore.exe: writes down how it was started, and what
// ca.dat held at that moment, to the file `record` of recorder.ini beside it
// names (UTF-16):
//   its own path
//   its command line
//   the bytes of the file `ca_dat` of recorder.ini names, or "<none>"
// Its settings are in a file, not the environment, since the desktop's shell
// may start it, with the shell's environment rather than the test's.
//
// Started with --stay-with-window it records nothing and stands for an Edge
// that runs: a window until it is asked to close (exit 0); with
// --stay-without-window, a process without one until it is ended, 2 minutes
// at most (exit 2).
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

std::wstring FileBytesAsText(const std::wstring& path) {
  orvel::UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return L"<none>";
  char bytes[4096];
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes, sizeof bytes, &read, nullptr)) return L"<unreadable>";
  return std::wstring(bytes, bytes + read);  // the test writes ASCII addresses
}

LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

int StayWithWindow() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = StandInWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"StandInEdge";
  RegisterClassW(&window_class);
  CreateWindowW(L"StandInEdge", L"Edge", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
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
  if (command_line.find(L"--stay-without-window") != std::wstring::npos) {
    Sleep(120000);
    return 2;
  }
  if (command_line.find(L"--stay-with-window") != std::wstring::npos) return StayWithWindow();
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring record =
      std::wstring(self) + L"\n" + GetCommandLineW() + L"\n" + FileBytesAsText(Setting(self, L"ca_dat")) + L"\n";
  // Written whole under another name first, so the test never reads half.
  const std::wstring target = Setting(self, L"record");
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
