#include "win/saved_address_file.h"

#include <windows.h>

#include "win/environment.h"
#include "win/unique_any.h"
#include "win/whole_file.h"

namespace orvel {
namespace {

// An address is one short line: a first line longer than this is no address
// anyone typed, and the box is better left empty than filled with it.
constexpr size_t kMaxLine = 1 << 20;

}  // namespace

std::wstring SavedAddressFile::BesideProgram() {
  std::wstring path = ProgramPath();
  if (path.empty()) return L"ca.dat";
  path.resize(path.find_last_of(L'\\') + 1);
  return path + L"ca.dat";
}

int32_t SavedAddressFile::Save(std::string_view address) {
  // A read-only ca.dat is the user's choice; not every file system refuses
  // to replace one by itself.
  const DWORD attributes = GetFileAttributesW(path_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  return ReplaceWholeFile(path_, EncodeSavedAddress(address, codec_));
}

std::string SavedAddressFile::Load() const {
  const DWORD attributes = GetFileAttributesW(path_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) {
    return {};
  }
  UniqueHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {};
  constexpr std::string_view kLineEnds("\r\n\0", 3);
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
    bytes.append(chunk, read);
    if (std::string_view(chunk, read).find_first_of(kLineEnds) != std::string_view::npos) break;
    if (bytes.size() > kMaxLine + kUtf8Bom.size()) return {};
  }
  return DecodeSavedAddress(bytes, codec_);
}

}  // namespace orvel
