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

TEST_F(Win32FilesTest, WholeFilesAreWrittenReplacedAppendedAndMeasured) {
  const std::string path = dir / "Notes.txt";
  const std::string binary("\x00\xFF\r\n\x1A", 5);
  ASSERT_TRUE(files.WriteFile(path, "a long first content"));
  ASSERT_TRUE(files.WriteFile(path, binary));
  EXPECT_EQ(files.ReadFile(path), binary);
  ASSERT_TRUE(files.AppendFile(path, "more"));
  EXPECT_EQ(testing::ReadRaw(path), binary + "more");
  EXPECT_EQ(files.Size(path), binary.size() + 4);
  // An append creates a missing file; a write of nothing leaves it empty.
  ASSERT_TRUE(files.AppendFile(dir / "new.log", "line\r\n"));
  EXPECT_EQ(files.ReadFile(dir / "new.log"), "line\r\n");
  ASSERT_TRUE(files.WriteFile(dir / "new.log", ""));
  EXPECT_EQ(files.Size(dir / "new.log"), 0u);
  const std::string large(3 << 20, 'x');
  ASSERT_TRUE(files.WriteFile(dir / "large.bin", large));
  EXPECT_EQ(files.ReadFile(dir / "large.bin"), large);
  // Nothing but the files themselves is left in the folder.
  EXPECT_THAT(Names(dir.path()), ElementsAre("large.bin", "new.log", "Notes.txt"));
}

TEST_F(Win32FilesTest, AWriteNeedsItsFolderAndNeverTakesAFolder) {
  ASSERT_TRUE(files.CreateFolder(dir / "Sub"));
  EXPECT_FALSE(files.WriteFile(dir / "Missing\\a.txt", "x"));
  EXPECT_FALSE(files.AppendFile(dir / "Missing\\a.txt", "x"));
  EXPECT_FALSE(files.WriteFile(dir / "Sub", "x"));
  EXPECT_FALSE(files.AppendFile(dir / "Sub", "x"));
  EXPECT_FALSE(files.WriteFile(dir / "a.txt\\", "x"));  // can only name a folder
  EXPECT_FALSE(files.ReadFile(dir / "Sub"));
  EXPECT_FALSE(files.Size(dir / "Sub"));
  EXPECT_FALSE(files.FolderExists(dir / "Missing"));
  EXPECT_THAT(Names(dir.path()), ElementsAre("Sub"));
}

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

TEST_F(Win32FilesTest, HostilePathsNameNoFile) {
  const std::string invalid_utf8 = dir / "caf\xE9.txt";
  for (const std::string& bad : std::vector<std::string>{
           dir / "CON", dir / "nul.txt", dir / "com1.log", dir / "LPT9\\a.txt",
           dir / "Aux .txt", "notes.txt", "C:notes.txt", "\\\\server\\share\\a.txt",
           dir / "a<b.txt", dir / "a?.txt", dir / "a*.txt", dir / "a|b",
           dir / "tab\there", dir / std::string(300, 'a'), invalid_utf8, dir / "...",
           ""}) {
    EXPECT_FALSE(files.WriteFile(bad, "x")) << bad;
    EXPECT_FALSE(files.AppendFile(bad, "x")) << bad;
    EXPECT_FALSE(files.ReadFile(bad)) << bad;
    EXPECT_FALSE(files.FileExists(bad)) << bad;
    EXPECT_FALSE(files.CreateFolder(bad)) << bad;
    EXPECT_FALSE(files.Size(bad)) << bad;
  }
  EXPECT_THAT(Names(dir.path()), ElementsAre());
}

