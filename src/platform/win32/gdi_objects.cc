#include "platform/win32/gdi_objects.h"

namespace pinlet::gdi {

HBITMAP PictureBitmap(HDC like, const Picture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && !bits) {
    DeleteObject(bitmap);
    return nullptr;
  }
  if (!bitmap) return nullptr;
  // Pictures keep 0x00BBGGRR; a 32-bit DIB's pixel reads 0x00RRGGBB.
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    uint32_t c = picture.pixels[i];
    out[i] = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  }
  GdiFlush();
  return bitmap;
}

HBITMAP TransparencyMask(HDC like, HBITMAP bitmap, int width, int height,
                         uint32_t transparent, HPALETTE palette) {
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  if (!mask) return nullptr;
  bool copied = false;
  {
    MemoryContext source(like, bitmap);
    MemoryContext target(like, mask);
    if (source.ready() && target.ready()) {
      if (palette) source.UsePalette(palette);
      SetBkColor(source.get(), transparent & 0xFFFFFF);
      SetTextColor(source.get(), RGB(255, 255, 255));
      copied = BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    }
  }  // the mask leaves its context before anyone reads it
  if (!copied) {
    DeleteObject(mask);
    return nullptr;
  }
  return mask;
}

}  // namespace pinlet::gdi
