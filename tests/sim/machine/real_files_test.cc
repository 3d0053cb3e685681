// The mailbox and registry files on a real disk: what is refused, and what a
// save guarantees when it fails, is killed, or races another run.
#include "sim/machine/real_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include "sim/machine/mailbox_json.h"
#include "sim/machine/sim_registry.h"

namespace pinlet::sim {
namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RealFilesTest : public ::testing::Test {
 protected:
  RealFilesTest() {
    std::string pattern = testing::TempDir() + "/pinlet_files_XXXXXX";
    dir_ = ::mkdtemp(pattern.data());
  }
  ~RealFilesTest() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // The names in the folder, temporary files among them.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(dir_))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  void Write(const std::string& name, const std::string& text) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(Path(name), text, &error)) << error;
  }

  std::string dir_;
};

// Two mailboxes and two registries whose files take a few milliseconds to write.
struct States {
  States() {
    for (char fill : {'a', 'b'}) {
      MailStore store;
      FolderNode& inbox =
          store.AddFolder(*store.AddStore("Mailbox", false).root, "Inbox", 6);
      auto item = store.NewItem(inbox, "IPM.Note");
      item->attachments.push_back({"big.bin", std::string(1 << 20, fill)});
      store.SaveItem(item, Date());
      mailboxes.push_back(std::move(store));
      SimRegistry reg;
      reg.SetValue("Software\\Zarvo", "Blob", {kRegBinary, std::string(1 << 20, fill)});
      registries.push_back(std::move(reg));
    }
  }
  std::vector<MailStore> mailboxes;
  std::vector<SimRegistry> registries;
};

using Saver = std::function<bool(int state, const std::string& path, std::string* error)>;

std::vector<std::pair<const char*, Saver>> Savers(const States& states) {
  return {{"mailbox",
           [&](int state, const std::string& path, std::string* error) {
             return SaveMailbox(states.mailboxes[state], path, error);
           }},
          {"registry", [&](int state, const std::string& path, std::string* error) {
             return states.registries[state].Save(path, error);
           }}};
}

std::vector<std::string> Texts(const States& states, const char* kind) {
  std::vector<std::string> texts;
  for (int state = 0; state < 2; ++state) {
    std::string text, error;
    if (kind == std::string("mailbox")) {
      MailboxToJson(states.mailboxes[state], text, &error);
    } else {
      text = states.registries[state].Export();
    }
    texts.push_back(text);
  }
  return texts;
}

// Starts a child that saves, alternating the two states, `times` times (forever
// when negative), and exits 0 when every save succeeded.
pid_t StartSaving(const Saver& save, const std::string& path, int times, int first) {
  pid_t child = ::fork();
  if (child == 0) {
    for (int i = 0; times < 0 || i < times; ++i)
      if (!save((first + i) % 2, path, nullptr)) ::_exit(1);
    ::_exit(0);
  }
  return child;
}

TEST_F(RealFilesTest, WhatIsNotARegularFileIsRefusedAtOnce) {
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string content = "unchanged", error;
  struct Case {
    std::string path, kind;
  } cases[] = {
      {fifo, "a FIFO"}, {dir_, "a directory"}, {"/dev/zero", "a character device"}};
  for (const Case& c : cases) {
    EXPECT_FALSE(ReadWholeFile(c.path, content, &error));
    EXPECT_EQ(error, c.path + " is " + c.kind + ", not a regular file");
    MailStore store;
    EXPECT_FALSE(LoadMailbox(c.path, store, &error));
    EXPECT_EQ(error, c.path + " is " + c.kind + ", not a regular file");
    SimRegistry reg;
    EXPECT_FALSE(reg.Load(c.path, &error));
    EXPECT_EQ(error, c.path + " is " + c.kind + ", not a regular file");
  }
  EXPECT_EQ(content, "unchanged");
  EXPECT_FALSE(ReadWholeFile(Path("missing"), content, &error));
  EXPECT_EQ(error, "cannot read " + Path("missing") + ": No such file or directory");
  // Nor is anything saved over them.
  EXPECT_FALSE(WriteFileAtomically(fifo, "x", &error));
  EXPECT_EQ(error, "cannot save " + fifo +
                       ": it is a FIFO, not a regular file; the file is unchanged");
  EXPECT_EQ(Names(), std::vector<std::string>{"fifo"});
}

