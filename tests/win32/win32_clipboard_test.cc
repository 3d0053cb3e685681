// The system's clipboard through Win32Clipboard. Each test starts from an
// empty clipboard; a second object stands for another program.
#include "platform/win32/win32_clipboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/dib.h"

namespace pinlet {
namespace {

using ::testing::Contains;
using ::testing::Not;

// A 3x2 picture of distinct colours.
Picture Sample() {
  Picture picture;
  picture.width = 3;
  picture.height = 2;
  picture.pixels = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x336699};
  return picture;
}

class Win32ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(clipboard.Open());
    ASSERT_TRUE(clipboard.Empty());
    ASSERT_TRUE(clipboard.Close());
  }
  // Replaces the contents as another program does.
  void Put(std::vector<std::pair<uint32_t, std::string>> blocks) {
    ASSERT_TRUE(other.Open());
    ASSERT_TRUE(other.Empty());
    for (auto& [format, block] : blocks) EXPECT_TRUE(other.SetData(format, block));
    EXPECT_TRUE(other.Close());
  }

  Win32Clipboard clipboard;
  Win32Clipboard other;
};

TEST_F(Win32ClipboardTest, CallsNeedTheClipboardOpenedByThisObject) {
  EXPECT_FALSE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_FALSE(clipboard.Empty());
  EXPECT_FALSE(clipboard.Close());
  ASSERT_TRUE(other.Open());
  // Held by another window: neither opened nor usable from here.
  EXPECT_FALSE(clipboard.Open());
  EXPECT_FALSE(clipboard.GetData(cf::kText));
  EXPECT_TRUE(clipboard.EnumFormats().empty());
  EXPECT_FALSE(clipboard.Close());
  EXPECT_TRUE(other.Empty());
  EXPECT_TRUE(other.SetData(cf::kText, TextBlock("x")));
  EXPECT_TRUE(other.Close());
  EXPECT_FALSE(other.Close());
  EXPECT_TRUE(clipboard.IsFormatAvailable(cf::kText));  // needs no Open
  EXPECT_FALSE(clipboard.IsFormatAvailable(cf::kDib));
  ASSERT_TRUE(clipboard.Open());
  EXPECT_TRUE(clipboard.Open());  // again, by the same window
  EXPECT_EQ(TextFromBlock(*clipboard.GetData(cf::kText)), "x");
  EXPECT_TRUE(clipboard.Close());
  {
    Win32Clipboard gone;
    ASSERT_TRUE(gone.Open());
  }
  EXPECT_TRUE(other.Open()) << "an object closes what it held open when it goes";
  EXPECT_TRUE(other.Close());
}

TEST_F(Win32ClipboardTest, AFormatThatHoldsAHandleIsNotSetFromBytes) {
  ASSERT_TRUE(clipboard.Open());
  ASSERT_TRUE(clipboard.Empty());
  EXPECT_FALSE(clipboard.SetData(CF_PALETTE, "not a handle"));
  EXPECT_TRUE(clipboard.EnumFormats().empty());
  ASSERT_TRUE(clipboard.Close());
}

TEST_F(Win32ClipboardTest, ABitmapIsSetAndReadAsAPackedDib) {
  const Picture sample = Sample();
  Put({{cf::kBitmap, DibFromPicture(sample)}});
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.EnumFormats().front(), cf::kBitmap);
  std::optional<std::string> as_bitmap = clipboard.GetData(cf::kBitmap);
  std::optional<std::string> as_dib = clipboard.GetData(cf::kDib);  // synthesised
  ASSERT_TRUE(as_bitmap && as_dib);
  for (const std::string* block : {&*as_bitmap, &*as_dib}) {
    std::optional<Picture> read = PictureFromDib(*block);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 3);
    EXPECT_EQ(read->height, 2);
    EXPECT_EQ(read->pixels, sample.pixels);
  }
  // A DIB set as such is offered as a bitmap too, with the same pixels.
  ASSERT_TRUE(clipboard.Empty());
  ASSERT_TRUE(clipboard.SetData(cf::kDib, DibFromPicture(sample)));
  ASSERT_TRUE(clipboard.Close());
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(cf::kDib), DibFromPicture(sample));
  std::optional<std::string> synthesised = clipboard.GetData(cf::kBitmap);
  ASSERT_TRUE(synthesised);
  ASSERT_TRUE(PictureFromDib(*synthesised));
  EXPECT_EQ(PictureFromDib(*synthesised)->pixels, sample.pixels);
  // A block that is no DIB makes no bitmap; a cut one neither.
  std::string cut = DibFromPicture(sample);
  cut.resize(cut.size() - 1);
  ASSERT_TRUE(clipboard.Empty());
  EXPECT_FALSE(clipboard.SetData(cf::kBitmap, "no bitmap"));
  EXPECT_FALSE(clipboard.SetData(cf::kBitmap, cut));
  EXPECT_THAT(clipboard.EnumFormats(), Not(Contains(cf::kBitmap)));
  ASSERT_TRUE(clipboard.Close());
}

}  // namespace
}  // namespace pinlet
