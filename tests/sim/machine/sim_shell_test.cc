#include "sim/machine/sim_shell.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;

class SimShellTest : public WorldTest {
 protected:
  Shell& shell() { return world.shell; }
  std::string Temp() { return world.shell.TempFolder(); }
  FileOperationResult Run(int function, std::vector<std::string> from,
                          std::vector<std::string> to, uint32_t flags) {
    ShellFileOperation op;
    op.function = function;
    op.from = std::move(from);
    op.to = std::move(to);
    op.flags = flags;
    return shell().FileOperation(op);
  }
  static constexpr uint32_t kQuiet = fo::kNoConfirmation | fo::kSilent | fo::kNoErrorUi;
};

TEST_F(SimShellTest, ExecuteAnswersTheScriptedResultThenTheSystemsOwn) {
  std::string file = Temp() + "page.htm";
  world.files.Store(file, "<html>");
  world.shell.QueueExecuteResult(se::kNoAssociation);
  EXPECT_EQ(shell().Execute(0, "open", "report.xyz", "", Temp(), se::kShowNormal),
            se::kNoAssociation);
  EXPECT_EQ(shell().Execute(0, "print", file, "", "", se::kShowNormal), se::kSucceeded);
  EXPECT_EQ(shell().Execute(0, "open", "page.htm", "", Temp(), 1), se::kSucceeded);
  EXPECT_EQ(shell().Execute(0, "open", "gone.htm", "", Temp(), 1), se::kFileNotFound);
  EXPECT_EQ(shell().Execute(0, "open", "http://www.example.com/", "", "", 1),
            se::kSucceeded);
  ASSERT_EQ(world.shell.executed().size(), 5u);
  const auto& first = world.shell.executed()[0];
  EXPECT_EQ(first.verb, "open");
  EXPECT_EQ(first.file, "report.xyz");
  EXPECT_EQ(first.folder, Temp());
  EXPECT_EQ(first.result, 31);
  world.faults.FailMember("ShellExecute");
  EXPECT_EQ(shell().Execute(0, "print", file, "", "", 1), se::kOutOfResources);
}

TEST_F(SimShellTest, TempFileNameReservesAUniqueNameByCreatingTheFile) {
  auto folder = shell().TempPath();
  ASSERT_TRUE(folder);
  EXPECT_EQ(*folder, "C:\\Documents and Settings\\User\\Local Settings\\Temp\\");
  world.files.Store(*folder + "pin1.tmp", "someone else's");
  std::set<std::string> names;
  for (int i = 0; i < 3; ++i) {
    auto name = shell().TempFileName(*folder, "pinlet");
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->starts_with(*folder + "pin")) << *name;
    EXPECT_TRUE(name->ends_with(".tmp")) << *name;
    EXPECT_EQ(world.files.Peek(*name), "");  // created, empty
    names.insert(*name);
  }
  EXPECT_EQ(names.size(), 3u);
  EXPECT_FALSE(names.count(*folder + "pin1.tmp"));
  EXPECT_EQ(world.files.Peek(*folder + "pin1.tmp"), "someone else's");
  // A given number only builds the name; a missing folder answers nothing.
  EXPECT_EQ(shell().TempFileName("C:\\", "ab", 0x2A), "C:\\ab2A.tmp");
  EXPECT_FALSE(world.files.IsFile("C:\\ab2A.tmp"));
  EXPECT_FALSE(shell().TempFileName("C:\\Missing", "pin"));
}

TEST_F(SimShellTest, TheTempPathFollowsTmpAndTemp) {
  world.shell.SetVariable("TMP", "");
  world.shell.SetVariable("temp", "C:\\Scratch");
  EXPECT_EQ(shell().TempPath(), "C:\\Scratch\\");
  world.faults.FailMember("GetTempPath");
  EXPECT_FALSE(shell().TempPath());
}

TEST_F(SimShellTest, DeletingAFolderTreeQuietlyRemovesEverythingInIt) {
  std::string tree = world.user_dir + "Temp";
  world.files.Store(tree + "\\a.txt", "a");
  world.files.Store(tree + "\\sub\\deeper\\b.txt", "b");
  FileOperationResult result = Run(fo::kDelete, {tree}, {}, kQuiet);
  EXPECT_EQ(result.code, fo::kOk);
  EXPECT_FALSE(result.aborted);
  EXPECT_FALSE(world.files.IsFolder(tree));
  EXPECT_TRUE(world.files.Files(world.user_dir).empty());
  EXPECT_TRUE(world.message_boxes.shown().empty());
  ASSERT_EQ(world.shell.operations().size(), 1u);
  EXPECT_THAT(world.shell.operations()[0].done,
              ElementsAre("deleted C:\\Documents and Settings\\User\\Application "
                          "Data\\Zarvo\\Pinlet\\Temp"));
}

