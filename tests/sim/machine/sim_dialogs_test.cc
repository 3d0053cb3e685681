#include "sim/machine/sim_dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/machine/sim_message_boxes.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;

class MessageBoxTest : public WorldTest {
 protected:
  int Show(const std::string& text, int style) {
    return world.message_boxes.Show(text, "Pinlet", style);
  }
};

TEST_F(MessageBoxTest, AnUnansweredBoxIsADefectAndGetsItsDefaultButton) {
  EXPECT_EQ(Show("Delete the note?", mb::kYesNo | mb::kDefaultButton2), mb::kNo);
  EXPECT_EQ(Show("Saved.", mb::kOkOnly), mb::kOk);
  EXPECT_THAT(TakeDefects(),
              ElementsAre("a message box nobody answered: [Pinlet] \"Delete the note?\"; "
                          "it was given its default button No",
                          "a message box nobody answered: [Pinlet] \"Saved.\"; it was "
                          "given its default button OK"));
  ASSERT_EQ(world.message_boxes.shown().size(), 2u);
  EXPECT_FALSE(world.message_boxes.shown()[0].answered);
  // A default beyond the box's buttons is its first button, as on Windows.
  EXPECT_EQ(SimMessageBoxes::DefaultButton(mb::kOkOnly | mb::kDefaultButton3), mb::kOk);
}

TEST_F(MessageBoxTest, AnAnswerMeantForSomeWordsWaitsForTheBoxThatHasThem) {
  world.message_boxes.QueueAnswer(mb::kNo, "ARE YOU SURE you want to delete");
  world.message_boxes.QueueAnswer(mb::kYes);
  EXPECT_EQ(Show("Would you like to save this item now?", mb::kYesNo), mb::kYes);
  EXPECT_EQ(Show("Are you sure you want to delete the note 'x'?", mb::kYesNo), mb::kNo);
  EXPECT_EQ(world.message_boxes.queued_answers(), 0u);
  EXPECT_TRUE(world.message_boxes.shown()[1].answered);
}

TEST_F(MessageBoxTest, ABoxTakesOnlyAButtonItHasAndAMatchBeatsAnyBox) {
  world.message_boxes.QueueAnswer(mb::kYes);
  world.message_boxes.QueueAnswer(mb::kCancel, "unsafe");
  world.message_boxes.QueueAnswer(mb::kOk);
  // An OK box passes the queued Yes by and takes the OK.
  EXPECT_EQ(Show("Pinlet regarded the file as potentially unsafe", mb::kOkCancel),
            mb::kCancel);
  EXPECT_EQ(Show("Done.", mb::kOkOnly), mb::kOk);
  EXPECT_EQ(Show("Replace?", mb::kYesNoCancel), mb::kYes);
  EXPECT_EQ(world.message_boxes.queued_answers(), 0u);
}

TEST_F(MessageBoxTest, AFailingMsgBoxRaisesAndShowsNothing) {
  world.faults.FailMember("MsgBox");
  EXPECT_THROW(Show("x", mb::kOkOnly), HostError);
  EXPECT_TRUE(world.message_boxes.shown().empty());
  EXPECT_TRUE(world.defects().empty());
}

class DialogTest : public WorldTest {
 protected:
  SimDialogs& dialogs() { return world.dialogs; }
  // The note window's colour dialog: full open, the initial colour given.
  ColorDialog NoteColour() {
    ColorDialog d;
    d.flags = cc::kRgbInit | cc::kFullOpen;
    d.color = 0xCCFFFF;
    for (int i = 0; i < 16; ++i) d.custom_colors[i] = 0x10 * i;
    return d;
  }
  // The note window's font dialog: screen fonts, effects, sizes 8 to 80.
  FontDialog NoteFont() {
    FontDialog d;
    d.flags = 0x12101;
    d.min_size = 8;
    d.max_size = 80;
    d.font = {"Tahoma", 10, false, false, false, false, 0xFF};
    return d;
  }
};

