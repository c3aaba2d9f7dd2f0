#include "app/program_version.h"

#include <windows.h>

#include <vector>

namespace orvel {

std::optional<ProgramVersion> ReadProgramVersion() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size()) {
    path.resize(path.size() * 2);
  }
  if (length == 0) return std::nullopt;
  path.resize(length);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixed_size = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_size) || fixed == nullptr ||
      fixed_size < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return ProgramVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionLS)};
}

std::string VersionedCaption(std::string_view caption, const ProgramVersion& version) {
  return std::string(caption) + " " + std::to_string(version.major) + "." + std::to_string(version.minor) + ".0." +
         std::to_string(version.revision);
}

}  // namespace orvel
