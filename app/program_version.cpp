#include "app/program_version.h"

#include <windows.h>

#include <cstring>

namespace orvel {

std::optional<ProgramVersion> ReadProgramVersion() {
  // The resource is already mapped with the program: read its fixed part in
  // place instead of loading version.dll to read the file again. It follows
  // the block's header (length, value length, type, "VS_VERSION_INFO") on a
  // 32-bit boundary.
  const HMODULE self = GetModuleHandleW(nullptr);
  const HRSRC resource = FindResourceW(self, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  const HGLOBAL loaded = resource != nullptr ? LoadResource(self, resource) : nullptr;
  const auto* block = static_cast<const unsigned char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  constexpr size_t kFixedOffset = (3 * sizeof(WORD) + sizeof(L"VS_VERSION_INFO") + 3) & ~size_t{3};
  if (block == nullptr || SizeofResource(self, resource) < kFixedOffset + sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, block + kFixedOffset, sizeof fixed);
  if (fixed.dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
  return ProgramVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionLS)};
}

std::string VersionedCaption(std::string_view caption, const ProgramVersion& version) {
  return std::string(caption) + " " + std::to_string(version.major) + "." + std::to_string(version.minor) + ".0." +
         std::to_string(version.revision);
}

}  // namespace orvel
