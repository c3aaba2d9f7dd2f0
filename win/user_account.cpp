#include "win/user_account.h"

#include <sddl.h>

#include <vector>

#include "win/utf16_text.h"

namespace orvel {
std::string ProcessUserSid(HANDLE process) {
  UniqueHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  UniqueLocal<wchar_t> text;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, text.put())) return {};
  return WideToUtf8(text.get());
}

std::string AccountName(const std::string& sid) {
  UniqueLocal<void> binary;
  if (!ConvertStringSidToSidW(Utf8ToWide(sid).c_str(), binary.put())) return sid;
  wchar_t name[256];
  wchar_t domain[256];
  DWORD name_size = static_cast<DWORD>(std::size(name));
  DWORD domain_size = static_cast<DWORD>(std::size(domain));
  SID_NAME_USE use{};
  if (!LookupAccountSidW(nullptr, binary.get(), name, &name_size, domain, &domain_size, &use)) return sid;
  return WideToUtf8(std::wstring(domain) + L"\\" + name);
}

UniqueKey OpenUserHive(const std::string& sid) {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_USERS, Utf8ToWide(sid).c_str(), 0, KEY_READ | KEY_WRITE, key.put()) != ERROR_SUCCESS)
    return {};
  return key;
}

std::vector<std::string> LoadedHiveNames() {
  std::vector<std::string> names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(HKEY_USERS, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(WideToUtf8(std::wstring_view(name, length)));
  }
  return names;
}

}  // namespace orvel
