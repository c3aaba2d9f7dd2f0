#include "tests/e2e/registry_probe.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "tests/support/registry_lines.h"
#include "win/unique_any.h"

namespace orvel::e2e {
namespace {

// The key at path below root (the current user's unless told), in the given
// registry view, created when asked; none when it cannot be opened.
UniqueKey OpenKey(const std::wstring& path, bool create = false, HKEY root = HKEY_CURRENT_USER, REGSAM view = 0) {
  HKEY key = nullptr;
  const LSTATUS status =
      create ? RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr)
             : RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key);
  return UniqueKey(status == ERROR_SUCCESS ? key : nullptr);
}

std::wstring Data(const RegistryValue& value) {
  if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), 4);
    return std::to_wstring(number);
  }
  if (value.type == REG_SZ) {
    std::wstring text(value.data.size() / 2, L'\0');
    std::memcpy(text.data(), value.data.data(), text.size() * 2);
    return L"\"" + text.substr(0, text.find(L'\0')) + L"\"";
  }
  std::wstring hex;
  for (BYTE b : value.data) {
    wchar_t digits[4];
    std::swprintf(digits, 4, L"%02x", b);
    hex += digits;
  }
  return L"hex(" + std::to_wstring(value.type) + L"):" + hex;
}

}  // namespace

RegistryValue DwordValue(DWORD value) {
  RegistryValue result{REG_DWORD, std::vector<BYTE>(4)};
  std::memcpy(result.data.data(), &value, 4);
  return result;
}

RegistryValue StringValue(const std::wstring& text) {
  RegistryValue result{REG_SZ, std::vector<BYTE>((text.size() + 1) * 2)};
  std::memcpy(result.data.data(), text.c_str(), result.data.size());
  return result;
}

bool KeyExists(const std::wstring& path) { return OpenKey(path).get() != nullptr; }

std::optional<RegistryValue> ReadValue(const std::wstring& path, const std::wstring& name) {
  return ReadValue(HKEY_CURRENT_USER, 0, path, name);
}

std::optional<RegistryValue> ReadValue(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name) {
  const UniqueKey key = OpenKey(path, false, root, view);
  if (key.get() == nullptr) return std::nullopt;
  RegistryValue value;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

std::vector<std::wstring> Subkeys(const std::wstring& path) {
  std::vector<std::wstring> names;
  const UniqueKey key = OpenKey(path);
  if (key.get() == nullptr) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

std::vector<std::wstring> Describe(const std::wstring& path) {
  std::vector<std::wstring> lines;
  {
    const UniqueKey key = OpenKey(path);
    if (key.get() == nullptr) return lines;
    lines.push_back(L"[HKCU\\" + path + L"]");
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
      DWORD length = static_cast<DWORD>(std::size(name));
      if (RegEnumValueW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      const std::wstring value_name(name, length);
      if (const auto value = ReadValue(path, value_name)) lines.push_back(L"  " + value_name + L" = " + Data(*value));
    }
  }
  for (const std::wstring& subkey : Subkeys(path)) {
    for (std::wstring& line : Describe(path + L"\\" + subkey)) lines.push_back(std::move(line));
  }
  return lines;
}

void CreateKey(const std::wstring& path) {
  if (OpenKey(path, true).get() == nullptr) throw std::runtime_error("cannot create a registry key");
}

void WriteValue(const std::wstring& path, const std::wstring& name, const RegistryValue& value) {
  WriteValue(HKEY_CURRENT_USER, 0, path, name, value);
}

void WriteValue(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name,
                const RegistryValue& value) {
  const UniqueKey key = OpenKey(path, true, root, view);
  if (key.get() == nullptr || RegSetValueExW(key.get(), name.c_str(), 0, value.type, value.data.data(),
                                             static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write a registry value");
  }
}

void DeleteTree(const std::wstring& path) { RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }

void DeleteTree(HKEY root, REGSAM view, const std::wstring& path) {
  {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &opened) != ERROR_SUCCESS) return;
    const UniqueKey key(opened);
    RegDeleteTreeW(key.get(), nullptr);
  }
  RegDeleteKeyExW(root, path.c_str(), view, 0);
}

void DeleteValue(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE | view, &opened) != ERROR_SUCCESS) return;
  const UniqueKey key(opened);
  RegDeleteValueW(key.get(), name.c_str());
}

std::vector<std::string> TreeLines(HKEY root, REGSAM view, const std::wstring& path) {
  const UniqueKey key = OpenKey(path, false, root, view);
  if (key.get() == nullptr) return {};
  return test::RegistryLines(key.get());
}

}  // namespace orvel::e2e
