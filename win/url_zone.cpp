#include "win/url_zone.h"

#include <windows.h>
// After windows.h, which it needs.
#include <urlmon.h>

#include "win/system_library.h"
#include "win/unique_any.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

// ole32 and urlmon are loaded by the one verb that asks, so the others start
// without them.
template <typename Function>
Function Load(const wchar_t* dll, const char* name) {
  return LoadFunction<Function>(LoadSystemLibrary(dll), name);
}

}  // namespace

std::optional<uint32_t> UrlZone(std::string_view url) {
  using Initialize = HRESULT(WINAPI*)(void*, DWORD);
  using Uninitialize = void(WINAPI*)();
  using CreateManager = HRESULT(WINAPI*)(IServiceProvider*, IInternetSecurityManager**, DWORD);
  const auto initialize = Load<Initialize>(L"ole32.dll", "CoInitializeEx");
  const auto uninitialize = Load<Uninitialize>(L"ole32.dll", "CoUninitialize");
  const auto create = Load<CreateManager>(L"urlmon.dll", "CoInternetCreateSecurityManager");
  if (initialize == nullptr || uninitialize == nullptr || create == nullptr) return std::nullopt;
  const ComApartment apartment(initialize, uninitialize);
  UniqueCom<IInternetSecurityManager> manager;
  if (FAILED(create(nullptr, manager.put(), 0)) || !manager.valid()) return std::nullopt;
  DWORD mapped = 0;
  if (FAILED(manager.get()->MapUrlToZone(Utf8ToWide(url).c_str(), &mapped, 0))) return std::nullopt;
  return mapped;
}

}  // namespace orvel
