#pragma once

#include <windows.h>
// After windows.h, which it needs; lean builds leave it out.
#include <objbase.h>

#include <cstdint>
#include <utility>

namespace orvel {

// Owns one handle of type T and releases it once, with Close. A null handle
// is none; so is `Invalid` for the kinds whose functions fail with another
// value (-1 for files).
template <typename T, auto Close, intptr_t Invalid = 0>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(T handle) : handle_(handle) {}
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  ~UniqueAny() { reset(); }

  T get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && reinterpret_cast<intptr_t>(handle_) != Invalid; }

  // Closes the handle held, if any, and holds `handle` instead.
  void reset(T handle = nullptr) {
    if (valid()) Close(handle_);
    handle_ = handle;
  }
  // Gives the handle up unclosed, for a caller that must see how closing it went.
  [[nodiscard]] T release() { return std::exchange(handle_, nullptr); }
  // Closes the handle held, if any, and lends the empty slot to a function
  // that hands a new handle out through a pointer.
  [[nodiscard]] T* put() {
    reset();
    return &handle_;
  }

 private:
  T handle_ = nullptr;
};

// Kernel objects and files: CreateFile fails with -1, the others with null.
using UniqueHandle = UniqueAny<HANDLE, &::CloseHandle, -1>;
using UniqueKey = UniqueAny<HKEY, &::RegCloseKey>;
using UniqueFont = UniqueAny<HFONT, &::DeleteObject>;

template <typename T>
void FreeLocal(T* memory) {
  LocalFree(memory);
}
// What LocalAlloc gave, as the security functions hand it out: SIDs,
// their texts, security descriptors.
template <typename T>
using UniqueLocal = UniqueAny<T*, &FreeLocal<T>>;

template <typename Interface>
void ReleaseCom(Interface* object) {
  object->Release();
}
// One reference to a COM object.
template <typename Interface>
using UniqueCom = UniqueAny<Interface*, &ReleaseCom<Interface>>;

// A window's device context, which only that window can give back.
class UniqueWindowDc {
 public:
  // The screen's, for a null window.
  explicit UniqueWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  UniqueWindowDc(const UniqueWindowDc&) = delete;
  UniqueWindowDc& operator=(const UniqueWindowDc&) = delete;
  ~UniqueWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace orvel
