#include "tests/e2e/stand_in_browser.h"

#include <windows.h>

#include <utility>

#include "tests/e2e/folder_tree.h"
#include "tests/e2e/product.h"
#include "tests/e2e/recorder_settings.h"

namespace orvel::e2e {

std::wstring IexploreIn(const std::wstring& program_files) {
  return program_files + L"\\Internet Explorer\\iexplore.exe";
}

StandInBrowser::StandInBrowser(std::wstring path, bool present, const std::wstring& record, const std::wstring& ca_dat)
    : path_(std::move(path)), aside_(path_ + L".orvel-e2e") {
  const std::wstring folder = path_.substr(0, path_.rfind(L'\\'));
  MakeFolders(folder);
  moved_aside_ = MoveFileExW(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  if (!present) return;
  CopyFileW(WindowsPath(programs().recorder).c_str(), path_.c_str(), FALSE);
  WriteRecorderSettings(folder, record, ca_dat);
}

StandInBrowser::~StandInBrowser() {
  DeleteFileW(path_.c_str());
  DeleteFileW((path_.substr(0, path_.rfind(L'\\') + 1) + kRecorderSettings).c_str());
  if (moved_aside_) MoveFileExW(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace orvel::e2e
