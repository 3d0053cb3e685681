// Drawing the system does for the add-in: the transparency mask of a button
// face, which the command bars take from the clipboard with the face.
//
// The mask is made as the system's graphics make it: the face is selected
// into a memory device context whose background colour is the transparent
// colour, and copied (SRCCOPY) into a monochrome bitmap, so that pixels of
// that colour become 1 and every other pixel 0. The result is a 1-bit DIB
// block as dib.h lays it out. Failure is an answer (nullopt), never a raised
// error, as the system's calls answer a null handle.
#ifndef PINLET_PLATFORM_GRAPHICS_H_
#define PINLET_PLATFORM_GRAPHICS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "platform/picture.h"

namespace pinlet {

class Graphics {
 public:
  virtual ~Graphics() = default;
  // The 1-bit mask of a non-empty `picture` as a DIB block: bits set
  // (colour-table entry 1, white) where the pixel is `transparent`
  // (0x00BBGGRR), clear (entry 0, black) elsewhere. nullopt when the system
  // cannot make it.
  virtual std::optional<std::string> CreateButtonMask(const Picture& picture,
                                                      uint32_t transparent) = 0;
};

// The mask computed from the pixels, as the system's graphics compute it on
// a true-colour screen; what the simulated machine draws with.
class PixelGraphics : public Graphics {
 public:
  std::optional<std::string> CreateButtonMask(const Picture& picture,
                                              uint32_t transparent) override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_GRAPHICS_H_
