// Button faces and masks as they go through the clipboard.
#include "explorer/bas_icons.h"

#include <gmock/gmock.h>

#include "platform/dib.h"
#include "sim/machine/world.h"

namespace pinlet {
namespace {

// A 3 x 2 picture: white corners, coloured middle.
Picture Face() {
  return Picture{3, 2, 24, {kWhite, 0x0000FF, kWhite, 0x00FF00, kMagenta, kWhite}};
}

class IconsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& defect : world.defects())
      ADD_FAILURE() << "defect: " << defect;
  }
  const std::string* Block(const char* format) {
    return world.clipboard.Peek(world.clipboard.RegisteredFormat(format));
  }
  sim::World world;
  AddinContext ctx{world.platform(), Subsystems{}};
};

TEST_F(IconsTest, TheMaskMarksExactlyThePixelsOfTheTransparentColour) {
  std::optional<std::string> mask = CreateButtonMask(ctx, Face(), kWhite);
  ASSERT_TRUE(mask);
  std::optional<Picture> bits = PictureFromDib(*mask);
  ASSERT_TRUE(bits);
  EXPECT_EQ(bits->pixels,
            (std::vector<uint32_t>{kWhite, kBlack, kWhite, kBlack, kBlack, kWhite}));
  std::optional<Picture> magenta =
      PictureFromDib(*CreateButtonMask(ctx, Face(), kMagenta));
  EXPECT_EQ(magenta->pixels,
            (std::vector<uint32_t>{kBlack, kBlack, kBlack, kBlack, kWhite, kBlack}));
}

TEST_F(IconsTest, MasksAreMadeOnlyForSidesFromOneTo30000Pixels) {
  EXPECT_FALSE(CreateButtonMask(ctx, Picture(), kWhite));
  Picture wide{30001, 1, 24, std::vector<uint32_t>(30001, kWhite)};
  EXPECT_FALSE(CreateButtonMask(ctx, wide, kWhite));
  Picture widest{30000, 1, 24, std::vector<uint32_t>(30000, kWhite)};
  EXPECT_TRUE(CreateButtonMask(ctx, widest, kWhite));
  // A picture without a mask puts nothing on the clipboard.
  world.clipboard.Put({{cf::kText, TextBlock("x")}});
  EXPECT_FALSE(CopyBitmapAsButtonFace(ctx, wide, kWhite));
  EXPECT_EQ(world.clipboard.contents().size(), 1u);
  // Nor does a mask the machine's graphics cannot make.
  world.faults.FailMember("CreateButtonMask");
  EXPECT_FALSE(CopyBitmapAsButtonFace(ctx, Face(), kWhite));
  EXPECT_EQ(world.clipboard.contents().size(), 1u);
}

TEST_F(IconsTest, TheMaskBlockHoldsTheHeaderTheColourTableAndTheBitsFrom48) {
  ASSERT_TRUE(CopyBitmapAsButtonFace(ctx, Face(), kWhite));
  const std::string* face = Block(kButtonFaceFormat);
  const std::string* mask = Block(kButtonMaskFormat);
  ASSERT_TRUE(face && mask);
  EXPECT_EQ(*face, DibFromPicture(Face()));
  std::string dib = *CreateButtonMask(ctx, Face(), kWhite);
  // 2 rows of 4 bytes: the image size is 8, the block 8 + 50 bytes.
  ASSERT_EQ(mask->size(), 58u);
  EXPECT_EQ(mask->substr(0, 48), dib.substr(0, 48));
  EXPECT_EQ(mask->substr(48, 8), dib.substr(48, 8));
  EXPECT_EQ(mask->substr(56), std::string(2, '\0'));
  // What a button reads from the clipboard is the face with its mask.
  EXPECT_EQ(PictureFromDib(*mask)->pixels, PictureFromDib(dib)->pixels);
}

TEST_F(IconsTest, AMaskThatIsNotOneBitOrHasNoBitsIsNotPutOnTheClipboard) {
  std::string deep = DibFromPicture(Face());  // 24 bits per pixel
  CopyButtonMaskToClipboard(ctx, deep);
  std::string empty = *CreateButtonMask(ctx, Face(), kWhite);
  for (int i = 20; i < 24; ++i) empty[i] = '\0';  // image size 0
  CopyButtonMaskToClipboard(ctx, empty);
  CopyButtonMaskToClipboard(ctx, "short");
  EXPECT_EQ(world.clipboard.RegisteredFormat(kButtonMaskFormat), 0u);
  EXPECT_TRUE(world.clipboard.contents().empty());
}

TEST_F(IconsTest, AClipboardThatCannotBeOpenedGetsNoMask) {
  world.clipboard.set_held_by_other(true);
  CopyButtonMaskToClipboard(ctx, *CreateButtonMask(ctx, Face(), kWhite));
  world.clipboard.set_held_by_other(false);
  EXPECT_TRUE(world.clipboard.contents().empty());
}

TEST_F(IconsTest, AClipboardStepThatFailsLeavesTheClipboardClosed) {
  std::string mask = *CreateButtonMask(ctx, Face(), kWhite);
  for (const char* call : {"RegisterClipboardFormat", "SetClipboardData"}) {
    world.faults.FailMember(call);
    CopyButtonMaskToClipboard(ctx, mask);
    world.faults.Clear();
    EXPECT_FALSE(world.clipboard.is_open()) << call;
  }
  // The face the clipboard refuses is no face.
  world.faults.FailMember("SetClipboardData");
  EXPECT_FALSE(CopyBitmapAsButtonFace(ctx, Face(), kWhite));
  world.faults.Clear();
  EXPECT_FALSE(world.clipboard.is_open());
  EXPECT_TRUE(CopyBitmapAsButtonFace(ctx, Face(), kWhite));
}

}  // namespace
}  // namespace pinlet
