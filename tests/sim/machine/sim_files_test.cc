#include "sim/machine/sim_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;

class SimFilesTest : public WorldTest {
 protected:
  FileSystem& fs() { return world.files; }
  std::string Temp() { return world.shell.TempFolder(); }
};

TEST_F(SimFilesTest, TheMachineStartsWithTheUsersFoldersAndNothingOfTheRealOnes) {
  for (const char* folder :
       {"C:\\", "C:\\Documents and Settings\\User\\My Documents",
        "C:\\Documents and Settings\\User\\Application Data",
        "C:\\Documents and Settings\\User\\Local Settings\\Application Data",
        "C:\\Documents and Settings\\User\\Local Settings\\Temp",
        "C:\\Program Files\\Zarvo\\Pinlet"})
    EXPECT_TRUE(fs().FolderExists(folder)) << folder;
  EXPECT_TRUE(fs().FolderExists(world.user_dir));
  EXPECT_TRUE(world.files.Files().empty());
  EXPECT_FALSE(fs().FolderExists("D:\\"));
  EXPECT_FALSE(fs().FileExists("/etc/passwd"));
  EXPECT_FALSE(fs().ReadFile("/etc/passwd"));
}

TEST_F(SimFilesTest, AWriteNeedsItsFolderAndAFolderIsNotAFile) {
  EXPECT_FALSE(fs().WriteFile("C:\\Missing\\a.txt", "x"));
  EXPECT_FALSE(fs().AppendFile("C:\\Missing\\a.txt", "x"));
  EXPECT_FALSE(fs().FolderExists("C:\\Missing"));
  EXPECT_FALSE(fs().WriteFile(Temp(), "x"));  // the folder itself
  EXPECT_FALSE(fs().FileExists(Temp()));
  EXPECT_FALSE(fs().ReadFile(Temp()));
  EXPECT_FALSE(fs().Size(Temp()));

  std::string file = Temp() + "a.txt";
  ASSERT_TRUE(fs().WriteFile(file, "one"));
  ASSERT_TRUE(fs().AppendFile(file, "two"));
  EXPECT_EQ(fs().ReadFile(file), "onetwo");
  EXPECT_EQ(fs().Size(file), 6u);
  EXPECT_FALSE(fs().FolderExists(file));
  // A file cannot stand for a folder on the way, nor be named as a folder.
  EXPECT_FALSE(fs().WriteFile(file + "\\b.txt", "x"));
  EXPECT_FALSE(fs().FileExists(file + "\\"));
  EXPECT_FALSE(fs().CreateFolder(file));
}

TEST_F(SimFilesTest, PathsCompareWithoutCaseAndFollowWindowsRules) {
  ASSERT_TRUE(fs().WriteFile(Temp() + "Report.TXT", "r"));
  EXPECT_EQ(
      fs().ReadFile("c:/documents and settings/USER/local settings/temp/report.txt"),
      "r");
  EXPECT_EQ(fs().ReadFile(Temp() + "..\\Temp\\.\\report.txt"), "r");
  EXPECT_EQ(fs().ReadFile(Temp() + "report.txt. "), "r");  // trailing dots and blanks go
  auto entries = fs().List(Temp());
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].name, "Report.TXT");  // spelled as created
  for (const std::string& bad :
       std::vector<std::string>{"report.txt", "C:report.txt", "\\\\server\\share\\a.txt",
                                "C:\\a<b.txt", "C:\\a?.txt", "C:\\NUL", "C:\\con.txt",
                                std::string("C:\\") + std::string(300, 'a')})
    EXPECT_FALSE(fs().WriteFile(bad, "x")) << bad;
  // The longest path is counted in characters, as the system counts them: 200
  // accented letters are 400 bytes of UTF-8 but a path of 203 characters.
  std::string accented;
  for (int i = 0; i < 200; ++i) accented += "\xC3\xA9";
  EXPECT_TRUE(fs().WriteFile("C:\\" + accented, "x"));
}

TEST_F(SimFilesTest, RenameReplacesAnExistingFileOnlyWhenAsked) {
  std::string log = Temp() + "Relaybook.log", temp = Temp() + "temp.log";
  ASSERT_TRUE(fs().WriteFile(log, "old"));
  ASSERT_TRUE(fs().WriteFile(temp, "new"));
  EXPECT_FALSE(fs().Rename(temp, log, false));
  EXPECT_EQ(fs().ReadFile(log), "old");
  EXPECT_TRUE(fs().Rename(temp, log, true));
  EXPECT_EQ(fs().ReadFile(log), "new");
  EXPECT_FALSE(fs().FileExists(temp));
  // A case-only rename keeps the file and changes its spelling.
  EXPECT_TRUE(fs().Rename(log, Temp() + "RELAYBOOK.LOG", false));
  EXPECT_EQ(world.files.Spelling(log), Temp() + "RELAYBOOK.LOG");
  // A folder is never replaced, and cannot move below itself.
  ASSERT_TRUE(fs().CreateFolder(Temp() + "Sub"));
  EXPECT_FALSE(fs().Rename(log, Temp() + "Sub", true));
  EXPECT_FALSE(fs().Rename(Temp() + "Sub", Temp() + "Sub\\Deeper", false));
  EXPECT_FALSE(fs().Rename(Temp() + "missing.log", Temp() + "x.log", true));
}

