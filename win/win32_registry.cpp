#include "win/win32_registry.h"

#include "win/unique_any.h"

#include <algorithm>
#include <vector>

#include "win/utf16_text.h"

namespace orvel {
namespace {

HKEY ToHkey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }
KeyHandle FromHkey(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

std::wstring KeyPath(std::string_view path) { return Utf8ToWide(WithoutTrailingBackslash(path)); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// One name of a key or value listing, through `enumerate`(buffer, in/out length).
template <typename Enumerate>
int32_t EnumName(uint32_t capacity, std::string& name, Enumerate enumerate) {
  std::wstring buffer(capacity, L'\0');
  DWORD length = capacity;
  const LSTATUS result = enumerate(buffer.data(), &length);
  if (result != ERROR_SUCCESS) return result;
  name = WideToUtf8(std::wstring_view(buffer.data(), length));
  return ERROR_SUCCESS;
}

}  // namespace

int32_t Win32Registry::OpenKey(std::string_view path, KeyHandle& key) {
  HKEY opened = nullptr;
  const LSTATUS result = RegOpenKeyExW(root_, KeyPath(path).c_str(), 0, access_, &opened);
  if (result == ERROR_SUCCESS) key = FromHkey(opened);
  return result;
}

Win32Registry Win32Registry::ReadOnly(HKEY root, REGSAM view) { return Win32Registry(root, KEY_READ | view, true); }

int32_t Win32Registry::CreateKey(std::string_view path, KeyHandle& key, bool& created) {
  if (read_only_) return ERROR_ACCESS_DENIED;
  HKEY opened = nullptr;
  DWORD disposition = 0;
  const LSTATUS result = RegCreateKeyExW(root_, KeyPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                         nullptr, &opened, &disposition);
  if (result != ERROR_SUCCESS) return result;
  key = FromHkey(opened);
  created = disposition == REG_CREATED_NEW_KEY;
  return result;
}

int32_t Win32Registry::SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) {
  if (read_only_) return ERROR_ACCESS_DENIED;
  const std::wstring value_name = Utf8ToWide(name);
  // Text goes in as UTF-16, as QueryValue reads it back.
  if (IsText(static_cast<DWORD>(type))) {
    const std::wstring text = Utf8ToWide(data);
    return RegSetValueExW(ToHkey(key), value_name.c_str(), 0, static_cast<DWORD>(type),
                          reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  }
  return RegSetValueExW(ToHkey(key), value_name.c_str(), 0, static_cast<DWORD>(type),
                        reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

int32_t Win32Registry::QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                                  std::string& data) {
  // One call: any value that fits the caller's capacity, as UTF-8 or raw,
  // takes at most two bytes a unit as UTF-16, so a value the buffer cannot
  // hold cannot fit the caller's either.
  constexpr size_t kLargestValue = 1 << 24;
  std::vector<BYTE> buffer(2 * std::min<size_t>(capacity, kLargestValue) + sizeof(wchar_t));
  DWORD value_type = 0;
  DWORD size = static_cast<DWORD>(buffer.size());
  const LSTATUS result =
      RegQueryValueExW(ToHkey(key), Utf8ToWide(name).c_str(), nullptr, &value_type, buffer.data(), &size);
  if (result != ERROR_SUCCESS) return result;
  std::string bytes;
  if (IsText(value_type)) {
    bytes = WideToUtf8(std::wstring_view(reinterpret_cast<const wchar_t*>(buffer.data()), size / sizeof(wchar_t)));
  } else {
    bytes.assign(buffer.begin(), buffer.begin() + size);
  }
  if (bytes.size() > capacity) return ERROR_MORE_DATA;
  type = value_type;
  data = std::move(bytes);
  return ERROR_SUCCESS;
}

int32_t Win32Registry::EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  return EnumName(capacity, name, [&](wchar_t* buffer, DWORD* length) {
    return RegEnumKeyExW(ToHkey(key), index, buffer, length, nullptr, nullptr, nullptr, nullptr);
  });
}

int32_t Win32Registry::EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  return EnumName(capacity, name, [&](wchar_t* buffer, DWORD* length) {
    return RegEnumValueW(ToHkey(key), index, buffer, length, nullptr, nullptr, nullptr, nullptr);
  });
}

int32_t Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(ToHkey(key)); }

int32_t Win32Registry::DeleteKey(std::string_view path) {
  // An empty path would name the root, which is never ours to delete.
  const std::wstring key_path = KeyPath(path);
  if (read_only_ || key_path.empty()) return ERROR_ACCESS_DENIED;
  return RegDeleteKeyExW(root_, key_path.c_str(), access_ & KEY_WOW64_RES, 0);
}

int32_t Win32Registry::DeleteValue(KeyHandle key, std::string_view name) {
  if (read_only_) return ERROR_ACCESS_DENIED;
  return RegDeleteValueW(ToHkey(key), Utf8ToWide(name).c_str());
}

bool Win32Registry::MayWriteMachinePolicies() {
  UniqueKey policies;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies", 0, KEY_READ | KEY_WRITE | KEY_WOW64_64KEY,
                       policies.put()) == ERROR_SUCCESS;
}

}  // namespace orvel
