// The contract of FileSystem (platform/files.h), one suite for every
// backend: the simulated machine's files and the real ones of Windows answer
// every case alike. A backend is a type with
//   FileSystem& files();
//   std::string Root();  // an empty folder of its own, without a trailing "\"
// and is instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, FilesContract, Backend).
#ifndef PINLET_TESTS_CONTRACT_FILES_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_FILES_CONTRACT_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"

namespace pinlet::contract {

template <typename Backend>
class FilesContract : public ::testing::Test {
 protected:
  FileSystem& files() { return backend_.files(); }
  const std::string& root() { return root_; }
  // The path of `name` in the backend's folder.
  std::string At(std::string_view name) { return root_ + "\\" + std::string(name); }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    if (auto entries = files().List(folder))
      for (const FileEntry& entry : *entries) names.push_back(entry.name);
    return names;
  }

 private:
  Backend backend_;
  std::string root_ = backend_.Root();
};

TYPED_TEST_SUITE_P(FilesContract);

TYPED_TEST_P(FilesContract, WholeFilesAreWrittenReplacedAppendedAndMeasured) {
  FileSystem& files = this->files();
  const std::string path = this->At("Notes.txt");
  const std::string binary("\x00\xFF\r\n\x1A", 5);
  ASSERT_TRUE(files.WriteFile(path, "a long first content"));
  ASSERT_TRUE(files.WriteFile(path, binary));
  EXPECT_EQ(files.ReadFile(path), binary);
  ASSERT_TRUE(files.AppendFile(path, "more"));
  EXPECT_EQ(files.ReadFile(path), binary + "more");
  EXPECT_EQ(files.Size(path), binary.size() + 4);
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_FALSE(files.FolderExists(path));
  // An append makes a missing file; a write of nothing leaves it empty.
  ASSERT_TRUE(files.AppendFile(this->At("new.log"), "line\r\n"));
  EXPECT_EQ(files.ReadFile(this->At("new.log")), "line\r\n");
  ASSERT_TRUE(files.WriteFile(this->At("new.log"), ""));
  EXPECT_EQ(files.Size(this->At("new.log")), 0u);
  const std::string large(3 << 20, 'x');
  ASSERT_TRUE(files.WriteFile(this->At("large.bin"), large));
  EXPECT_EQ(files.ReadFile(this->At("large.bin")), large);
  EXPECT_THAT(this->Names(this->root()),
              ::testing::ElementsAre("large.bin", "new.log", "Notes.txt"));
}

TYPED_TEST_P(FilesContract, AWriteNeedsItsFolderAndAFolderIsNeverAFile) {
  FileSystem& files = this->files();
  ASSERT_TRUE(files.CreateFolder(this->At("Sub")));
  EXPECT_FALSE(files.WriteFile(this->At("Missing\\a.txt"), "x"));
  EXPECT_FALSE(files.AppendFile(this->At("Missing\\a.txt"), "x"));
  EXPECT_FALSE(files.FolderExists(this->At("Missing")));
  EXPECT_FALSE(files.WriteFile(this->At("Sub"), "x"));
  EXPECT_FALSE(files.AppendFile(this->At("Sub"), "x"));
  EXPECT_FALSE(files.FileExists(this->At("Sub")));
  EXPECT_FALSE(files.ReadFile(this->At("Sub")));
  EXPECT_FALSE(files.Size(this->At("Sub")));
  EXPECT_FALSE(files.WriteFile(this->At("a.txt\\"), "x"));  // can only name a folder
  // A file cannot stand for a folder on the way, nor be named as a folder.
  ASSERT_TRUE(files.WriteFile(this->At("f.txt"), "f"));
  EXPECT_FALSE(files.WriteFile(this->At("f.txt\\b.txt"), "x"));
  EXPECT_FALSE(files.FileExists(this->At("f.txt\\")));
  EXPECT_FALSE(files.CreateFolder(this->At("f.txt")));
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre("f.txt", "Sub"));
}

TYPED_TEST_P(FilesContract, HostilePathsNameNoFile) {
  FileSystem& files = this->files();
  for (const std::string& bad : std::vector<std::string>{
           this->At("CON"), this->At("nul.txt"), this->At("com1.log"),
           this->At("LPT9\\a.txt"), this->At("Aux .txt"), "notes.txt", "C:notes.txt",
           "\\\\server\\share\\a.txt", this->At("a<b.txt"), this->At("a?.txt"),
           this->At("a*.txt"), this->At("a|b"), this->At("tab\there"),
           this->At(std::string(300, 'a')), this->At("caf\xE9.txt"), this->At("..."),
           ""}) {
    EXPECT_FALSE(files.WriteFile(bad, "x")) << bad;
    EXPECT_FALSE(files.AppendFile(bad, "x")) << bad;
    EXPECT_FALSE(files.ReadFile(bad)) << bad;
    EXPECT_FALSE(files.FileExists(bad)) << bad;
    EXPECT_FALSE(files.CreateFolder(bad)) << bad;
    EXPECT_FALSE(files.Size(bad)) << bad;
  }
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre());
}

