// GDI objects owned by scope, and the two drawings the Win32 surfaces share:
// a Picture as a bitmap, and the monochrome mask of its pixels of one
// colour (1 where the pixel has that colour, 0 elsewhere), made as the
// system's picture code makes masks: the bitmap in a memory device context
// whose background colour is that colour, copied (SRCCOPY) into a
// monochrome bitmap. Each function answers nullptr when the system refuses
// an object; the caller owns what it is given (GdiObject deletes it).
#ifndef PINLET_PLATFORM_WIN32_GDI_OBJECTS_H_
#define PINLET_PLATFORM_WIN32_GDI_OBJECTS_H_

#include <windows.h>

#include <cstdint>

#include "platform/picture.h"

namespace pinlet::gdi {

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

// The picture as a 32-bit top-down DIB section compatible with `like`.
// Requires picture.pixels.size() == width * height.
HBITMAP PictureBitmap(HDC like, const Picture& picture);

// The monochrome mask of `bitmap` (width x height): 1 where the pixel has
// the colour `transparent` (0x00BBGGRR), 0 elsewhere. `palette`, when given,
// is selected and realised for the copy.
HBITMAP TransparencyMask(HDC like, HBITMAP bitmap, int width, int height,
                         uint32_t transparent, HPALETTE palette = nullptr);

}  // namespace pinlet::gdi

#endif  // PINLET_PLATFORM_WIN32_GDI_OBJECTS_H_
