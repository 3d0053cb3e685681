// A button face and its mask put on the system's clipboard by the add-in's
// own code, with the mask made by GDI: the blocks a command bar's PasteFace
// reads.
#include <gtest/gtest.h>

#include "addin/context.h"
#include "explorer/bas_icons.h"
#include "platform/dib.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_graphics.h"

namespace pinlet {
namespace {

uint32_t Read32(const std::string& block, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<uint8_t>(block[at + static_cast<size_t>(i)]);
  return value;
}

class ButtonFaceTest : public ::testing::Test {
 protected:
  ButtonFaceTest() : ctx(Services(), Subsystems{}) {}
  Platform Services() {
    Platform platform;
    platform.clipboard = &clipboard;
    platform.graphics = &graphics;
    return platform;
  }
  std::optional<std::string> Block(std::string_view format) {
    uint32_t number = reader.RegisterFormat(format);
    if (!reader.Open()) return std::nullopt;
    std::optional<std::string> block = reader.GetData(number);
    reader.Close();
    return block;
  }
  Win32Clipboard clipboard;
  Win32Clipboard reader;  // another program looking at the clipboard
  Win32Graphics graphics;
  AddinContext ctx;
};

TEST_F(ButtonFaceTest,
       TheMaskBlockHoldsHeaderColourTableAndBitsWithTransparentPixelsSet) {
  // 3 x 2: white corners, coloured middle; the top row is (W, R, W).
  Picture face{3, 2, 24, {kWhite, 0x0000FF, kWhite, 0x00FF00, kMagenta, kWhite}};
  ASSERT_TRUE(CopyBitmapAsButtonFace(ctx, face, kWhite));

  std::optional<std::string> mask = Block(kButtonMaskFormat);
  ASSERT_TRUE(mask);
  // The system may round a global block up; what was written is image size + 50.
  ASSERT_GE(mask->size(), 58u);
  EXPECT_EQ(Read32(*mask, 0), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(Read32(*mask, 4), 3u);
  EXPECT_EQ(Read32(*mask, 8), 2u);
  EXPECT_EQ(static_cast<uint8_t>((*mask)[14]), 1);  // 1 bit per pixel
  EXPECT_EQ(Read32(*mask, 20), 8u);                 // two rows of 4 bytes
  EXPECT_EQ(Read32(*mask, 40), 0x000000u);          // entry 0: black, opaque
  EXPECT_EQ(Read32(*mask, 44), 0xFFFFFFu);          // entry 1: white, transparent
  // Bottom row first: (G, M, W) is 001, then the top row (W, R, W) is 101.
  EXPECT_EQ(static_cast<uint8_t>((*mask)[48]), 0x20);
  EXPECT_EQ(static_cast<uint8_t>((*mask)[52]), 0xA0);

  std::optional<std::string> copied = Block(kButtonFaceFormat);
  ASSERT_TRUE(copied);
  std::optional<Picture> shown = PictureFromDib(*copied);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->pixels, face.pixels);
}

}  // namespace
}  // namespace pinlet
