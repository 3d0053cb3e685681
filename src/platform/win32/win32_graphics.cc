#include "platform/win32/win32_graphics.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/dib.h"

namespace pinlet {
namespace {

// A GDI object deleted when it goes out of scope.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_;
};

// A memory device context compatible with `like`, with `bitmap` selected
// into it for as long as it lives.
class MemoryContext {
 public:
  MemoryContext(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)) {
    if (dc_ && bitmap) previous_ = SelectObject(dc_, bitmap);
  }
  ~MemoryContext() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    if (palette_) SelectPalette(dc_, palette_, FALSE);
    DeleteDC(dc_);
  }
  MemoryContext(const MemoryContext&) = delete;
  MemoryContext& operator=(const MemoryContext&) = delete;
  HDC get() const { return dc_; }
  bool ready() const { return dc_ && previous_; }
  // Selects and realises `palette`; the previous one is put back at the end.
  void UsePalette(HPALETTE palette) {
    palette_ = SelectPalette(dc_, palette, FALSE);
    RealizePalette(dc_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
  HPALETTE palette_ = nullptr;
};

// The screen's device context, released when it goes out of scope.
class ScreenContext {
 public:
  ScreenContext() : dc_(GetDC(nullptr)) {}
  ~ScreenContext() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenContext(const ScreenContext&) = delete;
  ScreenContext& operator=(const ScreenContext&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The picture as a 32-bit top-down DIB section.
HBITMAP FaceBitmap(HDC screen, const Picture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  // Pictures keep 0x00BBGGRR; a 32-bit DIB's pixel reads 0x00RRGGBB.
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    uint32_t c = picture.pixels[i];
    out[i] = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  }
  GdiFlush();
  return bitmap;
}

// The monochrome bitmap as a bottom-up 1-bit DIB block; "" on failure.
std::string MaskBlock(HDC screen, HBITMAP mask, int width, int height) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
  std::vector<char> bits(stride * static_cast<size_t>(height));
  if (GetDIBits(screen, mask, 0, static_cast<UINT>(height), bits.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height)
    return "";
  info.header.biSizeImage = static_cast<DWORD>(bits.size());
  std::string block(kMaskBitsOffset + bits.size(), '\0');
  std::memcpy(block.data(), &info, kMaskBitsOffset);
  std::memcpy(block.data() + kMaskBitsOffset, bits.data(), bits.size());
  return block;
}

}  // namespace

std::optional<std::string> Win32Graphics::CreateButtonMask(const Picture& picture,
                                                           uint32_t transparent) {
  if (picture.empty() ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
    return std::nullopt;
  ScreenContext screen;
  if (!screen.get()) return std::nullopt;
  GdiObject<HPALETTE> palette(CreateHalftonePalette(screen.get()));
  GdiObject<HBITMAP> face(FaceBitmap(screen.get(), picture));
  GdiObject<HBITMAP> mask(CreateBitmap(picture.width, picture.height, 1, 1, nullptr));
  if (!face || !mask) return std::nullopt;
  {
    MemoryContext source(screen.get(), face.get());
    MemoryContext target(screen.get(), mask.get());
    if (!source.ready() || !target.ready()) return std::nullopt;
    if (palette) source.UsePalette(palette.get());
    SetBkColor(source.get(), transparent & 0xFFFFFF);
    SetTextColor(source.get(), RGB(255, 255, 255));
    if (!BitBlt(target.get(), 0, 0, picture.width, picture.height, source.get(), 0, 0,
                SRCCOPY))
      return std::nullopt;
  }  // GetDIBits wants the bitmap selected into no context
  std::string block = MaskBlock(screen.get(), mask.get(), picture.width, picture.height);
  if (block.empty()) return std::nullopt;
  return block;
}

}  // namespace pinlet
