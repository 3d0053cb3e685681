// Device-independent bitmaps: the layouts the clipboard formats use, and
// reading what other programs put there.
#include "platform/dib.h"

#include <gtest/gtest.h>

namespace pinlet {
namespace {

uint32_t Get32(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
         static_cast<uint8_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

// 5 x 3: rows of 5 pixels need padding at 24 and at 1 bit per pixel.
Picture Sample(int bits) {
  Picture p{5, 3, bits, {}};
  for (int i = 0; i < 15; ++i) p.pixels.push_back(i % 4 == 0 ? kWhite : 0x010203u * i);
  return p;
}

TEST(DibTest, PicturesRoundTripAtTheirDepthWithPaddedBottomUpRows) {
  for (int bits : {24, 32}) {
    std::string dib = DibFromPicture(Sample(bits));
    size_t stride = bits == 24 ? 16 : 20;
    EXPECT_EQ(dib.size(), kDibHeaderSize + 3 * stride);
    EXPECT_EQ(Get32(dib, 8), 3u);  // positive height: bottom row first
    EXPECT_EQ(Get32(dib, 20), 3 * stride);
    // The first stored pixel is the bottom-left one, blue byte first.
    uint32_t bottom_left = Sample(bits).At(0, 2);
    EXPECT_EQ(static_cast<uint8_t>(dib[kDibHeaderSize]), (bottom_left >> 16) & 0xFF);
    auto back = PictureFromDib(dib);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, Sample(bits).pixels);
    EXPECT_EQ(back->bits_per_pixel, bits);
  }
}

TEST(DibTest, AMaskHasItsBitsAfterTheHeaderAndTwoColoursWithTransparentPixelsSet) {
  std::string mask = MaskDibFromPicture(Sample(24), kWhite);
  EXPECT_EQ(static_cast<uint8_t>(mask[14]), 1);  // bits per pixel
  EXPECT_EQ(Get32(mask, kDibHeaderSize), 0x000000u);
  EXPECT_EQ(Get32(mask, kDibHeaderSize + 4), 0xFFFFFFu);
  EXPECT_EQ(mask.size(), kMaskBitsOffset + 3 * 4);
  // Bottom row (y = 2) holds pixels 10..14: white at 12 only, the third bit.
  EXPECT_EQ(static_cast<uint8_t>(mask[kMaskBitsOffset]), 0x20);
  auto back = PictureFromDib(mask);
  ASSERT_TRUE(back);
  for (size_t i = 0; i < 15; ++i)
    EXPECT_EQ(back->pixels[i], i % 4 == 0 ? kWhite : kBlack) << i;
}

TEST(DibTest, OtherProgramsLayoutsAreReadAndMalformedBlocksRefused) {
  // A top-down 8-bit DIB with a three-entry palette, as another program may put it.
  std::string dib =
      DibFromPicture(Picture{2, 2, 24, {1, 2, 3, 4}}).substr(0, kDibHeaderSize);
  dib[8] = static_cast<char>(0xFE);  // height -2
  for (int i = 9; i < 12; ++i) dib[i] = static_cast<char>(0xFF);
  dib[14] = 8;
  dib[32] = 3;  // colours used
  dib += std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF\x00\x00\x00",
                     12);  // red, green, blue
  dib += std::string("\x00\x01\x00\x00\x02\x02\x00\x00", 8);
  auto picture = PictureFromDib(dib);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->pixels,
            (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000}));

  std::string good = DibFromPicture(Sample(24));
  EXPECT_FALSE(PictureFromDib(good.substr(0, good.size() - 1)));  // bits cut short
  EXPECT_FALSE(PictureFromDib(good.substr(0, 39)));
  EXPECT_FALSE(PictureFromDib(""));
  std::string wide = good;
  wide[4] = wide[5] = wide[6] = static_cast<char>(0x7F);  // far over 30000 pixels
  EXPECT_FALSE(PictureFromDib(wide));
  std::string compressed = good;
  compressed[16] = 1;  // run-length encoded
  EXPECT_FALSE(PictureFromDib(compressed));
  std::string bad_index = dib;
  bad_index[bad_index.size() - 4] = 7;  // beyond the palette
  EXPECT_FALSE(PictureFromDib(bad_index));
}

}  // namespace
}  // namespace pinlet
