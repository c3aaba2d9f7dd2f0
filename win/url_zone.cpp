#include "win/url_zone.h"

#include <windows.h>
// After windows.h, which it needs.
#include <urlmon.h>

#include "win/system_library.h"
#include "win/unique_any.h"
#include "win/utf16_text.h"

namespace orvel {

std::optional<uint32_t> UrlZone(std::string_view url) {
  // ole32 and urlmon are loaded by the one verb that asks, so the others
  // start without them.
  using CreateManager = HRESULT(WINAPI*)(IServiceProvider*, IInternetSecurityManager**, DWORD);
  const ComApartment apartment;
  const auto create = LoadSystemFunction<CreateManager>(L"urlmon.dll", "CoInternetCreateSecurityManager");
  if (create == nullptr) return std::nullopt;
  UniqueCom<IInternetSecurityManager> manager;
  if (FAILED(create(nullptr, manager.put(), 0)) || !manager.valid()) return std::nullopt;
  DWORD mapped = 0;
  if (FAILED(manager.get()->MapUrlToZone(Utf8ToWide(url).c_str(), &mapped, 0))) return std::nullopt;
  return mapped;
}

}  // namespace orvel
