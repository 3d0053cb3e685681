// Twips and the screen's pixels.
//
// The add-in places windows and controls in twips (1440 to the inch); the
// system places them in pixels. The conversion uses the screen's logical
// dots per inch (GetDeviceCaps LOGPIXELSX / LOGPIXELSY of the screen DC),
// read once per process, rounding to the nearest unit (MulDiv), so that a
// pixel value converted to twips and back is the same pixel value. A screen
// whose DC cannot be had counts as 96 dots per inch (15 twips a pixel).
#ifndef PINLET_PLATFORM_WIN32_TWIPS_H_
#define PINLET_PLATFORM_WIN32_TWIPS_H_

#include <windows.h>

#include <cstdint>

namespace pinlet {

namespace twips_detail {

constexpr int kTwipsPerInch = 1440;

struct ScreenDpi {
  int x = 96;
  int y = 96;
};

inline ScreenDpi ReadScreenDpi() {
  ScreenDpi dpi;
  if (HDC screen = GetDC(nullptr)) {
    int x = GetDeviceCaps(screen, LOGPIXELSX);
    int y = GetDeviceCaps(screen, LOGPIXELSY);
    if (x > 0) dpi.x = x;
    if (y > 0) dpi.y = y;
    ReleaseDC(nullptr, screen);
  }
  return dpi;
}

inline const ScreenDpi& Dpi() {
  static const ScreenDpi dpi = ReadScreenDpi();
  return dpi;
}

}  // namespace twips_detail

inline int32_t TwipsToPixelsX(int32_t twips) {
  return MulDiv(twips, twips_detail::Dpi().x, twips_detail::kTwipsPerInch);
}
inline int32_t TwipsToPixelsY(int32_t twips) {
  return MulDiv(twips, twips_detail::Dpi().y, twips_detail::kTwipsPerInch);
}
inline int32_t PixelsToTwipsX(int32_t pixels) {
  return MulDiv(pixels, twips_detail::kTwipsPerInch, twips_detail::Dpi().x);
}
inline int32_t PixelsToTwipsY(int32_t pixels) {
  return MulDiv(pixels, twips_detail::kTwipsPerInch, twips_detail::Dpi().y);
}

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_TWIPS_H_
