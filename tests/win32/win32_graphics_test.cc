// Button masks made by GDI, checked against the masks computed from the
// pixels: the same bits, the same colour table, for widths on both sides of
// a row's 32-bit padding.
#include "platform/win32/win32_graphics.h"

#include <gtest/gtest.h>

#include "platform/dib.h"

namespace pinlet {
namespace {

// A picture whose pixels cycle through white, magenta and two colours that
// differ from white only in one channel's lowest bit.
Picture Striped(int width, int height) {
  const uint32_t colours[] = {kWhite, kMagenta, 0xFEFFFF, 0x102030, 0xFFFFFE};
  Picture picture{width, height, 24, {}};
  for (int i = 0; i < width * height; ++i)
    picture.pixels.push_back(colours[(i * 7 + i / width) % 5]);
  return picture;
}

TEST(Win32GraphicsTest, TheMaskIsTheOneComputedFromThePixels) {
  Win32Graphics gdi;
  PixelGraphics pixels;
  for (auto [width, height] :
       {std::pair{1, 1}, {3, 2}, {16, 16}, {31, 3}, {32, 2}, {33, 5}, {70, 9}}) {
    Picture face = Striped(width, height);
    for (uint32_t transparent : {kWhite, kMagenta, 0x102030u}) {
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) +
                   " transparent " + std::to_string(transparent));
      std::optional<std::string> made = gdi.CreateButtonMask(face, transparent);
      std::optional<std::string> computed = pixels.CreateButtonMask(face, transparent);
      ASSERT_TRUE(made && computed);
      ASSERT_EQ(made->size(), computed->size());
      // Bit count, size and image size; then the colour table and the bits.
      EXPECT_EQ(made->substr(4, 8), computed->substr(4, 8));
      EXPECT_EQ(made->substr(12, 12), computed->substr(12, 12));
      EXPECT_EQ(made->substr(kDibHeaderSize), computed->substr(kDibHeaderSize));
    }
  }
}

TEST(Win32GraphicsTest, AnEmptyOrMalformedPictureHasNoMask) {
  Win32Graphics gdi;
  EXPECT_FALSE(gdi.CreateButtonMask(Picture(), kWhite));
  Picture short_of_pixels{4, 4, 24, std::vector<uint32_t>(15, kWhite)};
  EXPECT_FALSE(gdi.CreateButtonMask(short_of_pixels, kWhite));
}

}  // namespace
}  // namespace pinlet
