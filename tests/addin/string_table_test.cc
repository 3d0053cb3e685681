#include "addin/string_table.h"

#include <gtest/gtest.h>

namespace pinlet {
namespace {

TEST(StringTableTest, HoldsExactlyItsNumbers) {
  int count = 0;
  for (int id = -5; id <= 1000; ++id) {
    bool expected =
        (id >= 1 && id <= 6) || (id >= 101 && id <= 192) || (id >= 201 && id <= 205);
    EXPECT_EQ(HasResString(id), expected) << id;
    EXPECT_EQ(LoadResString(id).empty(), !expected) << id;
    count += HasResString(id);
  }
  EXPECT_EQ(count, 103);
}

TEST(StringTableTest, TextsKeepTheirBlanksAndQuotes) {
  EXPECT_EQ(LoadResString(150), "Are you sure you want to delete the note ");
  EXPECT_EQ(
      LoadResString(145),
      "To view the notes properly, please change your view to \"Pinlet\". Click on Help "
      "button for more information.");
  EXPECT_EQ(LoadResString(181), "Filter");
  EXPECT_EQ(LoadResString(182), LoadResString(181));
  EXPECT_EQ(LoadResString(1), "Pinlet");
  EXPECT_EQ(LoadResString(143), "&Tools");
  EXPECT_EQ(
      LoadResString(186),
      "(Insert Note text to the Body of the Reply (to All)/Forward letter and attach "
      "files from the Note.)");
}

TEST(StringTableTest, PropertyNamesComeFromTheTable) {
  EXPECT_EQ(LoadResString(res::kZpnTitle), "ZPNTitle");
  EXPECT_EQ(LoadResString(res::kFolderPath), "FolderPath");
  EXPECT_EQ(LoadResString(res::kItemNumber), "ItemNumber");
  EXPECT_EQ(LoadResString(res::kZpnBody), "ZPNBody");
  EXPECT_EQ(LoadResString(res::kZpnFontStrikethru), "ZPNFontStrikethru");
}

}  // namespace
}  // namespace pinlet