TEST_F(DialogTest, ACancelledColourDialogKeepsTheColourAndIsAnAnswerNotADefect) {
  dialogs().QueueCancel(DialogKind::kColor);
  ColorDialog d = NoteColour();
  EXPECT_FALSE(dialogs().ShowColor(d));
  EXPECT_EQ(d.color, 0xCCFFFFu);
  EXPECT_EQ(d.extended_error, cderr::kNone);
  ASSERT_EQ(dialogs().shown().size(), 1u);
  EXPECT_EQ(dialogs().shown()[0].answer, "cancelled");
  EXPECT_EQ(dialogs().shown()[0].given, "flags 0x000003, colour 0xCCFFFF");
  EXPECT_TRUE(dialogs().shown()[0].answered);
}

TEST_F(DialogTest, AChosenColourComesBackWithTheCustomColoursTheUserDefined) {
  dialogs().QueueColor(0x00FF00, {{3, 0xABCDEF}, {15, 0x123456}});
  ColorDialog d = NoteColour();
  ASSERT_TRUE(dialogs().ShowColor(d));
  EXPECT_EQ(d.color, 0x00FF00u);
  EXPECT_EQ(d.custom_colors[3], 0xABCDEFu);
  EXPECT_EQ(d.custom_colors[15], 0x123456u);
  EXPECT_EQ(d.custom_colors[4], 0x40u);
  // A dialog that cannot be opened fully offers no custom colours to define.
  dialogs().QueueColor(0x0000FF, {{0, 1}});
  dialogs().QueueCancel(DialogKind::kColor);
  d.flags = cc::kRgbInit | cc::kPreventFullOpen;
  EXPECT_FALSE(dialogs().ShowColor(d));
  EXPECT_EQ(dialogs().shown()[1].refused.size(), 1u);
}

TEST_F(DialogTest, AnUnansweredDialogIsADefectAndIsCancelled) {
  dialogs().QueueFont({});  // a font answer does not answer a colour dialog
  ColorDialog d = NoteColour();
  EXPECT_FALSE(dialogs().ShowColor(d));
  EXPECT_THAT(TakeDefects(), ElementsAre("a colour dialog nobody answered: \"Color\" "
                                         "(flags 0x000003, colour 0xCCFFFF); it was "
                                         "cancelled"));
  EXPECT_FALSE(dialogs().shown()[0].answered);
  EXPECT_EQ(dialogs().queued_answers(), 1u);
}

TEST_F(DialogTest, TheFontDialogRefusesASizeOutsideItsLimits) {
  FontChoice tiny, huge, fine;
  tiny.size = 6;
  huge.size = 80.5;
  fine.size = 10.5;
  fine.bold = true;
  dialogs().QueueFont(tiny);
  dialogs().QueueFont(huge);
  dialogs().QueueFont(fine);
  FontDialog d = NoteFont();
  ASSERT_TRUE(dialogs().ShowFont(d));
  EXPECT_EQ(d.font, (Font{"Tahoma", 10.5, true, false, false, false, 0xFF}));
  // The dialog was given the font's height in whole pixels: 10 points are 13
  // of them at 96 dots an inch, which are 9.75 points.
  EXPECT_EQ(dialogs().shown()[0].given,
            "flags 0x012101, sizes 8-80, Tahoma 9.75 colour 0x0000FF");
  EXPECT_THAT(dialogs().shown()[0].refused,
              ElementsAre("size 6: size must be between 8 and 80 points",
                          "size 80.5: size must be between 8 and 80 points"));
  // The same size refused with nothing else to answer leaves the dialog
  // unanswered: cancelled, the font as it was, and a defect.
  dialogs().QueueFont(tiny);
  FontDialog again = NoteFont();
  EXPECT_FALSE(dialogs().ShowFont(again));
  EXPECT_EQ(again.font, NoteFont().font);
  EXPECT_EQ(TakeDefects().size(), 1u);
}

