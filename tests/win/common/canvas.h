#pragma once
// A 32-bit memory bitmap to paint into and read pixels back from (GUI test helper).

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quizmora::test {

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF pixel(int x, int y) const;
  // Copies what the screen shows of `window`'s client area into the canvas.
  void copyFrom(HWND window);
  // Writes the canvas to a .bmp file, for a look at what a test saw.
  bool save(const std::wstring& path) const;

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  const DWORD* bits_ = nullptr;
};

inline Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  bits_ = static_cast<const DWORD*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
  const COLORREF old = SetBkColor(dc_, fill);
  RECT all{0, 0, width, height};
  ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  SetBkColor(dc_, old);
}

inline Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

inline COLORREF Canvas::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const DWORD value = bits_[y * width_ + x];  // 0x00RRGGBB
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

inline void Canvas::copyFrom(HWND window) {
  // From the screen, so that children, frames and all show as the user sees them.
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  BitBlt(dc_, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

inline bool Canvas::save(const std::wstring& path) const {
  // 24-bit rows, bottom-up and padded to four bytes: what every viewer reads.
  const int rowSize = (width_ * 3 + 3) & ~3;
  std::vector<unsigned char> rows(static_cast<std::size_t>(rowSize) * height_, 0);
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    unsigned char* row = &rows[static_cast<std::size_t>(height_ - 1 - y) * rowSize];
    for (int x = 0; x < width_; ++x) {
      const DWORD value = bits_[y * width_ + x];
      row[x * 3] = static_cast<unsigned char>(value & 0xFF);
      row[x * 3 + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<unsigned char>((value >> 16) & 0xFF);
    }
  }
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width_;
  header.biHeight = height_;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  const bool written = fwrite(&file, sizeof(file), 1, out) == 1 &&
                       fwrite(&header, sizeof(header), 1, out) == 1 &&
                       fwrite(rows.data(), rows.size(), 1, out) == 1;
  return fclose(out) == 0 && written;
}

}  // namespace quizmora::test
