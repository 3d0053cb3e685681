#include "window_capture.h"

#include <algorithm>

namespace pinlet::testing {
namespace {

// What the section holds before a copy: a colour no window of ours draws.
constexpr uint32_t kUntouched = 0x00FE01FD;

// A 32-bit top-down DIB section of that size, selected into a memory DC,
// released with the object.
class Section {
 public:
  Section(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS,
                               reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~Section() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  Section(const Section&) = delete;
  Section& operator=(const Section&) = delete;

  bool ok() const { return old_ != nullptr && bits_ != nullptr; }
  HDC dc() const { return dc_; }
  void Fill() {
    GdiFlush();
    std::fill(bits_, bits_ + Count(), kUntouched);
  }
  // The pixels as COLORREFs; empty when any pixel was left as Fill left
  // it (a copy that skipped the frame or a child is no picture).
  std::vector<uint32_t> Pixels() {
    GdiFlush();
    std::vector<uint32_t> pixels(Count());
    for (size_t i = 0; i < pixels.size(); ++i) {
      uint32_t rgb = bits_[i];  // 0x00RRGGBB: in memory B, G, R
      if (rgb == kUntouched) return {};
      pixels[i] = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    }
    return pixels;
  }

 private:
  size_t Count() const { return static_cast<size_t>(width_) * height_; }
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace

std::optional<Capture> CaptureWindow(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return std::nullopt;
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  // Paints the window, its frame and every child now, whatever paint is
  // still queued (UpdateWindow alone leaves the children to the queue).
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Section section(width, height);
  if (!section.ok()) return std::nullopt;
  Capture capture;
  capture.image.width = width;
  capture.image.height = height;

  section.Fill();
  if (PrintWindow(window, section.dc(), 0)) {
    capture.image.pixels = section.Pixels();
    capture.method = "PrintWindow";
  }
  if (capture.image.pixels.empty()) {
    section.Fill();
    // The window's whole area, its children included whatever its style
    // (GetWindowDC would clip them out of a WS_CLIPCHILDREN window).
    HDC window_dc = GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE);
    if (window_dc) {
      if (BitBlt(section.dc(), 0, 0, width, height, window_dc, 0, 0, SRCCOPY)) {
        capture.image.pixels = section.Pixels();
        capture.method = "BitBlt";
      }
      ReleaseDC(window, window_dc);
    }
  }
  if (capture.image.pixels.empty()) return std::nullopt;
  return capture;
}

size_t CountColour(const Image& image, uint32_t colour) {
  return static_cast<size_t>(
      std::count(image.pixels.begin(), image.pixels.end(), colour));
}

}  // namespace pinlet::testing