TEST_F(DialogTest, TheFontDialogOffersOnlyInstalledFontsAndItsEffects) {
  FontChoice missing, named, effects;
  missing.name = "Pinlet Sans";
  named.name = "times new roman";
  effects.underline = true;
  dialogs().QueueFont(missing);
  dialogs().QueueFont(named);
  FontDialog d = NoteFont();
  ASSERT_TRUE(dialogs().ShowFont(d));
  EXPECT_EQ(d.font.name, "Times New Roman");
  EXPECT_THAT(dialogs().shown()[0].refused,
              ElementsAre("there is no font \"Pinlet Sans\""));

  dialogs().QueueFont(effects);
  dialogs().QueueCancel(DialogKind::kFont);
  d.flags = cf_font::kScreenFonts;  // no effects offered
  EXPECT_FALSE(dialogs().ShowFont(d));
  EXPECT_FALSE(d.font.underline);
  // Limits the wrong way round: the dialog fails without showing.
  d.flags |= cf_font::kLimitSize;
  d.min_size = 20;
  d.max_size = 10;
  EXPECT_FALSE(dialogs().ShowFont(d));
  EXPECT_EQ(d.extended_error, cderr::kMaxLessThanMin);
  EXPECT_EQ(dialogs().shown().size(), 2u);
}

TEST_F(DialogTest, TheOpenDialogStartsAsWindowsChoosesAndRefusesAMissingFile) {
  std::string docs = world.shell.SpecialFolder(csidl::kPersonal);
  world.files.Store(docs + "\\notes.txt", "n");
  FileDialog d;
  d.filter = "All Files(*.*)|*.*";
  d.initial_folder = "%USERPROFILE%\\My Documents";  // taken as written: no such folder
  d.flags = ofn::kFileMustExist;
  dialogs().QueueFile("missing.txt");
  dialogs().QueueFile("NOTES.TXT");
  ASSERT_TRUE(dialogs().ShowOpen(d));
  EXPECT_EQ(d.file_name, docs + "\\NOTES.TXT");
  EXPECT_EQ(dialogs().shown()[0].folder, docs);
  EXPECT_THAT(dialogs().shown()[0].refused,
              ElementsAre("\"" + docs + "\\missing.txt\": file not found"));
  // The next dialog without a usable initial folder starts where this one ended.
  world.files.Store(world.user_dir + "a.txt", "a");
  dialogs().QueueFile(world.user_dir + "a.txt");
  FileDialog next;
  ASSERT_TRUE(dialogs().ShowOpen(next));
  dialogs().QueueCancel(DialogKind::kOpen);
  FileDialog third;
  EXPECT_FALSE(dialogs().ShowOpen(third));
  EXPECT_EQ(dialogs().shown()[2].folder + "\\", world.user_dir);
}

TEST_F(DialogTest, TheSaveDialogAddsTheExtensionAndAsksBeforeReplacing) {
  std::string temp = world.shell.TempFolder();
  world.files.Store(temp + "report.txt", "old");
  FileDialog d;
  d.initial_folder = temp;
  d.default_extension = "txt";
  d.flags = 0x8806;  // overwrite prompt, hide read-only, path must exist
  d.title = "Save As...";
  dialogs().QueueFile("report");
  dialogs().QueueFile("C:\\Missing\\report.txt");
  dialogs().QueueFile("other");
  world.message_boxes.QueueAnswer(mb::kNo, "already exists");
  ASSERT_TRUE(dialogs().ShowSave(d));
  EXPECT_EQ(d.file_name, temp + "other.txt");
  EXPECT_THAT(dialogs().shown()[0].refused,
              ElementsAre("\"" + temp + "report.txt\": not replaced",
                          "\"C:\\Missing\\report.txt\": the path does not exist"));
  EXPECT_EQ(world.message_boxes.shown()[0].title, "Save As...");
  EXPECT_EQ(world.message_boxes.shown()[0].text,
            temp + "report.txt already exists.\nDo you want to replace it?");
}

TEST_F(DialogTest, AnAnswerCanBeMeantForTheDialogWithSomeTitle) {
  dialogs().QueueFile("C:\\b.txt", "export");
  dialogs().QueueFile("C:\\a.txt");
  FileDialog d;
  d.title = "Export the note";
  ASSERT_TRUE(dialogs().ShowSave(d));
  EXPECT_EQ(d.file_name, "C:\\b.txt");
}

