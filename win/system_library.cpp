#include "win/system_library.h"

// After windows.h, which it needs.
#include <objbase.h>

#include <string>

namespace orvel {
namespace {

// Kept loaded for the life of the process.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Without KB2533623 the flag is an invalid parameter: name the file by its
  // full path instead, and let its own imports be found beside it first.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

void LoadDllsFromSystemOnly() {
  // Windows 7 without KB2533623 has neither the function nor the flag; there
  // the program's folder stays searched, but the current folder no longer is.
  const auto set_default =
      LoadSystemFunction<decltype(&::SetDefaultDllDirectories)>(L"kernel32.dll", "SetDefaultDllDirectories");
  if (set_default == nullptr || !set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

FARPROC LoadSystemProc(const wchar_t* dll, const char* name) {
  const HMODULE module = LoadSystemLibrary(dll);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

ComApartment::ComApartment() {
  using Initialize = HRESULT(WINAPI*)(void*, DWORD);
  static const auto initialize = LoadSystemFunction<Initialize>(L"ole32.dll", "CoInitializeEx");
  static const auto uninitialize = LoadSystemFunction<Uninitialize>(L"ole32.dll", "CoUninitialize");
  if (initialize != nullptr && uninitialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED))) {
    uninitialize_ = uninitialize;
  }
}

ComApartment::~ComApartment() {
  if (uninitialize_ != nullptr) uninitialize_();
}

}  // namespace orvel
