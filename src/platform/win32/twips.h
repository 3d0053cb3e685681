// Twips and the screen's pixels: the conversion every Win32 surface uses
// between the add-in's twips (1440 to the inch, positions and sizes as the
// host keeps them) and the system's pixels, at the dots per inch of the
// screen (GetDeviceCaps LOGPIXELSX / LOGPIXELSY of the screen's DC).
//
// The resolution is read once per process. Each call rounds to the nearest
// unit (MulDiv). When the screen's DC cannot be had the system's usual 96
// dots per inch are taken, so that a conversion never fails.
#ifndef PINLET_PLATFORM_WIN32_TWIPS_H_
#define PINLET_PLATFORM_WIN32_TWIPS_H_

#include <cstdint>

namespace pinlet {

int32_t TwipsToPixelsX(int32_t twips);
int32_t TwipsToPixelsY(int32_t twips);
int32_t PixelsToTwipsX(int32_t pixels);
int32_t PixelsToTwipsY(int32_t pixels);

// A window's left, top, width and height in twips as they were last set,
// answered back as set while the window still has the pixels they gave: a
// position read back is not rounded to the screen's pixels, so that
// arithmetic on it (centring, a gap kept) never drifts. Once the window was
// moved some other way, the conversion of its pixels is answered.
class TwipsPlace {
 public:
  enum Edge { kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3 };
  // Remembers `twips` for `edge`.
  void Set(Edge edge, int32_t twips);
  // The twips of `edge` whose pixels now are `pixels`.
  int32_t Get(Edge edge, int32_t pixels) const;

 private:
  static int32_t ToPixels(Edge edge, int32_t twips);
  int32_t twips_[4] = {};
  bool known_[4] = {};
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_TWIPS_H_
