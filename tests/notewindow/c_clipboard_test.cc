#include "notewindow/c_clipboard.h"

#include <gtest/gtest.h>

#include "sim/machine/world.h"

namespace pinlet {
namespace {

TEST(CClipboardTest, EveryFormatComesBackAfterTheClipboardWasUsed) {
  sim::World world;
  uint32_t custom = world.clipboard.RegisterFormat("Rich Text Format");
  world.clipboard.Put({{cf::kText, TextBlock("user's text")},
                       {cf::kDib, std::string(48, '\x7F')},
                       {custom, "{\\rtf1 x}"}});
  CClipboard saved(world.clipboard);
  ASSERT_TRUE(saved.Save());
  ASSERT_TRUE(world.clipboard.Open());
  world.clipboard.Empty();
  world.clipboard.SetData(cf::kText, TextBlock("12/8/2026 9:00 AM"));
  world.clipboard.Close();
  ASSERT_TRUE(saved.Restore());
  ASSERT_TRUE(world.clipboard.Open());
  EXPECT_EQ(TextFromBlock(*world.clipboard.GetData(cf::kText)), "user's text");
  EXPECT_EQ(world.clipboard.GetData(cf::kDib)->size(), 48u);
  EXPECT_EQ(*world.clipboard.GetData(custom), "{\\rtf1 x}");
  world.clipboard.Close();
  EXPECT_FALSE(world.clipboard.is_open());
}

TEST(CClipboardTest, AClipboardThatCannotBeOpenedIsNeitherSavedNorTouched) {
  sim::World world;
  world.clipboard.Put({{cf::kText, TextBlock("kept")}});
  CClipboard saved(world.clipboard);
  world.clipboard.set_held_by_other(true);
  EXPECT_FALSE(saved.Save());
  EXPECT_TRUE(saved.entries().empty());
  world.clipboard.set_held_by_other(false);
  ASSERT_TRUE(saved.Save());
  world.clipboard.set_held_by_other(true);
  EXPECT_FALSE(saved.Restore());
  EXPECT_EQ(world.clipboard.contents().size(), 1u);
}

}  // namespace
}  // namespace pinlet