TEST_F(SimFilesTest, RenameMovesAFolderWithEverythingInIt) {
  std::string from = Temp() + "Notes", to = world.user_dir + "Moved";
  world.files.Store(from + "\\a\\b.txt", "deep");
  ASSERT_TRUE(fs().Rename(from, to, false));
  EXPECT_EQ(fs().ReadFile(to + "\\a\\b.txt"), "deep");
  EXPECT_FALSE(fs().FolderExists(from));
}

TEST_F(SimFilesTest, CopyMakesAnIndependentFileAndRefusesToCopyOntoItself) {
  std::string a = Temp() + "a.txt", b = Temp() + "b.txt";
  ASSERT_TRUE(fs().WriteFile(a, "A"));
  ASSERT_TRUE(fs().Copy(a, b, false));
  ASSERT_TRUE(fs().WriteFile(a, "changed"));
  EXPECT_EQ(fs().ReadFile(b), "A");
  EXPECT_FALSE(fs().Copy(a, b, false));
  EXPECT_TRUE(fs().Copy(a, b, true));
  EXPECT_EQ(fs().ReadFile(b), "changed");
  EXPECT_FALSE(fs().Copy(
      a, "C:\\DOCUMENTS AND SETTINGS\\user\\local settings\\temp\\A.txt", true));
  EXPECT_FALSE(fs().Copy(Temp(), Temp() + "copy", false));  // CopyFile copies files only
  EXPECT_FALSE(fs().Copy(a, "C:\\Missing\\a.txt", true));
}

TEST_F(SimFilesTest, FoldersAreCreatedOneAtATimeAndRemovedOnlyWhenEmpty) {
  std::string folder = Temp() + "Pinlet", inner = folder + "\\Temp";
  EXPECT_FALSE(fs().CreateFolder(inner));  // its parent is missing
  ASSERT_TRUE(fs().CreateFolder(folder));
  EXPECT_FALSE(fs().CreateFolder(folder));  // exists already
  ASSERT_TRUE(fs().CreateFolder(inner + "\\"));
  ASSERT_TRUE(fs().WriteFile(inner + "\\note.txt", "x"));
  ASSERT_TRUE(fs().WriteFile(folder + "\\b.txt", "yy"));
  auto entries = fs().List(folder);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].name, "b.txt");
  EXPECT_EQ((*entries)[0].size, 2u);
  EXPECT_TRUE((*entries)[1].folder);
  EXPECT_FALSE(fs().RemoveFolder(inner));  // not empty
  EXPECT_FALSE(fs().Remove(inner));        // DeleteFile takes files only
  EXPECT_TRUE(fs().Remove(inner + "\\note.txt"));
  EXPECT_FALSE(fs().Remove(inner + "\\note.txt"));
  EXPECT_TRUE(fs().RemoveFolder(inner));
  EXPECT_FALSE(fs().RemoveFolder("C:\\"));
  EXPECT_FALSE(fs().List(inner));
}

// Every member, called as the add-in would, with a failure expected.
struct FailingCall {
  const char* member;  // the host name the fault injector fails
  std::function<bool(FileSystem&, const std::string&)> call;  // true: it answered failure
};

TEST_F(SimFilesTest, AFailingCallAnswersFailureNeverRaisesAndChangesNothing) {
  std::string dir = Temp(), file = Temp() + "kept.txt";
  world.files.Store(file, "kept");
  const FailingCall calls[] = {
      {"ReadFile", [](FileSystem& f, const std::string& p) { return !f.ReadFile(p); }},
      {"WriteFile",
       [](FileSystem& f, const std::string& p) { return !f.WriteFile(p, "lost"); }},
      {"WriteFile",
       [](FileSystem& f, const std::string& p) { return !f.AppendFile(p, "lost"); }},
      {"FileExists",
       [](FileSystem& f, const std::string& p) { return !f.FileExists(p); }},
      {"GetFileAttributes",
       [&](FileSystem& f, const std::string&) { return !f.FolderExists(dir); }},
      {"DeleteFile", [](FileSystem& f, const std::string& p) { return !f.Remove(p); }},
      {"CopyFile",
       [&](FileSystem& f, const std::string& p) { return !f.Copy(p, dir + "c", true); }},
      {"MoveFileEx", [&](FileSystem& f,
                         const std::string& p) { return !f.Rename(p, dir + "m", true); }},
      {"FindFirstFile", [&](FileSystem& f, const std::string&) { return !f.List(dir); }},
      {"GetFileSize", [](FileSystem& f, const std::string& p) { return !f.Size(p); }},
      {"CreateDirectory",
       [&](FileSystem& f, const std::string&) { return !f.CreateFolder(dir + "new"); }},
      {"RemoveDirectory",
       [&](FileSystem& f, const std::string&) { return !f.RemoveFolder(dir); }},
  };
  for (const FailingCall& c : calls) {
    world.faults.FailMember(c.member);
    bool answered = false;
    EXPECT_NO_THROW(answered = c.call(fs(), file)) << c.member;
    EXPECT_TRUE(answered) << c.member;
    world.faults.Clear();
  }
  EXPECT_EQ(world.files.Files(), (std::vector<std::string>{file}));
  EXPECT_EQ(world.files.Peek(file), "kept");
  EXPECT_EQ(world.faults.failures_raised(), 12);
}

