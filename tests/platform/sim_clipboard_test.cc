#include "platform/sim/sim_clipboard.h"

#include <gtest/gtest.h>

#include "platform/sim/fault_injector.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

class SimClipboardTest : public ::testing::Test {
 protected:
  FaultInjector faults;
  SimClipboard clipboard{&faults};
};

TEST_F(SimClipboardTest, CallsNeedTheClipboardOpenAndAnotherHolderKeepsItShut) {
  EXPECT_FALSE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_FALSE(clipboard.GetData(cf::kText));
  clipboard.set_held_by_other(true);
  EXPECT_FALSE(clipboard.Open());
  clipboard.set_held_by_other(false);
  ASSERT_TRUE(clipboard.Open());
  EXPECT_TRUE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_TRUE(clipboard.Close());
  EXPECT_FALSE(clipboard.Close());
  EXPECT_TRUE(clipboard.IsFormatAvailable(cf::kText));  // needs no Open
}

TEST_F(SimClipboardTest, UnicodeTextIsSynthesisedFromAnsiTextAndBack) {
  clipboard.Put({{cf::kText, TextBlock("caf\xC3\xA9 \xE2\x82\xAC")}});  // "café €"
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.EnumFormats(),
            (std::vector<uint32_t>{cf::kText, cf::kUnicodeText, cf::kOemText}));
  auto unicode = clipboard.GetData(cf::kUnicodeText);
  ASSERT_TRUE(unicode);
  EXPECT_EQ(TextFromUnicodeBlock(*unicode), "caf\xC3\xA9 \xE2\x82\xAC");
  ASSERT_TRUE(clipboard.Empty());
  EXPECT_TRUE(clipboard.SetData(cf::kUnicodeText, UnicodeTextBlock("\xCE\xA9")));  // Ω
  // Omega has no single-byte form: the synthesised CF_TEXT holds "?".
  EXPECT_EQ(TextFromBlock(*clipboard.GetData(cf::kText)), "?");
  EXPECT_FALSE(clipboard.GetData(cf::kDib));
}

TEST_F(SimClipboardTest, RegisteredFormatsKeepTheirNumberAndFailuresAreAnswers) {
  uint32_t face = clipboard.RegisterFormat("Toolbar Button Face");
  EXPECT_GE(face, cf::kFirstRegistered);
  EXPECT_EQ(clipboard.RegisterFormat("toolbar button face"), face);
  EXPECT_NE(clipboard.RegisterFormat("Toolbar Button Mask"), face);
  EXPECT_EQ(clipboard.FormatName(face), "\"Toolbar Button Face\"");
  faults.FailMember("OpenClipboard");
  EXPECT_FALSE(clipboard.Open());
  faults.Clear();
  ASSERT_TRUE(clipboard.Open());
  faults.FailMember("SetClipboardData");
  EXPECT_FALSE(clipboard.SetData(face, "bits"));
  EXPECT_TRUE(clipboard.writes().empty());
}

}  // namespace
}  // namespace pinlet::sim
