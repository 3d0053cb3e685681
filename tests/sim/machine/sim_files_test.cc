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
