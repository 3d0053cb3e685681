#include "platform/win32/twips.h"

#include <windows.h>

namespace pinlet {
namespace {

constexpr int kTwipsPerInch = 1440;

// The screen's dots per inch along LOGPIXELSX or LOGPIXELSY, read from the
// screen's DC on each call.
int ReadScreenDpi(int axis) {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The same, read once per process: the logical resolution of the screen is
// fixed for a session, and every placement of a control converts.
int ScreenDpi(int axis) {
  static const int x = ReadScreenDpi(LOGPIXELSX);
  static const int y = ReadScreenDpi(LOGPIXELSY);
  return axis == LOGPIXELSX ? x : y;
}

}  // namespace

int32_t TwipsToPixelsX(int32_t twips) {
  return MulDiv(twips, ScreenDpi(LOGPIXELSX), kTwipsPerInch);
}
int32_t TwipsToPixelsY(int32_t twips) {
  return MulDiv(twips, ScreenDpi(LOGPIXELSY), kTwipsPerInch);
}
int32_t PixelsToTwipsX(int32_t pixels) {
  return MulDiv(pixels, kTwipsPerInch, ScreenDpi(LOGPIXELSX));
}
int32_t PixelsToTwipsY(int32_t pixels) {
  return MulDiv(pixels, kTwipsPerInch, ScreenDpi(LOGPIXELSY));
}

int32_t TwipsPlace::ToPixels(Edge edge, int32_t twips) {
  return edge == kLeft || edge == kWidth ? TwipsToPixelsX(twips) : TwipsToPixelsY(twips);
}

void TwipsPlace::Set(Edge edge, int32_t twips) {
  twips_[edge] = twips;
  known_[edge] = true;
}

int32_t TwipsPlace::Get(Edge edge, int32_t pixels) const {
  if (known_[edge] && ToPixels(edge, twips_[edge]) == pixels) return twips_[edge];
  return edge == kLeft || edge == kWidth ? PixelsToTwipsX(pixels)
                                         : PixelsToTwipsY(pixels);
}

}  // namespace pinlet