TEST_F(SimShellTest, WithoutNoConfirmationTheShellAsksAndNoKeepsTheFiles) {
  std::string tree = Temp() + "Old";
  world.files.Store(tree + "\\a.txt", "a");
  world.message_boxes.QueueAnswer(mb::kNo);
  FileOperationResult result = Run(fo::kDelete, {tree}, {}, fo::kSilent);
  EXPECT_EQ(result.code, fo::kErrCancelled);
  EXPECT_TRUE(result.aborted);
  EXPECT_TRUE(world.files.IsFile(tree + "\\a.txt"));
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_EQ(world.message_boxes.shown()[0].title, "Confirm Folder Delete");
  EXPECT_EQ(world.message_boxes.shown()[0].text,
            "Are you sure you want to remove the folder 'Old' and all its contents?");
}

TEST_F(SimShellTest, WildcardsPickTheMatchingEntriesAndFilesOnlySkipsFolders) {
  world.files.Store(Temp() + "a.tmp", "");
  world.files.Store(Temp() + "b.TMP", "");
  world.files.Store(Temp() + "keep.txt", "");
  world.files.MakeFolders(Temp() + "dir.tmp");
  EXPECT_EQ(Run(fo::kDelete, {Temp() + "*.tmp"}, {}, kQuiet | fo::kFilesOnly).code,
            fo::kOk);
  std::vector<std::string> left;
  auto entries = world.files.Entries(Temp());
  for (const FileEntry& e : *entries) left.push_back(e.name);
  EXPECT_THAT(left, ElementsAre("dir.tmp", "keep.txt"));
  EXPECT_EQ(Run(fo::kDelete, {Temp() + "*.*"}, {}, kQuiet | fo::kAllowUndo).code,
            fo::kOk);
  EXPECT_TRUE(world.files.Entries(Temp())->empty());
  EXPECT_EQ(world.shell.recycle_bin().size(), 2u);
}

TEST_F(SimShellTest, AMissingSourceChangesNothingAndShowsItsErrorUnlessTold) {
  world.files.Store(Temp() + "a.txt", "a");
  world.message_boxes.QueueAnswer(mb::kOk, "Cannot delete");
  EXPECT_EQ(
      Run(fo::kDelete, {Temp() + "a.txt", Temp() + "gone.txt"}, {}, fo::kNoConfirmation)
          .code,
      fo::kErrFileNotFound);
  EXPECT_TRUE(world.files.IsFile(Temp() + "a.txt"));  // checked before anything went
  EXPECT_EQ(world.message_boxes.shown().back().title, "Error Deleting File or Folder");
  EXPECT_EQ(Run(fo::kDelete, {Temp() + "gone.txt"}, {}, kQuiet).code,
            fo::kErrFileNotFound);
  EXPECT_EQ(world.message_boxes.shown().size(), 1u);
}

TEST_F(SimShellTest, CopyMoveAndRenameFilesAndFolders) {
  std::string docs = world.shell.SpecialFolder(csidl::kPersonal);
  world.files.Store(Temp() + "Box\\a.txt", "a");
  world.files.Store(Temp() + "Box\\in\\b.txt", "b");
  // A copy into an existing folder keeps the name; a folder goes whole.
  EXPECT_EQ(Run(fo::kCopy, {Temp() + "Box"}, {docs}, kQuiet).code, fo::kOk);
  EXPECT_EQ(world.files.Peek(docs + "\\Box\\in\\b.txt"), "b");
  // Onto a name that is not a folder: the new name, its folders created.
  EXPECT_EQ(Run(fo::kCopy, {Temp() + "Box\\a.txt"}, {docs + "\\New\\c.txt"}, kQuiet).code,
            fo::kOk);
  EXPECT_EQ(world.files.Peek(docs + "\\New\\c.txt"), "a");
  EXPECT_EQ(
      Run(fo::kRename, {docs + "\\New\\c.txt"}, {docs + "\\New\\d.txt"}, kQuiet).code,
      fo::kOk);
  EXPECT_TRUE(world.files.IsFile(docs + "\\New\\d.txt"));
  // A wildcard's matches go into the destination as a folder, even just one.
  EXPECT_EQ(Run(fo::kCopy, {Temp() + "Box\\*.txt"}, {docs + "\\Texts"}, kQuiet).code,
            fo::kOk);
  EXPECT_EQ(world.files.Peek(docs + "\\Texts\\a.txt"), "a");
  EXPECT_EQ(Run(fo::kMove, {Temp() + "Box"}, {Temp() + "Box\\in"}, kQuiet).code,
            fo::kErrDestSubtree);
  EXPECT_EQ(Run(fo::kMove, {Temp() + "Box"}, {world.user_dir}, kQuiet).code, fo::kOk);
  EXPECT_FALSE(world.files.IsFolder(Temp() + "Box"));
  EXPECT_TRUE(world.files.IsFile(world.user_dir + "Box\\in\\b.txt"));
}