TYPED_TEST_P(FilesContract, PathsAreReadAsWindowsReadsThem) {
  FileSystem& files = this->files();
  ASSERT_TRUE(files.CreateFolder(this->At("Sub")));
  ASSERT_TRUE(files.WriteFile(this->At("Sub\\Report.TXT"), "r"));
  std::string slashed = this->root();
  for (char& c : slashed)
    if (c == '\\') c = '/';
  EXPECT_EQ(files.ReadFile(slashed + "/sub/report.txt"), "r");
  EXPECT_EQ(files.ReadFile(this->At("SUB\\..\\Sub\\.\\REPORT.txt")), "r");
  EXPECT_EQ(files.ReadFile(this->At("Sub\\report.txt. . ")), "r");
  EXPECT_THAT(this->Names(this->At("Sub")), ::testing::ElementsAre("Report.TXT"));
  ASSERT_TRUE(files.WriteFile(this->At("trailing. "), "t"));
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre("Sub", "trailing"));
  EXPECT_TRUE(files.FolderExists(this->root() + "\\"));
  EXPECT_TRUE(files.FolderExists(this->root().substr(0, 3)));  // the drive's root
  EXPECT_FALSE(files.FileExists(this->root().substr(0, 3)));
  EXPECT_FALSE(files.FileExists(this->At("Sub\\report.txt\\")));
}

TYPED_TEST_P(FilesContract, ThePathLimitCountsCharacters) {
  // 259 characters in all, with accented letters of two bytes each in the
  // file's name (few enough for the file systems that count a name's bytes).
  FileSystem& files = this->files();
  const size_t room = kMaxPathLength - Utf8ToUtf16(this->root()).size() - 1;
  ASSERT_LE(room, 255u);
  std::string name;
  for (size_t i = 0; i < room; ++i) name += i < 20 ? "\xC3\xA9" : "a";
  ASSERT_TRUE(files.WriteFile(this->At(name), "x"));
  EXPECT_EQ(files.ReadFile(this->At(name)), "x");
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre(name));
  EXPECT_FALSE(files.WriteFile(this->At(name + "b"), "x"));
}

TYPED_TEST_P(FilesContract, AListingIsSortedWithoutRegardToCase) {
  FileSystem& files = this->files();
  ASSERT_TRUE(files.WriteFile(this->At("b.txt"), "bb"));
  ASSERT_TRUE(files.WriteFile(this->At("A.txt"), "a"));
  ASSERT_TRUE(files.WriteFile(this->At("\xC3\x84rger.txt"), ""));  // Ärger
  ASSERT_TRUE(files.CreateFolder(this->At("c")));
  ASSERT_TRUE(files.WriteFile(this->At("c\\inner"), "i"));
  auto entries = files.List(this->root());
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
  EXPECT_THAT(this->Names(this->At("C")), ::testing::ElementsAre("inner"));
  EXPECT_FALSE(files.List(this->At("b.txt")));
  EXPECT_FALSE(files.List(this->At("missing")));
  ASSERT_TRUE(files.CreateFolder(this->At("empty")));
  EXPECT_THAT(*files.List(this->At("empty")), ::testing::ElementsAre());
}

TYPED_TEST_P(FilesContract, ACopyIsAnIndependentFileThatReplacesOnlyAFileWhenAsked) {
  FileSystem& files = this->files();
  const std::string a = this->At("a.txt"), b = this->At("b.txt");
  ASSERT_TRUE(files.WriteFile(a, "a"));
  ASSERT_TRUE(files.WriteFile(b, "b"));
  ASSERT_TRUE(files.CreateFolder(this->At("Sub")));
  EXPECT_TRUE(files.Copy(a, this->At("Sub\\a.txt"), false));
  ASSERT_TRUE(files.WriteFile(a, "changed"));
  EXPECT_EQ(files.ReadFile(this->At("Sub\\a.txt")), "a");
  EXPECT_FALSE(files.Copy(b, a, false));
  EXPECT_EQ(files.ReadFile(a), "changed");
  EXPECT_TRUE(files.Copy(b, a, true));
  EXPECT_EQ(files.ReadFile(a), "b");
  EXPECT_FALSE(files.Copy(a, this->At("Sub"), true));
  EXPECT_TRUE(files.FolderExists(this->At("Sub")));
  EXPECT_FALSE(files.Copy(this->At("Sub"), this->At("Sub2"), true));  // files only
  EXPECT_FALSE(files.Copy(a, this->At("A.TXT"), true));               // one file
  EXPECT_FALSE(files.Copy(this->At("gone.txt"), this->At("c.txt"), true));
  EXPECT_FALSE(files.Copy(a, this->At("Missing\\a.txt"), true));
  EXPECT_EQ(files.ReadFile(a), "b");
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre("a.txt", "b.txt", "Sub"));
}

