#include "win/whole_file.h"

#include <windows.h>

#include "win/unique_any.h"

namespace orvel {

int32_t WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  const auto last_error = [] { return static_cast<int32_t>(GetLastError()); };
  UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return last_error();
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return last_error();
  if (written != bytes.size()) return ERROR_DISK_FULL;
  if (!FlushFileBuffers(file.get())) return last_error();
  if (!CloseHandle(file.release())) return last_error();
  return ERROR_SUCCESS;
}

}  // namespace orvel
