#include "tests/e2e/screen_capture.h"

#include <cstring>

#include "win/unique_any.h"

namespace orvel::e2e {
namespace {

// A top-down 32-bit bitmap selected into a memory DC for the time of a draw.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  Pixels Read() const {
    GdiFlush();
    Pixels pixels{width_, height_, std::vector<uint32_t>(static_cast<size_t>(width_) * height_)};
    if (bits_ != nullptr) std::memcpy(pixels.data.data(), bits_, pixels.data.size() * sizeof(uint32_t));
    for (uint32_t& pixel : pixels.data) pixel &= 0xFFFFFF;
    return pixels;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

void Put16(std::string& out, uint16_t value) { out.append(reinterpret_cast<const char*>(&value), 2); }
void Put32(std::string& out, uint32_t value) { out.append(reinterpret_cast<const char*>(&value), 4); }

// A 24-bit BMP file, bottom row first.
std::string Bmp(const Pixels& pixels) {
  const uint32_t row = (static_cast<uint32_t>(pixels.width) * 3 + 3) & ~3u;
  const uint32_t image = row * static_cast<uint32_t>(pixels.height);
  std::string out = "BM";
  Put32(out, 54 + image);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(pixels.width));
  Put32(out, static_cast<uint32_t>(pixels.height));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = pixels.height - 1; y >= 0; --y) {
    std::string line;
    for (int x = 0; x < pixels.width; ++x) {
      const uint32_t pixel = pixels.data[static_cast<size_t>(y) * pixels.width + x];
      line += {static_cast<char>(pixel & 0xFF), static_cast<char>((pixel >> 8) & 0xFF),
               static_cast<char>((pixel >> 16) & 0xFF)};
    }
    line.resize(row, '\0');
    out += line;
  }
  return out;
}

}  // namespace

Pixels CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  Canvas canvas(width, height);
  const UniqueWindowDc screen(nullptr);
  BitBlt(canvas.dc(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  return canvas.Read();
}

Pixels Render(int width, int height, uint32_t background, const std::function<void(HDC)>& draw) {
  Canvas canvas(width, height);
  const HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
  const RECT all{0, 0, width, height};
  FillRect(canvas.dc(), &all, brush);
  DeleteObject(brush);
  draw(canvas.dc());
  return canvas.Read();
}

bool SaveScreenArea(const RECT& area, const std::wstring& path) {
  const Pixels pixels = CaptureScreen(area);
  if (pixels.data.empty()) return false;
  const std::string bytes = Bmp(pixels);
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file.valid() && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace orvel::e2e
