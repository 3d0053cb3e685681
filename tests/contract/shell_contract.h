// The contract of Shell (platform/shell.h) for what every machine's shell
// does alike: file operations, temporary files and the expansion of
// variables. A backend is a type with
//   Shell& shell();
//   FileSystem& files();  // the same machine's files
//   std::string Root();   // an empty folder of its own, without a trailing "\"
// instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, ShellContract, Backend).
#ifndef PINLET_TESTS_CONTRACT_SHELL_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_SHELL_CONTRACT_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text.h"

namespace pinlet::contract {

// No window, no question, no message box: what a test can run.
inline constexpr uint32_t kQuietOperation =
    fo::kSilent | fo::kNoConfirmation | fo::kNoErrorUi | fo::kNoConfirmMkdir;

template <typename Backend>
class ShellContract : public ::testing::Test {
 protected:
  Shell& shell() { return backend_.shell(); }
  FileSystem& files() { return backend_.files(); }
  const std::string& root() { return root_; }
  std::string At(std::string_view name) { return root_ + "\\" + std::string(name); }
  FileOperationResult Run(int function, std::vector<std::string> from,
                          std::vector<std::string> to, uint32_t flags = kQuietOperation) {
    ShellFileOperation operation;
    operation.function = function;
    operation.from = std::move(from);
    operation.to = std::move(to);
    operation.flags = flags;
    return shell().FileOperation(operation);
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    if (auto entries = files().List(folder))
      for (const FileEntry& entry : *entries) names.push_back(entry.name);
    return names;
  }
  // A folder of files: a.txt, b.txt, c.log and the folder d.txt holding e.txt.
  void Fill(const std::string& folder) {
    ASSERT_TRUE(files().CreateFolder(folder));
    for (const char* name : {"a.txt", "b.txt", "c.log"})
      ASSERT_TRUE(files().WriteFile(folder + "\\" + name, name));
    ASSERT_TRUE(files().CreateFolder(folder + "\\d.txt"));
    ASSERT_TRUE(files().WriteFile(folder + "\\d.txt\\e.txt", "e"));
  }

