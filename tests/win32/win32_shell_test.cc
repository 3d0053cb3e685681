#include "platform/win32/win32_shell.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/wide_text.h"
#include "platform/text.h"
#include "platform/win32/win32_files.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// No window, no question, no message box: what a test can run.
constexpr uint32_t kQuiet =
    fo::kSilent | fo::kNoConfirmation | fo::kNoErrorUi | fo::kNoConfirmMkdir;

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }

  FileOperationResult Run(int function, std::vector<std::string> from,
                          std::vector<std::string> to, uint32_t flags = kQuiet) {
    ShellFileOperation operation;
    operation.function = function;
    operation.from = std::move(from);
    operation.to = std::move(to);
    operation.flags = flags;
    return shell.FileOperation(operation);
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    if (auto entries = files.List(folder))
      for (const FileEntry& entry : *entries) names.push_back(entry.name);
    return names;
  }
  // A folder of files: a.txt, b.txt, c.log and the folder d.txt holding e.txt.
  void Fill(const std::string& folder) {
    ASSERT_TRUE(files.CreateFolder(folder));
    for (const char* name : {"a.txt", "b.txt", "c.log"})
      ASSERT_TRUE(files.WriteFile(folder + "\\" + name, name));
    ASSERT_TRUE(files.CreateFolder(folder + "\\d.txt"));
    ASSERT_TRUE(files.WriteFile(folder + "\\d.txt\\e.txt", "e"));
  }

  testing::TestFolder dir;
  Win32FileSystem files;
  Win32Shell shell;
};

TEST_F(Win32ShellTest, WildcardsCopyWhatTheyMatchIntoANewFolder) {
  Fill(dir / "Src");
  FileOperationResult result = Run(fo::kCopy, {dir / "Src\\*.txt"}, {dir / "Out"});
  EXPECT_EQ(result.code, fo::kOk);
  EXPECT_FALSE(result.aborted);
  EXPECT_THAT(Names(dir / "Out"), ElementsAre("a.txt", "b.txt", "d.txt"));
  EXPECT_EQ(files.ReadFile(dir / "Out\\d.txt\\e.txt"), "e");
  // Files only: the folder matching the pattern stays behind.
  EXPECT_EQ(
      Run(fo::kMove, {dir / "Src\\*.txt"}, {dir / "Files"}, kQuiet | fo::kFilesOnly).code,
      fo::kOk);
  EXPECT_THAT(Names(dir / "Files"), ElementsAre("a.txt", "b.txt"));
  EXPECT_THAT(Names(dir / "Src"), ElementsAre("c.log", "d.txt"));
}

TEST_F(Win32ShellTest, AMissingSourceChangesNothing) {
  Fill(dir / "Src");
  EXPECT_EQ(
      Run(fo::kCopy, {dir / "Src\\a.txt", dir / "Src\\gone.txt"}, {dir / "Out"}).code,
      fo::kErrFileNotFound);
  EXPECT_EQ(Run(fo::kDelete, {dir / "Src\\a.txt", dir / "Src\\gone.txt"}, {}).code,
            fo::kErrFileNotFound);
  EXPECT_EQ(Run(fo::kMove, {dir / "Gone\\*.txt"}, {dir / "Out"}).code,
            fo::kErrPathNotFound);
  EXPECT_FALSE(files.FolderExists(dir / "Out"));
  EXPECT_THAT(Names(dir / "Src"), ElementsAre("a.txt", "b.txt", "c.log", "d.txt"));
}

TEST_F(Win32ShellTest, AFolderNeverMergesWithOneOfItsName) {
  Fill(dir / "Src");
  ASSERT_TRUE(files.CreateFolder(dir / "Out"));
  ASSERT_TRUE(files.CreateFolder(dir / "Out\\d.txt"));
  ASSERT_TRUE(files.WriteFile(dir / "Out\\d.txt\\old.txt", "old"));
  EXPECT_EQ(Run(fo::kCopy, {dir / "Src\\d.txt"}, {dir / "Out"}).code, fo::kErrFileExists);
  EXPECT_EQ(Run(fo::kMove, {dir / "Src\\*"}, {dir / "Out"}).code, fo::kErrFileExists);
  // Nor does a file take a folder's place.
  ASSERT_TRUE(files.WriteFile(dir / "d.txt", "file"));
  EXPECT_EQ(Run(fo::kCopy, {dir / "d.txt"}, {dir / "Out"}).code, fo::kErrFileExists);
  EXPECT_THAT(Names(dir / "Out\\d.txt"), ElementsAre("old.txt"));
  EXPECT_THAT(Names(dir / "Src"), ElementsAre("a.txt", "b.txt", "c.log", "d.txt"));
}

TEST_F(Win32ShellTest, FilesAreDeletedMovedAndRenamed) {
  Fill(dir / "Src");
  EXPECT_EQ(Run(fo::kRename, {dir / "Src\\c.log"}, {dir / "Src\\renamed.log"}).code,
            fo::kOk);
  EXPECT_EQ(Run(fo::kMove, {dir / "Src\\a.txt", dir / "Src\\b.txt"},
                {dir / "A\\one.txt", dir / "B\\two.txt"}, kQuiet | fo::kMultiDestFiles)
                .code,
            fo::kOk);
  EXPECT_EQ(files.ReadFile(dir / "A\\one.txt"), "a.txt");
  EXPECT_EQ(files.ReadFile(dir / "B\\two.txt"), "b.txt");
  EXPECT_EQ(Run(fo::kDelete, {dir / "Src\\d.txt", dir / "Src\\renamed.log"}, {}).code,
            fo::kOk);
  EXPECT_THAT(Names(dir / "Src"), ElementsAre());
}

