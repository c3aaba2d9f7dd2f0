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

int32_t ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
  const std::wstring temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  int32_t result = WriteWholeFile(temp, bytes);
  if (result == ERROR_SUCCESS &&
      !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    result = static_cast<int32_t>(GetLastError());
  }
  if (result != ERROR_SUCCESS) DeleteFileW(temp.c_str());
  return result;
}

int32_t ReadWholeFile(const std::wstring& path, size_t limit, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return static_cast<int32_t>(GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) > limit) return ERROR_FILE_TOO_LARGE;
  std::string read(static_cast<size_t>(size.QuadPart), '\0');
  DWORD count = 0;
  if (!ReadFile(file.get(), read.data(), static_cast<DWORD>(read.size()), &count, nullptr)) {
    return static_cast<int32_t>(GetLastError());
  }
  read.resize(count);
  bytes = std::move(read);
  return ERROR_SUCCESS;
}

}  // namespace orvel
