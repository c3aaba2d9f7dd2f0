#pragma once

#include <windows.h>

#include <utility>

namespace orvel {

// Owns a GDI font and deletes it once.
class UniqueFont {
 public:
  explicit UniqueFont(HFONT font = nullptr) : font_(font) {}
  UniqueFont(UniqueFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  UniqueFont& operator=(UniqueFont&& other) noexcept {
    if (this != &other) {
      Reset();
      font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
  }
  UniqueFont(const UniqueFont&) = delete;
  UniqueFont& operator=(const UniqueFont&) = delete;
  ~UniqueFont() { Reset(); }

  HFONT get() const { return font_; }

 private:
  void Reset() {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;
  }

  HFONT font_;
};

}  // namespace orvel
