#include "tests/e2e/product.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "app/control_ids.h"
#include "app/main_window_layout.h"
#include "tests/e2e/box_icon.h"
#include "tests/e2e/screen_capture.h"

namespace orvel::e2e {
namespace {

constexpr wchar_t kBoxClass[] = L"#32770";

std::wstring TextOf(HWND window) {
  wchar_t text[4096] = {};
  // WM_GETTEXT is carried across processes; GetWindowText would not ask.
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

struct Search {
  DWORD process_id;
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id != search->process_id || !IsWindowVisible(window)) return TRUE;
  if (search->window_class != nullptr && ClassOf(window) != search->window_class) return TRUE;
  if (search->window_class == nullptr && ClassOf(window) == kBoxClass) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindTopLevelOf(DWORD process_id, const wchar_t* window_class) {
  Search search{process_id, window_class, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void CopyProgram(const std::wstring& from, const std::wstring& to) {
  if (!CopyFileW(WindowsPath(from).c_str(), to.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the program under test");
  }
}

// SendMessage that gives up on a product that no longer answers; the
// answer, or 0 where the window is gone.
LRESULT Ask(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 10000, &answer) == 0 &&
      GetLastError() == ERROR_TIMEOUT) {
    throw std::runtime_error("orvel-helper.exe did not answer message " + std::to_string(message) + " within 10 s");
  }
  return static_cast<LRESULT>(answer);
}

INPUT Key(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

Programs& programs() {
  static Programs instance;
  return instance;
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  std::replace(windows.begin(), windows.end(), L'/', L'\\');
  return windows;
}

Product::Product(const std::wstring& folder) {
  const std::wstring program = folder + L"\\orvel-helper.exe";
  CopyProgram(programs().product, program);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring command_line = L"\"" + program + L"\"";
  // Wine now and then fails to start a process at the first try.
  bool created = false;
  for (int attempt = 0; attempt < 3 && !created; ++attempt) {
    if (attempt > 0) Sleep(1000);
    created = CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                             &startup, &started) != FALSE;
  }
  if (!created) throw std::runtime_error("cannot start orvel-helper.exe: error " + std::to_string(GetLastError()));
  process_.emplace(started.hProcess);
  UniqueHandle thread(started.hThread);
  process_id_ = started.dwProcessId;
  thread_id_ = started.dwThreadId;
  WaitForInputIdle(process_->get(), 15000);
  WaitUntil([&] { return (window_ = FindTopLevelOf(process_id_, nullptr)) != nullptr; }, 20s);
  if (window_ == nullptr) {
    TerminateProcess(process_->get(), 1);
    throw std::runtime_error("orvel-helper.exe shows no window");
  }
  SetForegroundWindow(window_);
  Settle();
}

Product::~Product() {
  if (!process_) return;
  // A few boxes at most; one that will not close is ended with the process.
  for (int closed = 0; closed < 5; ++closed) {
    const HWND box = FindBox();
    if (box == nullptr) break;
    CloseBox(ShownBox{box, {}, {}, nullptr});
  }
  PostMessageW(window_, WM_CLOSE, 0, 0);
  if (!Exited(10s)) TerminateProcess(process_->get(), 1);
}

HWND Product::Control(int id) const {
  const bool in_frame = layout::ContainerOf(id) == layout::Container::kFrame;
  return GetDlgItem(in_frame ? GetDlgItem(window_, layout::kFrameControl) : window_, id);
}

std::wstring Product::Caption() const { return TextOf(window_); }

std::wstring Product::Address() const { return TextOf(Control(control_ids::kAddressEdit)); }

void Product::TypeAddress(const std::wstring& text) {
  Ask(Control(control_ids::kAddressEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> Product::ListLines() const {
  const HWND list = Control(control_ids::kProgressList);
  std::vector<std::wstring> lines;
  const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring line(static_cast<size_t>(Ask(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    line.resize(static_cast<size_t>(Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    lines.push_back(line);
  }
  return lines;
}

bool Product::ListScrollsSideways() const {
  // The list hides the bar, taking the style away, while every line fits.
  return (GetWindowLongW(Control(control_ids::kProgressList), GWL_STYLE) & WS_HSCROLL) != 0;
}

HWND Product::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread_id_, &info) ? info.hwndFocus : nullptr;
}

void Product::Press(int id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }

void Product::Keys(std::initializer_list<WORD> virtual_keys) {
  SetForegroundWindow(window_);
  std::vector<INPUT> inputs;
  for (WORD key : virtual_keys) inputs.push_back(Key(key, false));
  for (auto key = std::rbegin(virtual_keys); key != std::rend(virtual_keys); ++key) inputs.push_back(Key(*key, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Product::Type(const std::wstring& text) {
  for (wchar_t c : text) {
    const SHORT scan = VkKeyScanW(c);
    if (scan == -1) throw std::runtime_error("a character with no key");
    if ((scan & 0x100) != 0) {
      Keys({VK_SHIFT, LOBYTE(scan)});
    } else {
      Keys({LOBYTE(scan)});
    }
  }
}

void Product::Settle() {
  WaitForInputIdle(process_->get(), 5000);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

HWND Product::FindBox() const { return FindTopLevelOf(process_id_, kBoxClass); }

bool Product::HasBox() {
  Settle();
  return FindBox() != nullptr;
}

ShownBox Product::WaitForBox(std::chrono::milliseconds timeout) {
  ShownBox box;
  if (!WaitUntil([&] { return (box.window = FindBox()) != nullptr; }, timeout)) return box;
  // Let it finish showing itself before it is read and looked at.
  WaitForInputIdle(process_->get(), 5000);
  Sleep(300);
  box.title = TextOf(box.window);
  for (HWND child = GetWindow(box.window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != L"Static") continue;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      box.icon = RecogniseBoxIcon(child);
    } else if (const std::wstring text = TextOf(child); !text.empty()) {
      box.text = text;
    }
  }
  return box;
}

void Product::Answer(const ShownBox& box, int id) {
  PostMessageW(GetDlgItem(box.window, id), BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(box.window); }, 10s);
  Settle();
}

bool Product::SaveScreenshot(const std::wstring& path) const {
  RECT frame{};
  GetWindowRect(window_, &frame);
  return SaveScreenArea(frame, path);
}

bool Product::Exited(std::chrono::milliseconds timeout) {
  return WaitForSingleObject(process_->get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

}  // namespace orvel::e2e
