#include "win/whole_file.h"

#include <windows.h>

#include <string>

#include "win/last_error.h"
#include "win/unique_any.h"

namespace orvel {

int32_t WriteToHandle(HANDLE file, std::string_view bytes) {
  DWORD written = 0;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return LastErrorStatus();
  if (written != bytes.size()) return ERROR_DISK_FULL;
  return FlushFileBuffers(file) ? ERROR_SUCCESS : LastErrorStatus();
}

int32_t ReadFromHandle(HANDLE file, size_t limit, std::string& bytes) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return LastErrorStatus();
  if (static_cast<unsigned long long>(size.QuadPart) > limit) return ERROR_FILE_TOO_LARGE;
  std::string read(static_cast<size_t>(size.QuadPart), '\0');
  DWORD count = 0;
  if (!ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &count, nullptr)) return LastErrorStatus();
  read.resize(count);
  bytes = std::move(read);
  return ERROR_SUCCESS;
}

int32_t WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastErrorStatus();
  if (const int32_t result = WriteToHandle(file.get(), bytes); result != ERROR_SUCCESS) return result;
  return CloseHandle(file.release()) ? ERROR_SUCCESS : LastErrorStatus();
}

int32_t ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
  // std::to_wstring would bring printf's wide machinery for these digits.
  const std::string id = std::to_string(GetCurrentProcessId());
  const std::wstring temp = path + L"." + std::wstring(id.begin(), id.end()) + L".tmp";
  int32_t result = WriteWholeFile(temp, bytes);
  if (result == ERROR_SUCCESS &&
      !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    result = LastErrorStatus();
  }
  if (result != ERROR_SUCCESS) DeleteFileW(temp.c_str());
  return result;
}

int32_t ReadWholeFile(const std::wstring& path, size_t limit, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() ? ReadFromHandle(file.get(), limit, bytes) : LastErrorStatus();
}

}  // namespace orvel