TYPED_TEST_P(FilesContract, ARenameMovesFilesAndFoldersButReplacesOnlyFiles) {
  FileSystem& files = this->files();
  ASSERT_TRUE(files.WriteFile(this->At("Relaybook.log"), "old"));
  ASSERT_TRUE(files.WriteFile(this->At("temp.log"), "new"));
  EXPECT_FALSE(files.Rename(this->At("temp.log"), this->At("Relaybook.log"), false));
  EXPECT_EQ(files.ReadFile(this->At("Relaybook.log")), "old");
  EXPECT_TRUE(files.Rename(this->At("temp.log"), this->At("Relaybook.log"), true));
  EXPECT_EQ(files.ReadFile(this->At("Relaybook.log")), "new");
  EXPECT_FALSE(files.FileExists(this->At("temp.log")));
  // A change of case only changes the spelling.
  EXPECT_TRUE(files.Rename(this->At("Relaybook.log"), this->At("RELAYBOOK.LOG"), false));
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre("RELAYBOOK.LOG"));
  // A folder moves with all it holds; it never replaces, nor goes below itself.
  ASSERT_TRUE(files.CreateFolder(this->At("Notes")));
  ASSERT_TRUE(files.CreateFolder(this->At("Notes\\a")));
  ASSERT_TRUE(files.WriteFile(this->At("Notes\\a\\one.txt"), "1"));
  EXPECT_FALSE(files.Rename(this->At("Notes"), this->At("RELAYBOOK.LOG"), true));
  EXPECT_FALSE(files.Rename(this->At("RELAYBOOK.LOG"), this->At("Notes"), true));
  EXPECT_FALSE(files.Rename(this->At("Notes"), this->At("Notes\\Deeper"), false));
  EXPECT_TRUE(files.Rename(this->At("Notes"), this->At("Archive"), false));
  EXPECT_EQ(files.ReadFile(this->At("Archive\\a\\one.txt")), "1");
  EXPECT_FALSE(files.FolderExists(this->At("Notes")));
  EXPECT_FALSE(files.Rename(this->At("gone.txt"), this->At("x.txt"), false));
  EXPECT_FALSE(files.Rename(this->At("RELAYBOOK.LOG"), this->At("Missing\\x.log"), false));
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre("Archive", "RELAYBOOK.LOG"));
}

TYPED_TEST_P(FilesContract, FoldersAreMadeAndRemovedOneAtATime) {
  FileSystem& files = this->files();
  EXPECT_TRUE(files.CreateFolder(this->At("One")));
  EXPECT_FALSE(files.CreateFolder(this->At("one")));  // exists
  EXPECT_FALSE(files.CreateFolder(this->At("Two\\Three")));
  EXPECT_TRUE(files.CreateFolder(this->At("One\\Inner\\")));
  ASSERT_TRUE(files.WriteFile(this->At("One\\f.txt"), "f"));
  EXPECT_FALSE(files.CreateFolder(this->At("One\\f.txt")));
  EXPECT_FALSE(files.RemoveFolder(this->At("One")));  // not empty
  EXPECT_FALSE(files.RemoveFolder(this->At("One\\f.txt")));
  EXPECT_FALSE(files.Remove(this->At("One")));  // DeleteFile takes files only
  EXPECT_TRUE(files.Remove(this->At("One\\f.txt")));
  EXPECT_FALSE(files.Remove(this->At("One\\f.txt")));
  EXPECT_TRUE(files.RemoveFolder(this->At("One\\Inner")));
  EXPECT_TRUE(files.RemoveFolder(this->At("One")));
  EXPECT_FALSE(files.FolderExists(this->At("One")));
  EXPECT_FALSE(files.List(this->At("One")));
  EXPECT_FALSE(files.RemoveFolder(this->root().substr(0, 3)));
  EXPECT_FALSE(files.CreateFolder(this->root().substr(0, 3)));
  EXPECT_THAT(this->Names(this->root()), ::testing::ElementsAre());
}

REGISTER_TYPED_TEST_SUITE_P(FilesContract, WholeFilesAreWrittenReplacedAppendedAndMeasured,
                            AWriteNeedsItsFolderAndAFolderIsNeverAFile,
                            HostilePathsNameNoFile, PathsAreReadAsWindowsReadsThem,
                            ThePathLimitCountsCharacters,
                            AListingIsSortedWithoutRegardToCase,
                            ACopyIsAnIndependentFileThatReplacesOnlyAFileWhenAsked,
                            ARenameMovesFilesAndFoldersButReplacesOnlyFiles,
                            FoldersAreMadeAndRemovedOneAtATime);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_FILES_CONTRACT_H_