TEST_F(SimShellTest, ReplacingAFileAsksFirstUnlessToldNotTo) {
  world.files.Store(Temp() + "a.txt", "new");
  world.files.Store(world.user_dir + "a.txt", "old");
  world.message_boxes.QueueAnswer(mb::kNo, "replace");
  FileOperationResult result =
      Run(fo::kCopy, {Temp() + "a.txt"}, {world.user_dir}, fo::kSilent);
  EXPECT_TRUE(result.aborted);
  EXPECT_EQ(world.files.Peek(world.user_dir + "a.txt"), "old");
  EXPECT_EQ(Run(fo::kCopy, {Temp() + "a.txt"}, {world.user_dir}, kQuiet).code, fo::kOk);
  EXPECT_EQ(world.files.Peek(world.user_dir + "a.txt"), "new");
}

TEST_F(SimShellTest, SpecialFoldersAndTheUser) {
  EXPECT_EQ(shell().SpecialFolderPath(csidl::kAppData, false),
            "C:\\Documents and Settings\\User\\Application Data");
  EXPECT_EQ(shell().SpecialFolderPath(csidl::kPersonal, false),
            "C:\\Documents and Settings\\User\\My Documents");
  EXPECT_FALSE(shell().SpecialFolderPath(0x7777, true));
  std::string local = world.shell.SpecialFolder(csidl::kLocalAppData);
  world.files.DeleteEntry(local, true);
  EXPECT_FALSE(shell().SpecialFolderPath(csidl::kLocalAppData, false));
  EXPECT_EQ(shell().SpecialFolderPath(csidl::kLocalAppData, true), local);
  EXPECT_TRUE(world.files.IsFolder(local));
  world.shell.set_user_name("Anna");
  EXPECT_EQ(shell().UserName(), "Anna");
  EXPECT_EQ(shell().ExpandEnvironment("%username%"), "Anna");
}

TEST_F(SimShellTest, ExpandEnvironmentLeavesWhatIsNotAVariable) {
  EXPECT_EQ(shell().ExpandEnvironment("%USERPROFILE%\\My Documents"),
            "C:\\Documents and Settings\\User\\My Documents");
  EXPECT_EQ(shell().ExpandEnvironment("100% sure"), "100% sure");
  EXPECT_EQ(shell().ExpandEnvironment("%NOPE%%HOMEDRIVE%x"), "%NOPE%C:x");
  EXPECT_EQ(shell().ExpandEnvironment("%%"), "%%");
  EXPECT_EQ(shell().ExpandEnvironment("50%HOMEDRIVE%"), "50C:");
  world.faults.FailMember("ExpandEnvironmentStrings");
  EXPECT_FALSE(shell().ExpandEnvironment("%TEMP%"));
}

TEST_F(SimShellTest, FailingCallsAnswerFailure) {
  for (const char* member :
       {"SHFileOperation", "GetTempFileName", "SHGetSpecialFolderPath", "GetUserName"})
    world.faults.FailMember(member);
  world.files.Store(Temp() + "a.txt", "a");
  EXPECT_NE(Run(fo::kDelete, {Temp() + "a.txt"}, {}, kQuiet).code, fo::kOk);
  EXPECT_TRUE(world.files.IsFile(Temp() + "a.txt"));
  EXPECT_FALSE(shell().TempFileName(Temp(), "pin"));
  EXPECT_FALSE(shell().SpecialFolderPath(csidl::kAppData, false));
  EXPECT_FALSE(shell().UserName());
  EXPECT_EQ(world.files.Files(), (std::vector<std::string>{Temp() + "a.txt"}));
}

}  // namespace
}  // namespace pinlet::sim
