#include "platform/graphics.h"

#include "platform/dib.h"

namespace pinlet {

std::optional<std::string> PixelGraphics::CreateButtonMask(const Picture& picture,
                                                           uint32_t transparent) {
  if (picture.empty()) return std::nullopt;
  return MaskDibFromPicture(picture, transparent);
}

}  // namespace pinlet