TEST_F(RealFilesTest, SavingKeepsPermissionsAndSymbolicLinks) {
  Write("private", "old");
  ASSERT_EQ(::chmod(Path("private").c_str(), 0600), 0);
  Write("private", "new");
  struct stat st;
  ASSERT_EQ(::stat(Path("private").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(Contents(Path("private")), "new");
  // A new file gets the usual permissions.
  const mode_t mask = ::umask(022);
  Write("fresh", "x");
  ::umask(mask);
  ASSERT_EQ(::stat(Path("fresh").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  // Saving through a link replaces the file it points to and keeps the link.
  fs::create_symlink("private", Path("link"));
  Write("link", "through the link");
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(Contents(Path("private")), "through the link");
  EXPECT_EQ(Names(), (std::vector<std::string>{"fresh", "link", "private"}));
}

TEST_F(RealFilesTest, APlantedTemporaryNameIsNeverWrittenThrough) {
  Write("victim", "precious");
  Write("mailbox.json", "old");
  for (const char* name :
       {"mailbox.json.tmp", ".mailbox.json.tmp", ".mailbox.json.XXXXXX"})
    fs::create_symlink(Path("victim"), Path(name));
  Write("mailbox.json", "new");
  EXPECT_EQ(Contents(Path("victim")), "precious");
  EXPECT_EQ(Contents(Path("mailbox.json")), "new");
  EXPECT_TRUE(fs::is_symlink(Path("mailbox.json.tmp")));
}

TEST_F(RealFilesTest, AFailedSaveKeepsTheOldFileAndRemovesItsTemporary) {
  const States states;
  for (auto& [kind, save] : Savers(states)) {
    const std::string path = Path(std::string(kind) + ".file");
    std::string error;
    ASSERT_TRUE(save(0, path, &error)) << error;
    const std::string old = Contents(path);
    // A child whose files may not grow past a few kilobytes: writing fails midway.
    pid_t child = ::fork();
    if (child == 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{4096, 4096};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      std::string why;
      const bool refused = !save(1, path, &why) &&
                           why.starts_with("cannot save " + path) &&
                           why.ends_with(": File too large; the file is unchanged");
      ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << kind;
    EXPECT_EQ(Contents(path), old) << kind;
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"mailbox.file", "registry.file"}));
}

TEST_F(RealFilesTest, AKillDuringSaveLeavesTheOldOrTheNewFile) {
  const States states;
  std::mt19937 random(8);
  for (auto& [kind, save] : Savers(states)) {
    const std::string path = Path(std::string(kind) + ".file");
    const std::vector<std::string> texts = Texts(states, kind);
    std::string error;
    // The kills fall anywhere in the child's first three saves: how long one
    // save takes is measured here, as it depends on the machine and its load.
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(save(0, path, &error)) << error;
    auto save_time = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now() - start)
                         .count();
    const uint64_t window = 3 * static_cast<uint64_t>(std::max<int64_t>(save_time, 1000));
    // Kills until three have come during a write: those leave their temporary
    // file behind, the file itself is never half written.
    int during_write = 0;
    for (int round = 0; round < 300 && during_write < 3; ++round) {
      pid_t child = StartSaving(save, path, -1, round);
      std::this_thread::sleep_for(std::chrono::microseconds(random() % window));
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
      const std::string text = Contents(path);
      ASSERT_TRUE(text == texts[0] || text == texts[1]) << kind << " round " << round;
      for (const std::string& name : Names()) {
        if (!name.starts_with("." + std::string(kind))) continue;
        fs::remove(Path(name));
        ++during_write;
      }
    }
    EXPECT_GE(during_write, 3) << kind;
  }
}

TEST_F(RealFilesTest, TwoRunsSavingAtOnceNeverLoseTheFile) {
  const States states;
  for (auto& [kind, save] : Savers(states)) {
    const std::string path = Path(std::string(kind) + ".file");
    const std::vector<std::string> texts = Texts(states, kind);
    std::string error;
    ASSERT_TRUE(save(0, path, &error)) << error;
    const pid_t first = StartSaving(save, path, 20, 0);
    const pid_t second = StartSaving(save, path, 20, 1);
    // Meanwhile the file is always there, whole.
    int first_status = 0, reads = 0;
    for (; ::waitpid(first, &first_status, WNOHANG) == 0; ++reads) {
      const std::string text = Contents(path);
      ASSERT_TRUE(text == texts[0] || text == texts[1]) << kind;
    }
    int second_status = 0;
    ::waitpid(second, &second_status, 0);
    for (int status : {first_status, second_status})
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << kind;
    EXPECT_GT(reads, 0);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"mailbox.file", "registry.file"}));
}

}  // namespace
}  // namespace pinlet::sim