 private:
  Backend backend_;
  std::string root_ = backend_.Root();
};

TYPED_TEST_SUITE_P(ShellContract);

TYPED_TEST_P(ShellContract, WildcardsCopyWhatTheyMatchIntoANewFolder) {
  this->Fill(this->At("Src"));
  FileOperationResult result =
      this->Run(fo::kCopy, {this->At("Src\\*.txt")}, {this->At("Out")});
  EXPECT_EQ(result.code, fo::kOk);
  EXPECT_FALSE(result.aborted);
  EXPECT_THAT(this->Names(this->At("Out")), ::testing::ElementsAre("a.txt", "b.txt", "d.txt"));
  EXPECT_EQ(this->files().ReadFile(this->At("Out\\d.txt\\e.txt")), "e");
  // Files only: the folder matching the pattern stays behind.
  EXPECT_EQ(this->Run(fo::kMove, {this->At("Src\\*.txt")}, {this->At("Files")},
                      kQuietOperation | fo::kFilesOnly)
                .code,
            fo::kOk);
  EXPECT_THAT(this->Names(this->At("Files")), ::testing::ElementsAre("a.txt", "b.txt"));
  EXPECT_THAT(this->Names(this->At("Src")), ::testing::ElementsAre("c.log", "d.txt"));
}

TYPED_TEST_P(ShellContract, AMissingSourceChangesNothing) {
  this->Fill(this->At("Src"));
  EXPECT_EQ(this->Run(fo::kCopy, {this->At("Src\\a.txt"), this->At("Src\\gone.txt")},
                      {this->At("Out")})
                .code,
            fo::kErrFileNotFound);
  EXPECT_EQ(this->Run(fo::kDelete, {this->At("Src\\a.txt"), this->At("Src\\gone.txt")}, {})
                .code,
            fo::kErrFileNotFound);
  EXPECT_EQ(this->Run(fo::kMove, {this->At("Gone\\*.txt")}, {this->At("Out")}).code,
            fo::kErrPathNotFound);
  EXPECT_FALSE(this->files().FolderExists(this->At("Out")));
  EXPECT_THAT(this->Names(this->At("Src")),
              ::testing::ElementsAre("a.txt", "b.txt", "c.log", "d.txt"));
}

TYPED_TEST_P(ShellContract, AFolderNeverMergesWithOneOfItsName) {
  FileSystem& files = this->files();
  this->Fill(this->At("Src"));
  ASSERT_TRUE(files.CreateFolder(this->At("Out")));
  ASSERT_TRUE(files.CreateFolder(this->At("Out\\d.txt")));
  ASSERT_TRUE(files.WriteFile(this->At("Out\\d.txt\\old.txt"), "old"));
  EXPECT_EQ(this->Run(fo::kCopy, {this->At("Src\\d.txt")}, {this->At("Out")}).code,
            fo::kErrFileExists);
  EXPECT_EQ(this->Run(fo::kMove, {this->At("Src\\*")}, {this->At("Out")}).code,
            fo::kErrFileExists);
  // Nor does a file take a folder's place.
  ASSERT_TRUE(files.WriteFile(this->At("d.txt"), "file"));
  EXPECT_EQ(this->Run(fo::kCopy, {this->At("d.txt")}, {this->At("Out")}).code,
            fo::kErrFileExists);
  EXPECT_THAT(this->Names(this->At("Out\\d.txt")), ::testing::ElementsAre("old.txt"));
  EXPECT_THAT(this->Names(this->At("Src")),
              ::testing::ElementsAre("a.txt", "b.txt", "c.log", "d.txt"));
}

TYPED_TEST_P(ShellContract, FilesAreDeletedMovedAndRenamed) {
  this->Fill(this->At("Src"));
  EXPECT_EQ(
      this->Run(fo::kRename, {this->At("Src\\c.log")}, {this->At("Src\\renamed.log")}).code,
      fo::kOk);
  EXPECT_EQ(this->Run(fo::kMove, {this->At("Src\\a.txt"), this->At("Src\\b.txt")},
                      {this->At("A\\one.txt"), this->At("B\\two.txt")},
                      kQuietOperation | fo::kMultiDestFiles)
                .code,
            fo::kOk);
  EXPECT_EQ(this->files().ReadFile(this->At("A\\one.txt")), "a.txt");
  EXPECT_EQ(this->files().ReadFile(this->At("B\\two.txt")), "b.txt");
  EXPECT_EQ(
      this->Run(fo::kDelete, {this->At("Src\\d.txt"), this->At("Src\\renamed.log")}, {}).code,
      fo::kOk);
  EXPECT_THAT(this->Names(this->At("Src")), ::testing::ElementsAre());
}

TYPED_TEST_P(ShellContract, WhatTheShellCannotTakeIsRefused) {
  this->Fill(this->At("Src"));
  const std::string a = this->At("Src\\a.txt");
  EXPECT_EQ(this->Run(fo::kCopy, {a}, {}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(this->Run(fo::kRename, {a, this->At("Src\\b.txt")}, {this->At("x")}).code,
            fo::kErrInvalidFiles);
  EXPECT_EQ(this->Run(fo::kDelete, {}, {}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(this->Run(9, {a}, {this->At("x")}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(this->Run(fo::kDelete, {this->At("Src\\CON")}, {}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(this->Run(fo::kCopy, {a}, {this->At("nul")}).code, fo::kErrInvalidFiles);
  EXPECT_EQ(this->Run(fo::kDelete, {this->root().substr(0, 3)}, {}).code,
            fo::kErrInvalidFiles);
  EXPECT_THAT(this->Names(this->At("Src")),
              ::testing::ElementsAre("a.txt", "b.txt", "c.log", "d.txt"));
}

TYPED_TEST_P(ShellContract, TemporaryFilesAreMadeInTheGivenFolder) {
  Shell& shell = this->shell();
  FileSystem& files = this->files();
  std::optional<std::string> temp = shell.TempPath();
  ASSERT_TRUE(temp);
  EXPECT_TRUE(temp->ends_with("\\"));
  EXPECT_TRUE(files.FolderExists(*temp));

  std::optional<std::string> first = shell.TempFileName(this->root(), "pinlet");
  std::optional<std::string> second = shell.TempFileName(this->root(), "pinlet");
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_TRUE(EqualsIgnoringCase(first->substr(0, this->At("pin").size()), this->At("pin")))
      << *first;
  EXPECT_TRUE(first->ends_with(".tmp"));
  EXPECT_EQ(files.ReadFile(*first), "");
  // A given number only builds the name (its digits in either case).
  std::optional<std::string> built = shell.TempFileName(this->root(), "pinlet", 0x1A);
  ASSERT_TRUE(built);
  EXPECT_TRUE(EqualsIgnoringCase(*built, this->At("pin1A.tmp"))) << *built;
  EXPECT_FALSE(files.FileExists(this->At("pin1A.tmp")));
  EXPECT_FALSE(shell.TempFileName(this->At("Missing"), "pin"));
  EXPECT_FALSE(shell.TempFileName(this->At("CON"), "pin"));
  // A prefix cannot lead out of the folder.
  ASSERT_TRUE(files.CreateFolder(this->At("Sub")));
  EXPECT_FALSE(shell.TempFileName(this->At("Sub"), "..\\"));
  EXPECT_THAT(this->Names(this->At("Sub")), ::testing::ElementsAre());
  EXPECT_EQ(this->Names(this->root()).size(), 3u);  // the two files and Sub
}

TYPED_TEST_P(ShellContract, WhatIsNoDefinedVariableStaysAsWritten) {
  Shell& shell = this->shell();
  EXPECT_EQ(shell.ExpandEnvironment("100% %PINLET_TEST_UNDEFINED% %%"),
            "100% %PINLET_TEST_UNDEFINED% %%");
  EXPECT_EQ(shell.ExpandEnvironment("C:\\Notes\\a.txt"), "C:\\Notes\\a.txt");
  EXPECT_EQ(shell.ExpandEnvironment(""), "");
  std::optional<std::string> user = shell.UserName();
  ASSERT_TRUE(user);
  EXPECT_FALSE(user->empty());
  EXPECT_FALSE(shell.SpecialFolderPath(0x7FFF, true));
}

REGISTER_TYPED_TEST_SUITE_P(ShellContract, WildcardsCopyWhatTheyMatchIntoANewFolder,
                            AMissingSourceChangesNothing, AFolderNeverMergesWithOneOfItsName,
                            FilesAreDeletedMovedAndRenamed, WhatTheShellCannotTakeIsRefused,
                            TemporaryFilesAreMadeInTheGivenFolder,
                            WhatIsNoDefinedVariableStaysAsWritten);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_SHELL_CONTRACT_H_
