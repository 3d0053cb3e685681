// The contract of MessageBoxes and CommonDialogs (platform/dialogs.h), one
// suite for every backend: what the add-in gets back from a box or dialog
// that the user answered. A backend is a type with
//   MessageBoxes& boxes();
//   CommonDialogs& dialogs();
//   sim::World& user();     // the user: the answers queued in its machine
//                           // are the ones given
//   FileSystem& files();    // where the file dialogs look
//   std::string Root();     // a new folder of the test's own
// instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, DialogsContract, Backend).
#ifndef PINLET_TESTS_CONTRACT_DIALOGS_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_DIALOGS_CONTRACT_H_

#include <gtest/gtest.h>

#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "sim/machine/world.h"

namespace pinlet::contract {

template <typename Backend>
class DialogsContract : public ::testing::Test {
 protected:
  MessageBoxes& boxes() { return backend_.boxes(); }
  CommonDialogs& dialogs() { return backend_.dialogs(); }
  sim::World& user() { return backend_.user(); }
  FileSystem& files() { return backend_.files(); }
  std::string Root() { return backend_.Root(); }

 private:
  Backend backend_;
};

TYPED_TEST_SUITE_P(DialogsContract);

// The button the user pressed is the answer, whichever of the box's it is.
TYPED_TEST_P(DialogsContract, TheButtonPressedIsTheAnswer) {
  int question = mb::kYesNoCancel | mb::kQuestion | mb::kDefaultButton2;
  this->user().message_boxes.QueueAnswer(mb::kYes);
  EXPECT_EQ(this->boxes().Show("Save the note?", "Pinlet", question), mb::kYes);
  this->user().message_boxes.QueueAnswer(mb::kCancel);
  EXPECT_EQ(this->boxes().Show("Save the note?", "Pinlet", question), mb::kCancel);
  this->user().message_boxes.QueueAnswer(mb::kRetry);
  EXPECT_EQ(
      this->boxes().Show("Not saved.", "Pinlet", mb::kRetryCancel | mb::kExclamation),
      mb::kRetry);
}

// A colour chosen comes back; a cancelled dialog keeps the colour given and
// says it was the user, not a failure.
TYPED_TEST_P(DialogsContract, AColourIsChosenOrTheGivenOneKept) {
  ColorDialog color;
  color.flags = cc::kRgbInit | cc::kFullOpen;
  color.color = 0xCCFFCC;
  this->user().dialogs.QueueColor(0x336699);
  EXPECT_TRUE(this->dialogs().ShowColor(color));
  EXPECT_EQ(color.color, 0x336699u);
  this->user().dialogs.QueueCancel(sim::DialogKind::kColor);
  EXPECT_FALSE(this->dialogs().ShowColor(color));
  EXPECT_EQ(color.color, 0x336699u);
  EXPECT_EQ(color.extended_error, cderr::kNone);
}

// The font chosen comes back whole: its name, size, style and effects.
// (Georgia is one of Windows XP's fonts; the Wine test's prefix has a
// stand-in for it.)
TYPED_TEST_P(DialogsContract, AFontIsChosenWithItsSizeStyleAndEffects) {
  sim::FontChoice choice;
  choice.name = "Georgia";
  choice.size = 12;
  choice.bold = true;
  choice.underline = true;
  choice.color = 0x800000;
  this->user().dialogs.QueueFont(choice);
  FontDialog font;
  font.flags = cf_font::kScreenFonts | cf_font::kEffects;
  font.font = Font{"Georgia", 10, false, false, false, false, 0};
  EXPECT_TRUE(this->dialogs().ShowFont(font));
  EXPECT_EQ(font.font, (Font{"Georgia", 12, true, false, true, false, 0x800000}));
  EXPECT_EQ(font.extended_error, cderr::kNone);
}

// Limits the wrong way round: the dialog fails as the system's does, and
// never shows, so the user's answer waits for the next one.
TYPED_TEST_P(DialogsContract, AFontDialogWithImpossibleLimitsFailsUnshown) {
  this->user().dialogs.QueueCancel(sim::DialogKind::kFont);
  FontDialog font;
  font.flags = cf_font::kScreenFonts | cf_font::kLimitSize;
  font.min_size = 20;
  font.max_size = 10;
  EXPECT_FALSE(this->dialogs().ShowFont(font));
  EXPECT_EQ(font.extended_error, cderr::kMaxLessThanMin);
  EXPECT_EQ(this->user().dialogs.queued_answers(), 1u);
}

// Save As answers the full path of the name the user typed, once the user
// agreed to replace the file that is there.
TYPED_TEST_P(DialogsContract, SaveAsAnswersTheFullPathOnceAReplaceIsAgreed) {
  std::string root = this->Root();
  ASSERT_TRUE(this->files().WriteFile(root + "\\a.txt", "a"));
  this->user().dialogs.QueueFile("a.txt");
  this->user().message_boxes.QueueAnswer(mb::kYes, "replace");
  FileDialog save;
  save.initial_folder = root;
  save.filter = "Text (*.txt)|*.txt";
  save.flags = ofn::kOverwritePrompt | ofn::kNoChangeDir;
  EXPECT_TRUE(this->dialogs().ShowSave(save));
  EXPECT_EQ(save.file_name, root + "\\a.txt");
  EXPECT_EQ(save.filter_index, 1);
}

REGISTER_TYPED_TEST_SUITE_P(DialogsContract, TheButtonPressedIsTheAnswer,
                            AColourIsChosenOrTheGivenOneKept,
                            AFontIsChosenWithItsSizeStyleAndEffects,
                            AFontDialogWithImpossibleLimitsFailsUnshown,
                            SaveAsAnswersTheFullPathOnceAReplaceIsAgreed);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_DIALOGS_CONTRACT_H_
