// ca.dat when the disk or another program gets in the way: the check says
// "网址保存失败。", returns false, and the old file stays byte for byte with
// no temporary file left beside it. And whatever ca.dat holds, reading it
// gives its first line or nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "check/check_presenter.h"
#include "check/check_site.h"
#include "check/texts.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_hive.h"
#include "win/saved_address_file.h"
#include "win/unique_any.h"
#include "win/utf16_text.h"
#include "win/win32_ansi_codec.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kOldFile = "kept.site\r\n";

const Lines kSaveFailedLines = {std::string(texts::kCheckingAddress),     std::string(texts::kAddressChecked),
                                std::string(texts::kCheckingTrustedSite), std::string(texts::kTrustedSiteAdded),
                                std::string(texts::kCheckingPermissions), std::string(texts::kSaveFailed)};

// A folder of the tiny file systems fault_filesystems.sh mounts, as Wine
// sees it through its Z: drive; empty when they are not there.
std::wstring FaultFolder(const char* name) {
  const char* root = std::getenv("ORVEL_FAULT_FS");
  if (root == nullptr) return {};
  std::wstring folder = L"Z:" + Utf8ToWide(std::string(root) + "/" + name);
  for (wchar_t& c : folder) {
    if (c == L'/') c = L'\\';
  }
  const DWORD attributes = GetFileAttributesW((folder + L"\\ca.dat").c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? std::wstring() : folder;
}

class SaveFault : public testing::Test {
 protected:
  SaveFault() { test::PutKey(registry_, zone_keys::kZone2); }

  // A whole check of a valid address that saves into `ca_dat`: it fails and
  // leaves the folder as it was.
  void ExpectSaveFailure(const std::wstring& folder, const std::wstring& ca_dat) {
    const std::vector<std::wstring> entries = test::FolderEntries(folder);
    SavedAddressFile file(ca_dat, codec_);
    test::RecordingView view;
    const CheckOutcome outcome = test::CheckTyped("http://a.b.c/orvel", {.hives = {registry_, machine_}}, &file);
    ShowCheck(view, outcome);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(view.lines, kSaveFailedLines);
    EXPECT_EQ(view.messages, (std::vector<test::ShownMessage>{{"网址保存失败。", MessageStyle::kExclamation}}));
    EXPECT_EQ(test::FolderEntries(folder), entries);
  }

  // The status a save into `ca_dat` fails with.
  int32_t SaveStatus(const std::wstring& ca_dat) { return SavedAddressFile(ca_dat, codec_).Save("a.b.c"); }

  MemoryRegistry registry_;
  MemoryRegistry machine_;
  Win32AnsiCodec codec_;
  test::TempFolder folder_;
  std::wstring ca_dat_ = folder_.path() + L"\\ca.dat";
};

TEST_F(SaveFault, ReadOnlyFile) {
  test::WriteBytes(ca_dat_, kOldFile);
  SetFileAttributesW(ca_dat_.c_str(), FILE_ATTRIBUTE_READONLY);
  ExpectSaveFailure(folder_.path(), ca_dat_);
  EXPECT_EQ(SaveStatus(ca_dat_), ERROR_ACCESS_DENIED);
  SetFileAttributesW(ca_dat_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(test::ReadBytes(ca_dat_), kOldFile);
}

TEST_F(SaveFault, FileHeldOpenWithoutSharing) {
  test::WriteBytes(ca_dat_, kOldFile);
  {
    // Share modes belong to the open file, not to the process that holds it.
    const UniqueHandle held(
        CreateFileW(ca_dat_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    ExpectSaveFailure(folder_.path(), ca_dat_);
    // Windows reports a sharing violation or a refused access; Wine the latter.
    const int32_t status = SaveStatus(ca_dat_);
    EXPECT_TRUE(status == ERROR_SHARING_VIOLATION || status == ERROR_ACCESS_DENIED) << status;
  }
  EXPECT_EQ(test::ReadBytes(ca_dat_), kOldFile);
}

TEST_F(SaveFault, FolderNamedCaDat) {
  ASSERT_TRUE(CreateDirectoryW(ca_dat_.c_str(), nullptr));
  ExpectSaveFailure(folder_.path(), ca_dat_);
  EXPECT_NE(SaveStatus(ca_dat_), 0);
  EXPECT_TRUE(GetFileAttributesW(ca_dat_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SaveFault, ProgramFolderIsAFile) {
  const std::wstring not_a_folder = folder_.path() + L"\\not-a-folder";
  test::WriteBytes(not_a_folder, kOldFile);
  ExpectSaveFailure(folder_.path(), not_a_folder + L"\\ca.dat");
  EXPECT_EQ(SaveStatus(not_a_folder + L"\\ca.dat"), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(test::ReadBytes(not_a_folder), kOldFile);
}

TEST_F(SaveFault, ReadOnlyFileSystem) {
  const std::wstring folder = FaultFolder("readonly");
  if (folder.empty()) GTEST_SKIP() << "no read-only file system mounted (ORVEL_FAULT_FS)";
  ExpectSaveFailure(folder, folder + L"\\ca.dat");
  const int32_t status = SaveStatus(folder + L"\\ca.dat");
  EXPECT_TRUE(status == ERROR_WRITE_PROTECT || status == ERROR_ACCESS_DENIED) << status;
  EXPECT_EQ(test::ReadBytes(folder + L"\\ca.dat"), kOldFile);
}

TEST_F(SaveFault, DiskFullDuringTheWrite) {
  const std::wstring folder = FaultFolder("full");
  if (folder.empty()) GTEST_SKIP() << "no full file system mounted (ORVEL_FAULT_FS)";
  ExpectSaveFailure(folder, folder + L"\\ca.dat");
  EXPECT_EQ(SaveStatus(folder + L"\\ca.dat"), ERROR_DISK_FULL);
  EXPECT_EQ(test::ReadBytes(folder + L"\\ca.dat"), kOldFile);
}

TEST(SavedAddressFileLoad, OddFilesGiveTheirFirstLineOrNothing) {
  test::TempFolder folder;
  const std::wstring ca_dat = folder.path() + L"\\ca.dat";
  const Win32AnsiCodec codec;
  const SavedAddressFile file(ca_dat, codec);
  std::string binary;
  for (int byte = 255; byte >= 0; --byte) binary.push_back(static_cast<char>(byte));
  const std::string ten_mb_line = std::string(10 << 20, 'x');
  struct Case {
    const char* name;
    std::string bytes;
    std::string line;
  };
  const Case cases[] = {
      {"empty", "", ""},
      {"no line end", "a.b.c", "a.b.c"},
      {"line end first", "\r\na.b.c\r\n", ""},
      {"NUL first", std::string("\0a.b.c\r\n", 8), ""},
      {"NUL inside", std::string("a.b\0.c\r\n", 8), "a.b"},
      // Every byte from 255 down: the line ends at 13 (CR).
      {"binary", binary, codec.Decode(binary.substr(0, 255 - 13))},
      {"10 MB, one line", ten_mb_line, ""},
      {"10 MB after a short line", "a.b.c\n" + ten_mb_line, "a.b.c"},
  };
  for (const Case& c : cases) {
    test::WriteBytes(ca_dat, c.bytes);
    EXPECT_EQ(file.Load(), c.line) << c.name;
  }
}

}  // namespace
}  // namespace orvel
