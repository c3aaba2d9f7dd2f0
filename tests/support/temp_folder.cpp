#include "tests/support/temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "win/unique_any.h"

namespace orvel::test {

// Wine reuses process ids from run to run in one prefix, so a name can be
// taken by a folder an earlier run could not remove: the next one is tried.
TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  const std::wstring stem = std::wstring(temp) + L"orvel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  do {
    path_ = stem + std::to_wstring(++counter);
  } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string UnixPath(const std::wstring& path) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  const auto unix_name = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unix_name != nullptr ? unix_name(path.c_str()) : nullptr;
  if (name == nullptr) return {};
  std::string text = name;
  HeapFree(GetProcessHeap(), 0, name);
  return text;
}

bool RunUnix(const std::string& command, const std::function<bool()>& done) {
  std::wstring line = L"Z:" + std::wstring(command.begin(), command.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  const UniqueHandle hold_process(process.hProcess);
  const UniqueHandle hold_thread(process.hThread);
  for (int waited = 0; waited < 10000; waited += 20) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

namespace {

bool IsLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

FolderLink::FolderLink(const std::wstring& link, const std::wstring& target) : link_(link) {
  const std::string unix_link = UnixPath(link);
  const std::string unix_target = UnixPath(target);
  made_ = !unix_link.empty() && !unix_target.empty() &&
          RunUnix("/bin/ln -s \"" + unix_target + "\" \"" + unix_link + "\"", [&] { return IsLink(link); });
}

FolderLink::~FolderLink() {
  if (made_) RunUnix("/bin/rm \"" + UnixPath(link_) + "\"", [&] { return !IsLink(link_); });
}

std::string ReadBytes(const std::wstring& path) {
  UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) throw std::runtime_error("cannot read a test file");
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (!file.valid() || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    throw std::runtime_error("cannot write a test file");
  }
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::wstring& folder) {
  for (const std::wstring& name : FolderEntries(folder)) {
    const std::wstring entry = folder + L"\\" + name;
    SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(entry.c_str())) RemoveTree(entry);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace orvel::test
