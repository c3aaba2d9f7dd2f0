#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace orvel::e2e {

// A value as the registry holds it.
struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  bool operator==(const RegistryValue&) const = default;
};

RegistryValue DwordValue(DWORD value);
RegistryValue StringValue(const std::wstring& text);

// The current user's registry, as the product left it: paths below HKCU.
bool KeyExists(const std::wstring& path);
std::optional<RegistryValue> ReadValue(const std::wstring& path, const std::wstring& name);
std::vector<std::wstring> Subkeys(const std::wstring& path);
// Every key below path, with its values, one line each, for people to read.
std::vector<std::wstring> Describe(const std::wstring& path);

void CreateKey(const std::wstring& path);
void WriteValue(const std::wstring& path, const std::wstring& name, const RegistryValue& value);
void DeleteTree(const std::wstring& path);

// The same below another root, in a registry view (0, KEY_WOW64_64KEY or
// KEY_WOW64_32KEY): for the machine's keys of the test prefix.
std::optional<RegistryValue> ReadValue(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name);
void WriteValue(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name, const RegistryValue& value);
void DeleteTree(HKEY root, REGSAM view, const std::wstring& path);
void DeleteValue(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name);
// Every key and value below path, as test::RegistryLines gives them.
std::vector<std::string> TreeLines(HKEY root, REGSAM view, const std::wstring& path);

}  // namespace orvel::e2e
