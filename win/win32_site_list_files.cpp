#include "win/win32_site_list_files.h"

#include <windows.h>

#include <shlobj.h>

#include "win/last_error.h"
#include "win/own_folder.h"
#include "win/site_list_xml.h"
#include "win/system_library.h"
#include "win/utf16_text.h"
#include "win/whole_file.h"

namespace orvel {
namespace {

// Site lists of large organisations run to a few megabytes.
constexpr size_t kLargestList = 64 << 20;

using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*);

// Empty when the system cannot name it.
std::wstring ProgramDataFolder() {
  const auto get_folder = LoadSystemFunction<GetFolderPathFunction>(L"shell32.dll", "SHGetFolderPathW");
  wchar_t path[MAX_PATH] = {};
  if (get_folder == nullptr || FAILED(get_folder(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return std::wstring(path) + L"\\ORVEL";
}

}  // namespace

const std::wstring& Win32SiteListFiles::Folder() {
  if (!folder_) folder_ = ProgramDataFolder();
  return *folder_;
}

std::string Win32SiteListFiles::OwnListPath() { return WideToUtf8(OwnFile()); }

int32_t Win32SiteListFiles::ReadList(std::string_view path, SiteList& list) {
  std::string bytes;
  const int32_t result = ReadWholeFile(Utf8ToWide(path), kLargestList, bytes);
  if (result == ERROR_PATH_NOT_FOUND) return ERROR_FILE_NOT_FOUND;
  return result == ERROR_SUCCESS ? ParseSiteListXml(bytes, list) : result;
}

int32_t Win32SiteListFiles::WriteOwnList(const SiteList& list) {
  const int32_t result = PrepareOwnFolder(Folder());
  return result == ERROR_SUCCESS ? ReplaceWholeFile(OwnFile(), SiteListXml(list)) : result;
}

int32_t Win32SiteListFiles::DeleteOwnList() {
  const int32_t result = DeleteFileW(OwnFile().c_str()) ? ERROR_SUCCESS : LastErrorStatus();
  // Only an empty folder goes; a folder with anything else in it stays.
  RemoveDirectoryW(Folder().c_str());
  return result == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : result;
}

bool Win32SiteListFiles::FileExists(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace orvel
