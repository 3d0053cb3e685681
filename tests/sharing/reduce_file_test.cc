// Trimming the sharing product's log: where the trimmed log starts, and that
// no failure ever loses the log.
#include <gmock/gmock.h>

#include "sharing/bas_relaybook.h"
#include "sharing_fixture.h"

namespace pinlet {
namespace {

using basRelaybook::ReduceFile;

class ReduceFileTest : public SharingTest {
 protected:
  void SetUp() override {
    SharingTest::SetUp();
    Start();
    world.files.MakeFolders(kPersonal);
  }
  std::string LogPath() const { return std::string(kPersonal) + "Relaybook.log"; }
  std::string TempPath() const { return std::string(kPersonal) + "temp.log"; }
  // Numbered lines of `width` bytes with `end` as line end, cut to `bytes`.
  static std::string Lines(size_t bytes, const std::string& end = "\r\n",
                           size_t width = 40) {
    std::string text;
    for (int n = 1; text.size() < bytes; ++n) {
      std::string number = std::to_string(n);
      text += number + std::string(width - number.size() - end.size(), '.') + end;
    }
    text.resize(bytes);
    return text;
  }
  bool Reduce() { return ReduceFile(ctx(), kPersonal, "Relaybook.log"); }
  std::string Log() { return world.files.Peek(LogPath()).value_or("(no log)"); }
};

TEST_F(ReduceFileTest, ALogOf512000BytesStaysAnd512001IsTrimmedFromALineStart) {
  std::string at_limit = Lines(512000);
  world.files.Store(LogPath(), at_limit);
  EXPECT_FALSE(Reduce());
  EXPECT_EQ(Log(), at_limit);

  std::string over = Lines(512001);  // its last line is one byte, without a line end
  world.files.Store(LogPath(), over);
  EXPECT_TRUE(Reduce());
  std::string kept = Log();
  EXPECT_LE(kept.size(), 300000u);
  EXPECT_EQ(over.substr(over.size() - kept.size()), kept);
  EXPECT_EQ(over[over.size() - kept.size() - 1], '\n');
  // The longest such tail: the line before it would not have fitted.
  EXPECT_GT(kept.size() + 40, 300000u);
  EXPECT_EQ(kept.back(), over.back());
  EXPECT_FALSE(world.files.IsFile(TempPath()));
}

TEST_F(ReduceFileTest, ALastLineWithoutALineEndIsKeptWhole) {
  std::string text = Lines(599960) + "last line, still written";
  world.files.Store(LogPath(), text);
  EXPECT_TRUE(Reduce());
  EXPECT_THAT(Log(), testing::EndsWith("\r\nlast line, still written"));
}

TEST_F(ReduceFileTest, ALogThatIsOneLongLineKeepsNoTornPart) {
  // One line, with or without its line end: kept whole, as it was.
  for (const std::string end : {"", "\r\n"}) {
    std::string one_line = std::string(512001, 'x') + end;
    world.files.Store(LogPath(), one_line);
    EXPECT_FALSE(Reduce());
    EXPECT_EQ(Log(), one_line);
  }
  world.files.Store(LogPath(), std::string(600000, 'x') + "\r\nshort\r\n");
  EXPECT_TRUE(Reduce());
  EXPECT_EQ(Log(), "short\r\n");
  // A last line longer than what is kept: that line, whole.
  std::string last = std::string(350000, 'y');
  world.files.Store(LogPath(), std::string(300000, 'x') + "\n" + last);
  EXPECT_TRUE(Reduce());
  EXPECT_EQ(Log(), last);
  world.files.Store(LogPath(), std::string(300000, 'x') + "\r" + last + "\r\n");
  EXPECT_TRUE(Reduce());
  EXPECT_EQ(Log(), last + "\r\n");
}

TEST_F(ReduceFileTest, EveryKindOfLineEndIsALineBoundaryButNotTheMiddleOfCrLf) {
  for (const std::string end : {"\n", "\r"}) {
    std::string text = Lines(600000, end);
    world.files.Store(LogPath(), text);
    EXPECT_TRUE(Reduce());
    std::string kept = Log();
    EXPECT_EQ(text[text.size() - kept.size() - 1], end[0]);
    EXPECT_GT(kept.size() + 40, 300000u);
  }
  // 300000 bytes before the end falls between a CR and its LF.
  std::string text = Lines(600000 - 300001) + "\r\n" + Lines(299999);
  world.files.Store(LogPath(), text);
  EXPECT_TRUE(Reduce());
  EXPECT_NE(Log().front(), '\n');
  EXPECT_EQ(Log().size(), 299999u);
}

TEST_F(ReduceFileTest, AnOldTemporaryFileIsReplacedAndNoOtherLogIsTouched) {
  world.files.Store(TempPath(), "left from a crash");
  world.files.Store(LogPath(), Lines(600000));
  EXPECT_TRUE(Reduce());
  EXPECT_FALSE(world.files.IsFile(TempPath()));
  EXPECT_FALSE(ReduceFile(ctx(), kPersonal, "missing.log"));
  // A log called like the temporary file is never trimmed through itself.
  std::string text = Lines(600000);
  world.files.Store(TempPath(), text);
  EXPECT_FALSE(ReduceFile(ctx(), kPersonal, "TEMP.LOG"));
  EXPECT_EQ(world.files.Peek(TempPath()), text);
}

TEST_F(ReduceFileTest, NoFailureLosesALogLineOrLeavesTheTemporaryFile) {
  const std::string original = Lines(600000);
  world.files.Store(LogPath(), original);
  int64_t before = world.faults.call_count();
  ASSERT_TRUE(Reduce());
  const std::string trimmed = Log();
  int64_t calls = world.faults.call_count() - before;
  ASSERT_GE(calls, 5);  // exists, size, read, write, rename
  for (int64_t n = 1; n <= calls; ++n) {
    world.files.Store(LogPath(), original);
    world.message_boxes.QueueAnswer(mb::kOk, "Unable to rename database");
    world.faults.FailCall(world.faults.call_count() + n);
    Reduce();
    world.faults.Clear();
    std::string log = Log();
    EXPECT_TRUE(log == original || log == trimmed) << "call " << n << " failing";
    EXPECT_FALSE(world.files.IsFile(TempPath())) << "call " << n << " failing";
  }
  // Only the failed rename told the user.
  EXPECT_THAT(MessagesShown(), testing::ElementsAre("Unable to rename database"));
}

}  // namespace
}  // namespace pinlet
