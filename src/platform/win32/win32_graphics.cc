#include "platform/win32/win32_graphics.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/dib.h"
#include "platform/win32/gdi_objects.h"

namespace pinlet {
namespace {

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
  gdi::ScreenContext screen;
  if (!screen.get()) return std::nullopt;
  gdi::GdiObject<HPALETTE> palette(CreateHalftonePalette(screen.get()));
  gdi::GdiObject<HBITMAP> face(gdi::PictureBitmap(screen.get(), picture));
  if (!face) return std::nullopt;
  gdi::GdiObject<HBITMAP> mask(gdi::TransparencyMask(screen.get(), face.get(),
                                                     picture.width, picture.height,
                                                     transparent, palette.get()));
  if (!mask) return std::nullopt;
  std::string block = MaskBlock(screen.get(), mask.get(), picture.width, picture.height);
  if (block.empty()) return std::nullopt;
  return block;
}

}  // namespace pinlet
