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

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_TWIPS_H_