TEST_F(DialogTest, AFailingDialogAnswersFailureAndShowsNothing) {
  for (const char* member :
       {"ChooseColor", "ChooseFont", "GetOpenFileName", "GetSaveFileName"})
    world.faults.FailMember(member);
  ColorDialog color = NoteColour();
  FontDialog font = NoteFont();
  FileDialog open, save;
  EXPECT_FALSE(dialogs().ShowColor(color));
  EXPECT_FALSE(dialogs().ShowFont(font));
  EXPECT_FALSE(dialogs().ShowOpen(open));
  EXPECT_FALSE(dialogs().ShowSave(save));
  for (uint32_t error : {color.extended_error, font.extended_error, open.extended_error,
                         save.extended_error})
    EXPECT_EQ(error, cderr::kDialogFailure);
  EXPECT_TRUE(dialogs().shown().empty());
}

// A dialog that failed to open holds the answer meant for it: shown again
// within the same action of the user's it takes it, and once the action is
// over the answer is gone, never given to the dialog of a later action.
TEST_F(DialogTest, AFailedDialogHoldsItsAnswerForItsRetryAndNoLaterDialog) {
  dialogs().QueueFile("C:\\first.txt");
  dialogs().QueueFile("C:\\second.txt");
  dialogs().QueueFile("C:\\third.txt");
  dialogs().QueueColor(0x0000FF);
  FontChoice arial;
  arial.name = "Arial";
  dialogs().QueueFont(arial);
  world.faults.FailMember("GetOpenFileName", errors::kOperationFailed, 1);
  FileDialog failed, retried;
  EXPECT_FALSE(dialogs().ShowOpen(failed));
  ASSERT_TRUE(dialogs().ShowOpen(retried));
  EXPECT_EQ(retried.file_name, "C:\\first.txt");
  dialogs().DropHeldAnswers();
  world.faults.FailMember("GetOpenFileName", errors::kOperationFailed, 1);
  EXPECT_FALSE(dialogs().ShowOpen(failed));
  dialogs().DropHeldAnswers();  // the action ended without a retry
  FileDialog next;
  ASSERT_TRUE(dialogs().ShowOpen(next));
  EXPECT_EQ(next.file_name, "C:\\third.txt");
  world.faults.FailMember("ChooseColor", errors::kOperationFailed, 1);
  ColorDialog color = NoteColour();
  EXPECT_FALSE(dialogs().ShowColor(color));
  // A font dialog given limits the wrong way round never opens: its answer
  // is held too.
  FontDialog font = NoteFont();
  font.min_size = 90;
  EXPECT_FALSE(dialogs().ShowFont(font));
  EXPECT_EQ(dialogs().queued_answers(), 2u);
  dialogs().DropHeldAnswers();
  EXPECT_EQ(dialogs().queued_answers(), 0u);
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(MessageBoxTest, AFailingMsgBoxHoldsItsAnswerForItsRetryAndNoLaterBox) {
  world.message_boxes.QueueAnswer(mb::kNo, "Delete");
  world.message_boxes.QueueAnswer(mb::kYes);
  world.message_boxes.QueueAnswer(mb::kNo, "Delete");
  world.faults.FailMember("MsgBox", errors::kOperationFailed, 1);
  EXPECT_THROW(Show("Delete the note?", mb::kYesNo), HostError);
  EXPECT_EQ(Show("Delete the note?", mb::kYesNo), mb::kNo);  // shown again
  world.faults.FailMember("MsgBox", errors::kOperationFailed, 1);
  EXPECT_THROW(Show("Delete the note?", mb::kYesNo), HostError);
  world.message_boxes.DropHeldAnswers();
  EXPECT_EQ(Show("Save the note?", mb::kYesNo), mb::kYes);
  EXPECT_EQ(world.message_boxes.queued_answers(), 0u);
}

}  // namespace
}  // namespace pinlet::sim