TEST_F(SimFilesTest, TheMachinesOwnAccessIsNeitherCountedNorFailed) {
  world.faults.FailMember("WriteFile");
  world.faults.FailMember("ReadFile");
  EXPECT_EQ(world.files.Store("C:\\New\\Folder\\a.txt", "x"), FsError::kNone);
  EXPECT_EQ(world.files.Peek("c:\\new\\folder\\A.TXT"), "x");
  EXPECT_EQ(world.files.Put("C:\\Other\\a.txt", "x"), FsError::kPathNotFound);
  EXPECT_EQ(world.faults.call_count(), 0);
  EXPECT_THAT(world.files.Files("C:\\New"), ElementsAre("C:\\New\\Folder\\a.txt"));
}

// The machine's own work gives the same answers and the same files whether
// its files are the tree in memory or a host's (here another simulated file
// system stands for the host's real files).
TEST_F(SimFilesTest, TheMachinesOwnWorkIsTheSameOnAHostsFiles) {
  FaultInjector host_faults;
  SimFileSystem host(&host_faults);
  SimFileSystem on_host(&world.faults);
  on_host.UseHostFiles(&host);
  auto run = [](SimFileSystem& fs) {
    std::vector<std::string> answers;
    auto say = [&](FsError e) { answers.push_back(std::to_string(static_cast<int>(e))); };
    say(fs.Store("C:\\Work\\Draft\\Notes.txt", "one"));
    say(fs.Append("C:\\Work\\Draft\\notes.TXT", " two"));
    say(fs.Put("C:\\Missing\\a.txt", "x"));
    say(fs.Put("C:\\Work\\Draft", "x"));
    say(fs.MakeFolders("C:\\Work\\Draft\\Notes.txt\\below"));
    say(fs.Store("C:\\Work\\Draft\\b.bin", std::string("\0\1", 2)));
    say(fs.CopyEntry("C:\\Work\\Draft", "C:\\Work\\Copy", false));
    say(fs.CopyEntry("C:\\Work\\Draft", "C:\\Work\\Draft\\Inner", false));
    say(fs.CopyEntry("C:\\Work\\Copy\\b.bin", "C:\\Work\\Draft\\Notes.txt", false));
    say(fs.CopyEntry("C:\\Work\\Copy\\b.bin", "C:\\Work\\Draft\\Notes.txt", true));
    say(fs.MoveEntry("C:\\Work\\Copy", "C:\\Work\\Moved", false));
    say(fs.MoveEntry("C:\\Work\\Moved\\notes.txt", "C:\\Work\\Moved\\NOTES.txt", false));
    say(fs.DeleteEntry("C:\\Work\\Moved", false));
    say(fs.DeleteEntry("C:\\Work\\Nothing", false));
    say(fs.DeleteEntry("C:\\Work\\Moved\\b.bin", false));
    answers.push_back(fs.Spelling("c:\\work\\moved\\notes.txt"));
    answers.push_back(fs.Peek("C:\\Work\\Draft\\Notes.txt").value_or("(none)"));
    answers.push_back(std::to_string(fs.IsFile("C:\\Work\\Draft")) +
                      std::to_string(fs.IsFolder("C:\\Work\\Draft")));
    for (const FileEntry& e : fs.Entries("C:\\Work").value_or(std::vector<FileEntry>{}))
      answers.push_back(e.name + (e.folder ? "\\" : ""));
    for (const std::string& f : fs.Files("C:\\Work")) answers.push_back(f);
    for (const std::string& f : fs.Folders("C:\\Work")) answers.push_back(f);
    return answers;
  };
  std::vector<std::string> in_memory = run(world.files);
  EXPECT_EQ(run(on_host), in_memory);
  EXPECT_EQ(host.Files("C:\\Work"), world.files.Files("C:\\Work"));
  EXPECT_THAT(in_memory, ::testing::Contains("C:\\Work\\Moved\\NOTES.txt"));
  EXPECT_EQ(world.faults.call_count(), 0);  // the machine's own work
}

}  // namespace
}  // namespace pinlet::sim
