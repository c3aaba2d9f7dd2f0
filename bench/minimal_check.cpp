// The floor for one check: a window whose button makes the registry calls a
// check makes, with nothing else around them, then shows its message box.
// The edit box holds the host itself; a host of digits and dots is numeric.
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int kEditId = 1;
constexpr int kButtonId = 2;
constexpr wchar_t kDomains[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains\\";
constexpr wchar_t kRanges[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Ranges\\";
constexpr wchar_t kZone2[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\2";
constexpr wchar_t kAllow[] = L"Software\\Microsoft\\Internet Explorer\\New Windows\\Allow";

bool IsNumeric(const std::wstring& host) { return host.find_first_not_of(L"0123456789.") == std::wstring::npos; }

DWORD ReadDword(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  return value;
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::vector<std::wstring> ListRanges() {
  std::vector<std::wstring> names;
  HKEY ranges = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRanges, 0, KEY_READ, &ranges) == ERROR_SUCCESS) {
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 255;
      if (RegEnumKeyExW(ranges, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, length);
    }
    RegCloseKey(ranges);
  }
  return names;
}

// Looks the host up among the Range entries and, as a check does, lists them
// again to name the new one.
void AddRange(const std::wstring& host) {
  for (const std::wstring& name : ListRanges()) {
    HKEY entry = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (kRanges + name).c_str(), 0, KEY_READ, &entry) != ERROR_SUCCESS) continue;
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    const bool found =
        RegQueryValueExW(entry, L":Range", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
    const DWORD zone = ReadDword(entry, L"http");
    RegCloseKey(entry);
    if (found && zone == 2 && host == text) return;
  }
  const std::vector<std::wstring> names = ListRanges();
  for (size_t number = names.size() + 1;; ++number) {
    HKEY entry = nullptr;
    DWORD disposition = 0;
    const std::wstring path = kRanges + std::wstring(L"Range") + std::to_wstring(number);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &entry,
                        &disposition) != ERROR_SUCCESS) {
      return;
    }
    if (disposition == REG_CREATED_NEW_KEY) {
      WriteDword(entry, L"http", 2);
      RegSetValueExW(entry, L":Range", 0, REG_SZ, reinterpret_cast<const BYTE*>(host.c_str()),
                     static_cast<DWORD>((host.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(entry);
      return;
    }
    RegCloseKey(entry);
  }
}

void AddDomain(const std::wstring& host) {
  const size_t dot = host.find(L'.');
  const bool split = dot != std::wstring::npos && host.find(L'.', dot + 1) != std::wstring::npos;
  const std::wstring path = kDomains + (split ? host.substr(dot + 1) + L"\\" + host.substr(0, dot) : host);
  HKEY entry = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &entry) == ERROR_SUCCESS) {
    const DWORD zone = ReadDword(entry, L"http");
    RegCloseKey(entry);
    if (zone == 2) return;
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &entry, nullptr) ==
      ERROR_SUCCESS) {
    WriteDword(entry, L"http", 2);
    RegCloseKey(entry);
  }
}

void SetPermissions(const std::wstring& host) {
  HKEY zone = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kZone2, 0, KEY_SET_VALUE, &zone) != ERROR_SUCCESS) return;
  for (const wchar_t* name : {L"1001", L"1004", L"1200", L"1201", L"1405", L"2201", L"2200"}) WriteDword(zone, name, 0);
  WriteDword(zone, L"1809", 3);
  RegCloseKey(zone);
  HKEY allow = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kAllow, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &allow, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  const BYTE zeros[2] = {};
  RegSetValueExW(allow, host.c_str(), 0, REG_BINARY, zeros, sizeof zeros);
  RegCloseKey(allow);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && LOWORD(wparam) == kButtonId) {
    wchar_t text[512] = {};
    GetDlgItemTextW(window, kEditId, text, 512);
    const std::wstring host = text;
    if (IsNumeric(host)) {
      AddRange(host);
    } else {
      AddDomain(host);
    }
    SetPermissions(host);
    MessageBoxW(window, L"done", L"minimal check", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"MinimalCheck";
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"MinimalCheck", L"minimal check", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                441, 285, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 16, 38, 263, 23, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"check", WS_CHILD | WS_VISIBLE, 288, 38, 67, 25, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), instance, nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
