#include "win/desktop_shell.h"

#include <windows.h>
// After windows.h, which they need.
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "win/system_library.h"
#include "win/unique_any.h"

namespace orvel {
namespace {

// ole32 and oleaut32 are loaded only by a Login that needs the shell.
struct ComFunctions {
  decltype(&::CoCreateInstance) create;
  decltype(&::SysAllocString) allocate_string;
  decltype(&::SysFreeString) free_string;
};

// A string VARIANT that owns its BSTR.
class StringVariant {
 public:
  StringVariant(const ComFunctions& com, const std::wstring& text) : free_(com.free_string) {
    value_.vt = VT_BSTR;
    value_.bstrVal = com.allocate_string(text.c_str());
  }
  StringVariant(const StringVariant&) = delete;
  StringVariant& operator=(const StringVariant&) = delete;
  ~StringVariant() { free_(value_.bstrVal); }

  const VARIANT& get() const { return value_; }

 private:
  decltype(&::SysFreeString) free_;
  VARIANT value_{};
};

template <typename Interface>
HRESULT Query(IUnknown* object, REFIID id, UniqueCom<Interface>& out) {
  return object->QueryInterface(id, reinterpret_cast<void**>(out.put()));
}

// The Shell.Application object of the desktop's own shell process: its
// desktop window, that window's browser, the view it shows, and the
// automation object behind the view's background.
UniqueCom<IShellDispatch2> DesktopShellDispatch(const ComFunctions& com) {
  UniqueCom<IShellWindows> windows;
  if (FAILED(com.create(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                        reinterpret_cast<void**>(windows.put())))) {
    return {};
  }
  VARIANT desktop_location{};
  desktop_location.vt = VT_I4;
  desktop_location.lVal = CSIDL_DESKTOP;
  VARIANT no_root{};
  long window = 0;
  UniqueCom<IDispatch> desktop;
  if (windows.get()->FindWindowSW(&desktop_location, &no_root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                  desktop.put()) != S_OK ||
      !desktop.valid()) {
    return {};
  }
  UniqueCom<IServiceProvider> services;
  UniqueCom<IShellBrowser> browser;
  UniqueCom<IShellView> view;
  UniqueCom<IDispatch> background;
  UniqueCom<IShellFolderViewDual> folder_view;
  UniqueCom<IDispatch> application;
  UniqueCom<IShellDispatch2> shell;
  if (FAILED(Query(desktop.get(), IID_IServiceProvider, services)) ||
      FAILED(services.get()->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                          reinterpret_cast<void**>(browser.put()))) ||
      FAILED(browser.get()->QueryActiveShellView(view.put())) || !view.valid() ||
      FAILED(view.get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(background.put()))) ||
      FAILED(Query(background.get(), IID_IShellFolderViewDual, folder_view)) ||
      FAILED(folder_view.get()->get_Application(application.put())) || !application.valid() ||
      FAILED(Query(application.get(), IID_IShellDispatch2, shell))) {
    return {};
  }
  return shell;
}

}  // namespace

bool OpenThroughDesktopShell(const std::wstring& file, const std::wstring& parameters) {
  static const ComFunctions com{LoadSystemFunction<decltype(&::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance"),
                                LoadSystemFunction<decltype(&::SysAllocString)>(L"oleaut32.dll", "SysAllocString"),
                                LoadSystemFunction<decltype(&::SysFreeString)>(L"oleaut32.dll", "SysFreeString")};
  if (com.create == nullptr || com.allocate_string == nullptr || com.free_string == nullptr) return false;
  const ComApartment apartment;
  const UniqueCom<IShellDispatch2> shell = DesktopShellDispatch(com);
  if (!shell.valid()) return false;
  const StringVariant file_name(com, file);
  const StringVariant arguments(com, parameters);
  const StringVariant directory(com, L"");
  const StringVariant operation(com, L"open");
  VARIANT show{};
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  return shell.get()->ShellExecute(file_name.get().bstrVal, arguments.get(), directory.get(), operation.get(), show) ==
         S_OK;
}

}  // namespace orvel
