// Device-independent bitmaps as the clipboard carries them: CF_DIB, and the
// formats "Toolbar Button Face" and "Toolbar Button Mask" through which a
// command-bar button takes its face.
//
// A block is what the system's global memory block holds: a 40-byte
// BITMAPINFOHEADER, the colour table (two entries for a 1-bit mask), then
// the rows of pixels, bottom row first, each padded to 4 bytes. Pixel bytes
// are blue, green, red; Pictures keep 0x00BBGGRR.
#ifndef PINLET_PLATFORM_DIB_H_
#define PINLET_PLATFORM_DIB_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/picture.h"

namespace pinlet {

constexpr size_t kDibHeaderSize = 40;
// Where the bits of a 1-bit DIB start: the header and two colour entries.
constexpr size_t kMaskBitsOffset = kDibHeaderSize + 2 * 4;

// The picture as a DIB of its own depth: 32 bits per pixel when the picture
// declares 32, else 24. Requires a non-empty picture.
std::string DibFromPicture(const Picture& picture);

// The 1-bit mask of `picture` as a DIB: a bit is set (colour-table entry 1,
// white) where the pixel has the colour `transparent`, clear (entry 0,
// black) elsewhere. Requires a non-empty picture.
std::string MaskDibFromPicture(const Picture& picture, uint32_t transparent);

// The picture a DIB block holds: 1, 4, 8, 24 or 32 bits per pixel,
// uncompressed (or 32-bit with the standard bit fields), bottom-up or
// top-down; colours of the lower depths come from the colour table. Bytes
// after the bits are ignored. nullopt for anything malformed, for a block
// too short for its bits, and for a bitmap over 30000 pixels wide or high.
std::optional<Picture> PictureFromDib(std::string_view block);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_DIB_H_