TEST_F(Win32FilesTest, PathsAreReadAsWindowsReadsThem) {
  ASSERT_TRUE(files.CreateFolder(dir / "Sub"));
  ASSERT_TRUE(files.WriteFile(dir / "Sub\\Report.TXT", "r"));
  std::string slashed = dir.path();
  for (char& c : slashed)
    if (c == '\\') c = '/';
  EXPECT_EQ(files.ReadFile(slashed + "/sub/report.txt"), "r");
  EXPECT_EQ(files.ReadFile(dir / "Sub\\..\\Sub\\.\\report.txt"), "r");
  EXPECT_EQ(files.ReadFile(dir / "Sub\\report.txt. . "), "r");
  ASSERT_TRUE(files.WriteFile(dir / "trailing. ", "t"));
  EXPECT_THAT(Names(dir.path()), ElementsAre("Sub", "trailing"));
  EXPECT_TRUE(files.FolderExists(dir.path() + "\\"));
  EXPECT_TRUE(files.FolderExists(dir.path().substr(0, 3)));  // the drive's root
  EXPECT_FALSE(files.FileExists(dir.path().substr(0, 3)));
  EXPECT_FALSE(files.FileExists(dir / "Sub\\report.txt\\"));
}

TEST_F(Win32FilesTest, ThePathLimitCountsCharacters) {
  // 259 characters in all, with accented letters of two bytes each in the
  // folder's name and in the file's (few enough for the file systems that
  // count a name's bytes).
  const size_t room = kMaxPathLength - Wide(dir.path()).size() - 1;
  ASSERT_LE(room, 255u);
  std::string name;
  for (size_t i = 0; i < room; ++i) name += i < 20 ? "\xC3\xA9" : "a";
  ASSERT_TRUE(files.WriteFile(dir / name, "x"));
  EXPECT_EQ(files.ReadFile(dir / name), "x");
  EXPECT_THAT(Names(dir.path()), ElementsAre(name));
  EXPECT_FALSE(files.WriteFile(dir / (name + "b"), "x"));
}

TEST_F(Win32FilesTest, AListingIsSortedWithoutRegardToCase) {
  ASSERT_TRUE(files.WriteFile(dir / "b.txt", "bb"));
  ASSERT_TRUE(files.WriteFile(dir / "A.txt", "a"));
  ASSERT_TRUE(files.WriteFile(dir / "\xC3\x84rger.txt", ""));  // Ärger
  ASSERT_TRUE(files.CreateFolder(dir / "c"));
  ASSERT_TRUE(files.WriteFile(dir / "c\\inner", "i"));
  auto entries = files.List(dir.path());
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 4u);
  EXPECT_EQ((*entries)[0].name, "A.txt");
  EXPECT_EQ((*entries)[0].size, 1u);
  EXPECT_EQ((*entries)[1].name, "b.txt");
  EXPECT_EQ((*entries)[1].size, 2u);
  EXPECT_EQ((*entries)[2].name, "c");
  EXPECT_TRUE((*entries)[2].folder);
  EXPECT_EQ((*entries)[2].size, 0u);
  EXPECT_EQ((*entries)[3].name, "\xC3\x84rger.txt");
  EXPECT_THAT(Names(dir / "C"), ElementsAre("inner"));
  EXPECT_FALSE(files.List(dir / "b.txt"));
  EXPECT_FALSE(files.List(dir / "missing"));
  ASSERT_TRUE(files.CreateFolder(dir / "empty"));
  EXPECT_THAT(*files.List(dir / "empty"), ElementsAre());
}

TEST_F(Win32FilesTest, ACopyReplacesAFileOnlyWhenAskedAndNeverAFolder) {
  ASSERT_TRUE(files.WriteFile(dir / "a.txt", "a"));
  ASSERT_TRUE(files.WriteFile(dir / "b.txt", "b"));
  ASSERT_TRUE(files.CreateFolder(dir / "Sub"));
  EXPECT_TRUE(files.Copy(dir / "a.txt", dir / "Sub\\a.txt", false));
  EXPECT_EQ(files.ReadFile(dir / "Sub\\a.txt"), "a");
  EXPECT_FALSE(files.Copy(dir / "b.txt", dir / "a.txt", false));
  EXPECT_EQ(files.ReadFile(dir / "a.txt"), "a");
  EXPECT_TRUE(files.Copy(dir / "b.txt", dir / "a.txt", true));
  EXPECT_EQ(files.ReadFile(dir / "a.txt"), "b");
  EXPECT_FALSE(files.Copy(dir / "a.txt", dir / "Sub", true));
  EXPECT_TRUE(files.FolderExists(dir / "Sub"));
  EXPECT_FALSE(files.Copy(dir / "Sub", dir / "Sub2", true));     // a folder is no file
  EXPECT_FALSE(files.Copy(dir / "a.txt", dir / "A.TXT", true));  // one file
  EXPECT_FALSE(files.Copy(dir / "gone.txt", dir / "c.txt", true));
  EXPECT_FALSE(files.Copy(dir / "a.txt", dir / "Missing\\a.txt", true));
  EXPECT_EQ(files.ReadFile(dir / "a.txt"), "b");
}

