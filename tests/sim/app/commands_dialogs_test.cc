// The commands that answer message boxes and dialogs in advance and show
// the machine's records, driven as a script line would drive them.
#include <gtest/gtest.h>

#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/script.h"

namespace pinlet::app {
namespace {

class DialogCommandsTest : public ::testing::Test {
 protected:
  DialogCommandsTest() : driver(out, err, {}) {
    std::string error;
    EXPECT_TRUE(driver.Open(error)) << error;
  }
  void TearDown() override {
    for (const std::string& defect : world().defects()) ADD_FAILURE() << defect;
  }
  // Runs one line; returns its output, or "error: MESSAGE" when it failed.
  std::string Run(const std::string& line) {
    std::vector<std::string> words;
    std::string message;
    EXPECT_TRUE(SplitWords(line, words, message)) << message;
    out.str("");
    int status = driver.Execute(words, message);
    return status == 0 ? out.str() : "error: " + message;
  }
  sim::World& world() { return driver.world(); }

  std::ostringstream out, err;
  Driver driver;
};

TEST_F(DialogCommandsTest, MessageBoxesAreAnsweredInAdvanceAndShownAfterwards) {
  EXPECT_EQ(Run("answer no \"delete the note\""),
            "the next message box saying \"delete the note\" will be answered no\n");
  EXPECT_EQ(Run("answer yes"), "the next message box will be answered yes\n");
  EXPECT_EQ(Run("answer maybe"),
            "error: answer yes, no, ok, cancel, abort, retry or ignore");
  world().message_boxes.Show("Save the item first?", "Pinlet", mb::kYesNo);
  world().message_boxes.Show("Are you sure you want to delete the note 'x'?", "Pinlet",
                             mb::kYesNo);
  EXPECT_EQ(Run("show messages"),
            "[Pinlet] Save the item first? -> Yes\n"
            "[Pinlet] Are you sure you want to delete the note 'x'? -> No\n");
}

TEST_F(DialogCommandsTest, DialogAnswersReachTheDialogsAndShowDialogsTellsTheStory) {
  EXPECT_EQ(Run("answer color cancel"), "the next colour dialog will be cancelled\n");
  EXPECT_EQ(Run("answer colour 0x00FF00 3=0xFFFFFF"),
            "the next colour dialog will be answered 0x00FF00, defining 1 custom "
            "colours\n");
  EXPECT_EQ(Run("answer font Arial 4 bold"),
            "the next font dialog will be answered "
            "Arial 4 bold\n");
  EXPECT_EQ(Run("answer font \"Times New Roman\" 12 noitalic underline colour 0xFF"),
            "the next font dialog will be answered Times New Roman 12 noitalic underline "
            "colour 0xFF\n");
  EXPECT_EQ(Run("answer file cancel \"Save As\""),
            "the next file dialog titled \"Save As\" will be cancelled\n");
  EXPECT_EQ(Run("answer colour red"),
            "error: 'red' is not a colour (0xBBGGRR, or cancel)");
  EXPECT_EQ(Run("answer colour 0xFF 16=0"),
            "error: '16=0' is not a custom colour (N=0xBBGGRR, N from 0 to 15)");
  EXPECT_EQ(Run("answer font Arial Tahoma"),
            "error: 'Tahoma' is neither a size nor a style (the font is Arial)");

  ColorDialog cancelled;
  EXPECT_FALSE(world().dialogs.ShowColor(cancelled));
  ColorDialog colour;
  colour.flags = 3;
  colour.color = 0xCCFFFF;
  ASSERT_TRUE(world().dialogs.ShowColor(colour));
  EXPECT_EQ(colour.custom_colors[3], 0xFFFFFFu);
  FontDialog font;
  font.flags = 0x12101;
  font.min_size = 8;
  font.max_size = 80;
  font.font = {"Tahoma", 10, false, true, false, false, 0};
  ASSERT_TRUE(world().dialogs.ShowFont(font));
  EXPECT_EQ(font.font, (Font{"Times New Roman", 12, false, false, true, false, 0xFF}));
  FileDialog save;
  EXPECT_FALSE(world().dialogs.ShowSave(save));
  // The font dialog was given the note's 10 points as whole pixels: 9.75.
  EXPECT_EQ(Run("show dialogs"),
            "colour dialog \"Color\" (flags 0x000001, colour 0x000000) -> cancelled\n"
            "colour dialog \"Color\" (flags 0x000003, colour 0xCCFFFF) -> 0x00FF00\n"
            "font dialog \"Font\" (flags 0x012101, sizes 8-80, Tahoma 9.75 italic colour "
            "0x000000) -> Times New Roman 12 underline colour 0x0000FF\n"
            "  refused size 4: size must be between 8 and 80 points\n"
            "save dialog \"Save As\" (filter \"\", folder \"\", file \"\", flags "
            "0x000000) in C:\\Documents and Settings\\User\\My Documents -> cancelled\n");
}

TEST_F(DialogCommandsTest, ShellResultsAndTheShellRecord) {
  EXPECT_EQ(Run("show shell"), "(the shell was not called)\n");
  EXPECT_EQ(Run("shell result 31"), "the next ShellExecute answers 31\n");
  EXPECT_EQ(Run("shell result x"),
            "error: 'x' is not a result (31: no program for the type; 42: done)");
  EXPECT_EQ(world().shell.Execute(0, "open", "C:\\a.xyz", "", "C:\\", 1), 31);
  ShellFileOperation op;
  op.from = {"C:\\gone"};
  op.flags = fo::kNoConfirmation | fo::kSilent | fo::kNoErrorUi;
  world().shell.FileOperation(op);
  EXPECT_EQ(Run("show shell"),
            "ShellExecute open \"C:\\a.xyz\" parameters \"\" in \"C:\\\" show 1 -> 31\n"
            "SHFileOperation delete \"C:\\gone\" flags 0x414 -> 2\n");
}

TEST_F(DialogCommandsTest, RecordsPrintMailboxTextWithItsControlCharactersVisible) {
  // A linked attachment's path, a box and a dialog that show mailbox text.
  world().shell.QueueExecuteResult(42);
  world().shell.Execute(0, "open", "C:\\a\x1B[2J.txt", "", "C:\\", 1);
  world().message_boxes.QueueAnswer(mb::kOk);
  world().message_boxes.Show("Note for \xC2\x9B" "31m\xE2\x80\xAE", "Pinlet\x7F", mb::kOkOnly);
  world().dialogs.QueueCancel(sim::DialogKind::kOpen);
  FileDialog dialog;
  dialog.title = "Attach to \x1B]0;x\x07";
  world().dialogs.ShowOpen(dialog);
  std::string shown = Run("show shell") + Run("show messages") + Run("show dialogs");
  for (const char* raw : {"\x1B", "\x7F", "\xC2\x9B", "\xE2\x80\xAE", "\x07"})
    EXPECT_EQ(shown.find(raw), std::string::npos) << shown;
  EXPECT_NE(shown.find("C:\\a\\x1B[2J.txt"), std::string::npos) << shown;
  EXPECT_NE(shown.find("[Pinlet\\x7F] Note for \\u009B31m\\u202E"), std::string::npos)
      << shown;
  EXPECT_NE(shown.find("Attach to \\x1B]0;x\\x07"), std::string::npos) << shown;
}

TEST_F(DialogCommandsTest, FilesAreWrittenListedAndReadOnTheSimulatedMachine) {
  EXPECT_EQ(Run("file write 'C:\\Data\\In\\note.txt' \"two words\""),
            "C:\\Data\\In\\note.txt: 9 bytes\n");
  EXPECT_EQ(Run("show file 'c:\\data\\in\\NOTE.TXT'"), "two words\n");
  EXPECT_EQ(Run("show files 'C:\\Data'"),
            "C:\\Data\nC:\\Data\\In\n  note.txt  9 bytes\n"
            "1 file(s)\n");
  EXPECT_EQ(Run("show files 'C:\\Nowhere'"), "error: no folder 'C:\\Nowhere'");
  EXPECT_EQ(Run("show file 'C:\\Data'"), "error: no file 'C:\\Data'");
  EXPECT_EQ(
      Run("file write relative.txt x"),
      "error: cannot write 'relative.txt' (not a path of the machine, or a folder)");
  // The view file and the help pages the installer left are there from the
  // start.
  EXPECT_NE(Run("show files").find("C:\\Program Files\\Zarvo\\Pinlet\n  PNX.xml"),
            std::string::npos);
  EXPECT_NE(Run("show files").find("Pinlet\\help\n  About_Pinlet.htm"),
            std::string::npos);
}

// A file removed as the user would remove it; a folder, or what is not
// there, is refused and left as it was.
TEST_F(DialogCommandsTest, FileDeleteRemovesOneFileOnly) {
  Run("file write 'C:\\Data\\In\\note.txt' x");
  EXPECT_EQ(Run("file delete 'c:\\data\\in\\NOTE.TXT'"),
            "C:\\Data\\In\\note.txt: deleted\n");
  EXPECT_EQ(Run("show file 'C:\\Data\\In\\note.txt'"),
            "error: no file 'C:\\Data\\In\\note.txt'");
  EXPECT_EQ(Run("file delete 'C:\\Data\\In\\note.txt'"),
            "error: no file 'C:\\Data\\In\\note.txt'");
  EXPECT_EQ(Run("file delete 'C:\\Data\\In'"), "error: no file 'C:\\Data\\In'");
  EXPECT_EQ(Run("show files 'C:\\Data'"), "C:\\Data\n0 file(s)\n");
  EXPECT_EQ(Run("file delete relative.txt"), "error: no file 'relative.txt'");
}

}  // namespace
}  // namespace pinlet::app
