#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "win/unique_any.h"

namespace orvel::e2e {

using namespace std::chrono_literals;

// Where the programs under test are; set once from the command line.
struct Programs {
  std::wstring product;    // orvel-helper.exe
  std::wstring recorder;   // the stand-in for iexplore.exe
  std::wstring artifacts;  // a folder for screenshots, or empty
};
Programs& programs();

// What a message box of the product showed.
struct ShownBox {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  // The icon it shows: IDI_EXCLAMATION, IDI_INFORMATION or nullptr when
  // neither could be recognised.
  const wchar_t* icon = nullptr;
};

// orvel-helper.exe, copied into a folder of the test's own (so ca.dat is the
// test's own) and started there, used through its window as a person would.
class Product {
 public:
  explicit Product(const std::wstring& folder);
  ~Product();
  Product(const Product&) = delete;
  Product& operator=(const Product&) = delete;

  HWND window() const { return window_; }
  HWND Control(int id) const;
  std::wstring Caption() const;
  std::wstring Address() const;
  void TypeAddress(const std::wstring& text);
  std::vector<std::wstring> ListLines() const;
  // Whether the list shows its sideways scroll bar.
  bool ListScrollsSideways() const;
  // The control that has the keyboard focus in the product.
  HWND Focus() const;

  // Presses a button the way a click does; the handler runs on.
  void Press(int id);
  // Keys pressed on the keyboard while the window is in front.
  void Keys(std::initializer_list<WORD> virtual_keys);
  void Type(const std::wstring& text);
  // Waits until the product has handled everything it was sent.
  void Settle();

  // The message box the product shows now, waiting for it up to timeout.
  ShownBox WaitForBox(std::chrono::milliseconds timeout = 15s);
  bool HasBox();
  // Presses OK and waits until the box has gone.
  void CloseBox(const ShownBox& box) { Answer(box, IDOK); }
  // Presses the box's button `id` (IDYES, IDNO, ...) and waits until it has gone.
  void Answer(const ShownBox& box, int id);

  // Saves the window as it is on the screen, as a BMP file.
  bool SaveScreenshot(const std::wstring& path) const;

  bool Exited(std::chrono::milliseconds timeout);

 private:
  HWND FindBox() const;

  std::optional<UniqueHandle> process_;
  DWORD process_id_ = 0;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
};

// A Linux path as Wine sees it (Z: is the root); Windows paths unchanged.
std::wstring WindowsPath(const std::wstring& path);

// Polls until the condition holds or the time is up; the condition's last value.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return condition();
    Sleep(50);
  }
  return true;
}

}  // namespace orvel::e2e