TEST_F(Win32FilesTest, ARenameMovesFilesAndFoldersButReplacesOnlyFiles) {
  ASSERT_TRUE(files.WriteFile(dir / "Relaybook.log", "old"));
  ASSERT_TRUE(files.WriteFile(dir / "temp.log", "new"));
  EXPECT_FALSE(files.Rename(dir / "temp.log", dir / "Relaybook.log", false));
  EXPECT_EQ(files.ReadFile(dir / "Relaybook.log"), "old");
  EXPECT_TRUE(files.Rename(dir / "temp.log", dir / "Relaybook.log", true));
  EXPECT_EQ(files.ReadFile(dir / "Relaybook.log"), "new");
  EXPECT_FALSE(files.FileExists(dir / "temp.log"));
  // A change of case only changes the spelling.
  EXPECT_TRUE(files.Rename(dir / "Relaybook.log", dir / "RELAYBOOK.LOG", false));
  EXPECT_THAT(Names(dir.path()), ElementsAre("RELAYBOOK.LOG"));
  // A folder moves with what it holds; it never replaces, nor goes below itself.
  ASSERT_TRUE(files.CreateFolder(dir / "Notes"));
  ASSERT_TRUE(files.WriteFile(dir / "Notes\\one.txt", "1"));
  EXPECT_FALSE(files.Rename(dir / "Notes", dir / "RELAYBOOK.LOG", true));
  EXPECT_FALSE(files.Rename(dir / "RELAYBOOK.LOG", dir / "Notes", true));
  EXPECT_FALSE(files.Rename(dir / "Notes", dir / "Notes\\Deeper", false));
  EXPECT_TRUE(files.Rename(dir / "Notes", dir / "Archive", false));
  EXPECT_EQ(files.ReadFile(dir / "Archive\\one.txt"), "1");
  EXPECT_FALSE(files.Rename(dir / "gone.txt", dir / "x.txt", false));
  EXPECT_FALSE(files.Rename(dir / "RELAYBOOK.LOG", dir / "Missing\\x.log", false));
  EXPECT_THAT(Names(dir.path()), ElementsAre("Archive", "RELAYBOOK.LOG"));
}

TEST_F(Win32FilesTest, FoldersAreMadeAndRemovedOneAtATime) {
  EXPECT_TRUE(files.CreateFolder(dir / "One"));
  EXPECT_FALSE(files.CreateFolder(dir / "one"));  // exists
  EXPECT_FALSE(files.CreateFolder(dir / "Two\\Three"));
  ASSERT_TRUE(files.WriteFile(dir / "One\\f.txt", "f"));
  EXPECT_FALSE(files.CreateFolder(dir / "One\\f.txt"));
  EXPECT_FALSE(files.RemoveFolder(dir / "One"));  // not empty
  EXPECT_FALSE(files.RemoveFolder(dir / "One\\f.txt"));
  EXPECT_FALSE(files.Remove(dir / "One"));
  EXPECT_TRUE(files.Remove(dir / "One\\f.txt"));
  EXPECT_FALSE(files.Remove(dir / "One\\f.txt"));
  EXPECT_TRUE(files.RemoveFolder(dir / "One"));
  EXPECT_FALSE(files.FolderExists(dir / "One"));
  EXPECT_FALSE(files.RemoveFolder(dir.path().substr(0, 3)));
  EXPECT_FALSE(files.CreateFolder(dir.path().substr(0, 3)));
}

}  // namespace
}  // namespace pinlet
