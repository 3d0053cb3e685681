// The contract of Clipboard (platform/clipboard.h), one suite for every
// backend. A backend is a type with
//   Clipboard& clipboard();  // the clipboard, empty and closed at the start
// instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, ClipboardContract, Backend).
#ifndef PINLET_TESTS_CONTRACT_CLIPBOARD_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_CLIPBOARD_CONTRACT_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/clipboard.h"
#include "platform/dib.h"

namespace pinlet::contract {

template <typename Backend>
class ClipboardContract : public ::testing::Test {
 protected:
  Clipboard& clipboard() { return backend_.clipboard(); }
  // A 3x2 picture of distinct colours, as a packed DIB.
  static std::string SampleDib() {
    Picture picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x336699};
    return DibFromPicture(picture);
  }

 private:
  Backend backend_;
};

TYPED_TEST_SUITE_P(ClipboardContract);

TYPED_TEST_P(ClipboardContract, CallsThatChangeItNeedItOpen) {
  Clipboard& clipboard = this->clipboard();
  EXPECT_FALSE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_FALSE(clipboard.Empty());
  EXPECT_FALSE(clipboard.Close());
  ASSERT_TRUE(clipboard.Open());
  EXPECT_TRUE(clipboard.Open());  // again, by the same caller
  EXPECT_TRUE(clipboard.Empty());
  EXPECT_TRUE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_EQ(clipboard.GetData(cf::kText), TextBlock("x"));
  EXPECT_TRUE(clipboard.Close());
  EXPECT_FALSE(clipboard.Close());
  EXPECT_FALSE(clipboard.SetData(cf::kText, TextBlock("y")));
  EXPECT_TRUE(clipboard.IsFormatAvailable(cf::kText));  // needs no Open
  EXPECT_FALSE(clipboard.IsFormatAvailable(cf::kDib));
}

TYPED_TEST_P(ClipboardContract, TextIsSynthesisedBetweenSingleByteAndUnicode) {
  Clipboard& clipboard = this->clipboard();
  const char* cafe = "caf\xC3\xA9 \xE2\x82\xAC";  // "café €"
  ASSERT_TRUE(clipboard.Open());
  ASSERT_TRUE(clipboard.Empty());
  ASSERT_TRUE(clipboard.SetData(cf::kText, TextBlock(cafe)));
  ASSERT_TRUE(clipboard.Close());
  ASSERT_TRUE(clipboard.Open());
  std::vector<uint32_t> formats = clipboard.EnumFormats();
  ASSERT_FALSE(formats.empty());
  EXPECT_EQ(formats.front(), cf::kText);  // the one set comes first
  EXPECT_THAT(formats, ::testing::IsSupersetOf({cf::kUnicodeText, cf::kOemText}));
  EXPECT_EQ(clipboard.GetData(cf::kUnicodeText), UnicodeTextBlock(cafe));
  EXPECT_EQ(clipboard.GetData(cf::kText), TextBlock(cafe));
  // And back: Unicode text gives single-byte text of the same characters.
  ASSERT_TRUE(clipboard.Empty());
  ASSERT_TRUE(clipboard.SetData(cf::kUnicodeText, UnicodeTextBlock(cafe)));
  ASSERT_TRUE(clipboard.Close());
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.EnumFormats().front(), cf::kUnicodeText);
  EXPECT_EQ(clipboard.GetData(cf::kText), TextBlock(cafe));
  std::optional<std::string> oem = clipboard.GetData(cf::kOemText);
  ASSERT_TRUE(oem);
  EXPECT_EQ(oem->substr(0, 3), "caf");
  EXPECT_EQ(oem->back(), '\0');
  EXPECT_FALSE(clipboard.GetData(cf::kDib));
  EXPECT_TRUE(clipboard.Close());
}

TYPED_TEST_P(ClipboardContract, FormatsKeepTheirOrderAndEmptyRemovesThemAll) {
  Clipboard& clipboard = this->clipboard();
  uint32_t mine = clipboard.RegisterFormat("Pinlet Test Format");
  ASSERT_TRUE(clipboard.Open());
  ASSERT_TRUE(clipboard.Empty());
  ASSERT_TRUE(clipboard.SetData(mine, "one"));
  ASSERT_TRUE(clipboard.SetData(cf::kDib, this->SampleDib()));
  ASSERT_TRUE(clipboard.SetData(mine, "two"));  // replaces, keeps its place
  EXPECT_THAT(clipboard.EnumFormats(), ::testing::ElementsAre(mine, cf::kDib));
  EXPECT_EQ(clipboard.GetData(mine), "two");
  EXPECT_EQ(clipboard.GetData(cf::kDib), this->SampleDib());
  ASSERT_TRUE(clipboard.Close());
  EXPECT_TRUE(clipboard.IsFormatAvailable(mine));
  ASSERT_TRUE(clipboard.Open());
  ASSERT_TRUE(clipboard.Empty());
  EXPECT_TRUE(clipboard.EnumFormats().empty());
  EXPECT_FALSE(clipboard.GetData(mine));
  EXPECT_FALSE(clipboard.SetData(0, "x"));
  ASSERT_TRUE(clipboard.Close());
  EXPECT_FALSE(clipboard.IsFormatAvailable(mine));
}

TYPED_TEST_P(ClipboardContract, RegisteredFormatsKeepTheirNumberAndTheirBytesExactly) {
  Clipboard& clipboard = this->clipboard();
  uint32_t face = clipboard.RegisterFormat("Toolbar Button Face");
  EXPECT_GE(face, cf::kFirstRegistered);
  EXPECT_EQ(clipboard.RegisterFormat("toolbar BUTTON face"), face);
  uint32_t mask = clipboard.RegisterFormat("Toolbar Button Mask");
  EXPECT_NE(mask, face);
  EXPECT_EQ(clipboard.RegisterFormat(""), 0u);
  uint32_t accented = clipboard.RegisterFormat("Pinlet \xC3\xA9t\xC3\xA9");
  EXPECT_GE(accented, cf::kFirstRegistered);
  EXPECT_NE(accented, clipboard.RegisterFormat("Pinlet ete"));
  // The mask block as the add-in lays it out: the DIB, then 50 bytes more
  // (not zero, so that a block cut or padded shows).
  const std::string mask_block = this->SampleDib() + std::string(50, '\x5A');
  const std::string zeros("\0\0a\0", 4);
  ASSERT_TRUE(clipboard.Open());
  ASSERT_TRUE(clipboard.Empty());
  ASSERT_TRUE(clipboard.SetData(face, this->SampleDib()));
  ASSERT_TRUE(clipboard.SetData(mask, mask_block));
  ASSERT_TRUE(clipboard.Close());
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(mask), mask_block);
  EXPECT_EQ(clipboard.GetData(face), this->SampleDib());
  ASSERT_TRUE(clipboard.SetData(face, zeros));
  EXPECT_EQ(clipboard.GetData(face), zeros);
  ASSERT_TRUE(clipboard.Close());
}

REGISTER_TYPED_TEST_SUITE_P(ClipboardContract, CallsThatChangeItNeedItOpen,
                            TextIsSynthesisedBetweenSingleByteAndUnicode,
                            FormatsKeepTheirOrderAndEmptyRemovesThemAll,
                            RegisteredFormatsKeepTheirNumberAndTheirBytesExactly);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_CLIPBOARD_CONTRACT_H_
