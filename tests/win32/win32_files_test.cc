#include "platform/win32/win32_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/wide_text.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class Win32FilesTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    if (auto entries = files.List(folder))
      for (const FileEntry& entry : *entries) names.push_back(entry.name);
    return names;
  }
  void MakeReadOnly(const std::string& path) {
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  }

  testing::TestFolder dir;
  Win32FileSystem files;
};

TEST_F(Win32FilesTest, AReadOnlyFileKeepsItsContent) {
  const std::string path = dir / "locked.txt";
  ASSERT_TRUE(files.WriteFile(path, "old"));
  MakeReadOnly(path);
  EXPECT_FALSE(files.WriteFile(path, "new"));
  EXPECT_FALSE(files.AppendFile(path, "new"));
  EXPECT_EQ(files.ReadFile(path), "old");
  EXPECT_THAT(Names(dir.path()), ElementsAre("locked.txt"));
}

TEST_F(Win32FilesTest, AReplacedFileKeepsItsAttributes) {
  const std::string path = dir / "hidden.txt";
  ASSERT_TRUE(files.WriteFile(path, "old"));
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(files.WriteFile(path, "new"));
  EXPECT_TRUE(GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(files.ReadFile(path), "new");
}

}  // namespace
}  // namespace pinlet