TEST_F(Win32ShellTest, WhatTheShellCannotTakeIsRefused) {
  Fill(dir / "Src");
  EXPECT_EQ(Run(fo::kCopy, {dir / "Src\\a.txt"}, {}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(Run(fo::kRename, {dir / "Src\\a.txt", dir / "Src\\b.txt"}, {dir / "x"}).code,
            fo::kErrInvalidFiles);
  EXPECT_EQ(Run(fo::kDelete, {}, {}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(Run(9, {dir / "Src\\a.txt"}, {dir / "x"}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(Run(fo::kDelete, {dir / "Src\\CON"}, {}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(Run(fo::kCopy, {dir / "Src\\a.txt"}, {dir / "nul"}).code,
            fo::kErrInvalidFiles);
  EXPECT_EQ(Run(fo::kDelete, {dir.path().substr(0, 3)}, {}).code, fo::kErrInvalidFiles);
  EXPECT_THAT(Names(dir / "Src"), ElementsAre("a.txt", "b.txt", "c.log", "d.txt"));
}

TEST_F(Win32ShellTest, ShellExecuteAnswersTheSystemsFailures) {
  ASSERT_TRUE(files.WriteFile(dir / "page.pinlet-unknown", "x"));
  EXPECT_EQ(shell.Execute(0, "open", dir / "missing.txt", "", "", se::kShowNormal),
            se::kFileNotFound);
  EXPECT_EQ(
      shell.Execute(0, "", dir / "page.pinlet-unknown", "", dir.path(), se::kShowNormal),
      se::kNoAssociation);
}

TEST_F(Win32ShellTest, TemporaryFilesAreMadeInTheGivenFolder) {
  std::optional<std::string> temp = shell.TempPath();
  ASSERT_TRUE(temp);
  EXPECT_TRUE(temp->ends_with("\\"));
  EXPECT_TRUE(files.FolderExists(*temp));

  std::optional<std::string> first = shell.TempFileName(dir.path(), "pinlet");
  std::optional<std::string> second = shell.TempFileName(dir.path(), "pinlet");
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_THAT(*first, StartsWith(dir / "pin"));
  EXPECT_TRUE(first->ends_with(".tmp"));
  EXPECT_EQ(files.ReadFile(*first), "");
  // A given number only builds the name (its digits in either case).
  std::optional<std::string> built = shell.TempFileName(dir.path(), "pinlet", 0x1A);
  ASSERT_TRUE(built);
  EXPECT_TRUE(EqualsIgnoringCase(*built, dir / "pin1A.tmp")) << *built;
  EXPECT_FALSE(files.FileExists(dir / "pin1A.tmp"));
  EXPECT_FALSE(shell.TempFileName(dir / "Missing", "pin"));
  EXPECT_FALSE(shell.TempFileName(dir / "CON", "pin"));
  // A prefix cannot lead out of the folder.
  ASSERT_TRUE(files.CreateFolder(dir / "Sub"));
  EXPECT_FALSE(shell.TempFileName(dir / "Sub", "..\\"));
  EXPECT_THAT(Names(dir / "Sub"), ElementsAre());
  EXPECT_EQ(Names(dir.path()).size(), 3u);  // the two files and Sub
}

TEST_F(Win32ShellTest, TheUsersFoldersAndNameAreTheSystems) {
  std::optional<std::string> app_data = shell.SpecialFolderPath(csidl::kAppData, false);
  ASSERT_TRUE(app_data);
  EXPECT_FALSE(app_data->ends_with("\\"));
  EXPECT_TRUE(files.FolderExists(*app_data));
  EXPECT_FALSE(shell.SpecialFolderPath(0x7FFF, true));
  std::optional<std::string> user = shell.UserName();
  ASSERT_TRUE(user);
  EXPECT_FALSE(user->empty());
}

TEST_F(Win32ShellTest, DefinedVariablesAreExpandedAndTheRestStays) {
  const std::string value = "C:\\Notes " + std::string(5000, 'v');
  SetEnvironmentVariableW(L"PINLET_TEST_FOLDER", Wide(value).c_str());
  SetEnvironmentVariableW(L"PINLET_TEST_ACCENT", L"caf\u00E9");
  EXPECT_EQ(shell.ExpandEnvironment("%pinlet_test_folder%\\a.txt"), value + "\\a.txt");
  EXPECT_EQ(shell.ExpandEnvironment("%PINLET_TEST_ACCENT%"), "caf\xC3\xA9");
  EXPECT_EQ(shell.ExpandEnvironment("100% %PINLET_TEST_UNDEFINED% %%"),
            "100% %PINLET_TEST_UNDEFINED% %%");
  EXPECT_EQ(shell.ExpandEnvironment(""), "");
  SetEnvironmentVariableW(L"PINLET_TEST_FOLDER", nullptr);
  SetEnvironmentVariableW(L"PINLET_TEST_ACCENT", nullptr);
}

}  // namespace
}  // namespace pinlet
