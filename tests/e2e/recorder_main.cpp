// Stands in for iexplore.exe: writes down how it was started, and what
// ca.dat held at that moment, to the file ORVEL_RECORD names (UTF-16):
//   its own path
//   its command line
//   the bytes of the file ORVEL_RECORD_CA_DAT names, or "<none>"
#include <windows.h>

#include <string>

#include "win/unique_any.h"

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
  return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
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

}  // namespace

int wmain() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring record = std::wstring(self) + L"\n" + GetCommandLineW() + L"\n" +
                              FileBytesAsText(Environment(L"ORVEL_RECORD_CA_DAT")) + L"\n";
  // Written whole under another name first, so the test never reads half.
  const std::wstring target = Environment(L"ORVEL_RECORD");
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
