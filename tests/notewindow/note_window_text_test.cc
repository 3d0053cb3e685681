// The text toolbar: undo, clear all, the date at the caret with the user's
// clipboard kept, and the colour and font dialogs.
#include <gmock/gmock.h>

#include "note_window_fixture.h"
#include "platform/clipboard.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class TextCommandsTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    Start();
    mail = InboxItem(6);
    window = Open(mail);
  }
  std::string ClipboardText() {
    sim::FaultInjector::Pause pause(world.faults);
    world.clipboard.Open();
    auto data = world.clipboard.GetData(cf::kUnicodeText);
    world.clipboard.Close();
    return data ? TextFromUnicodeBlock(*data) : "(none)";
  }
  static sim::FontChoice Font(std::string name, double size, bool bold = false,
                              uint32_t colour = 0) {
    sim::FontChoice font;
    font.name = std::move(name);
    font.size = size;
    font.bold = bold;
    font.color = colour;
    return font;
  }
  const sim::SimDialogs::Record& LastDialog() { return world.dialogs.shown().back(); }

  ol::ItemPtr mail;
  std::shared_ptr<frmComments> window;
};

TEST_F(TextCommandsTest, InsertDateGoesAtTheCaretAndKeepsTheClipboard) {
  uint32_t rtf = world.clipboard.RegisterFormat("Rich Text Format");
  world.clipboard.Put(
      {{cf::kUnicodeText, UnicodeTextBlock("user's text")}, {rtf, "{\\rtf1 x}"}});
  Type(window, "Due  please");
  Do(window, sim::FormAction{sim::FormAction::Kind::kSelect, "Text", "", 0, 4, 0});
  Click(window, "imgAddDate");
  EXPECT_EQ(TextBox(window).text(), "Due 12/7/2026 9:00:00 AM please");
  EXPECT_EQ(TextBox(window).sel_start(), 4u + 20u);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "Due 12/7/2026 9:00:00 AM please");
  EXPECT_EQ(ClipboardText(), "user's text");
  sim::FaultInjector::Pause pause(world.faults);
  world.clipboard.Open();
  EXPECT_EQ(*world.clipboard.GetData(rtf), "{\\rtf1 x}");
  world.clipboard.Close();
  // The insertion is undone like any paste.
  Click(window, "imgTextUndo");
  EXPECT_EQ(TextBox(window).text(), "Due  please");
}

TEST_F(TextCommandsTest, InsertDateWithoutTheClipboardStillInsertsAndTouchesNothing) {
  world.clipboard.Put({{cf::kUnicodeText, UnicodeTextBlock("kept")}});
  world.faults.FailMember("SetClipboardData", errors::kOperationFailed, 1);
  Click(window, "imgAddDate");
  EXPECT_EQ(TextBox(window).text(), "12/7/2026 9:00:00 AM");
  EXPECT_EQ(ClipboardText(), "kept");
  world.faults.Clear();
  world.clipboard.set_held_by_other(true);
  Click(window, "imgAddDate");
  EXPECT_EQ(TextBox(window).text(), "12/7/2026 9:00:00 AM12/7/2026 9:00:00 AM");
  world.clipboard.set_held_by_other(false);
  EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(TextCommandsTest, ClearAllCanBeUndoneAndUndoWithNothingDoesNothing) {
  EXPECT_EQ(Picture(window, "imgTextUndo"), "UNDO_DISABLED");  // nothing to undo yet
  EXPECT_FALSE(Form(window).Find("imgTextUndo")->enabled);
  Type(window, "Γειά σου");
  EXPECT_EQ(Picture(window, "imgTextUndo"), "UNDO");
  Click(window, "imgTextClearAll");
  EXPECT_EQ(TextBox(window).text(), "");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "");
  Click(window, "imgTextUndo");
  EXPECT_EQ(TextBox(window).text(), "Γειά σου");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "Γειά σου");
}

TEST_F(TextCommandsTest, CutCopyAndPasteGoThroughTheClipboard) {
  Type(window, "one two");
  Click(window, "imgTextCopyAll");
  EXPECT_EQ(ClipboardText(), "one two");
  Do(window, sim::FormAction{sim::FormAction::Kind::kSelect, "Text", "", 0, 0, 4});
  Click(window, "imgTextCut");
  EXPECT_EQ(TextBox(window).text(), "two");
  EXPECT_EQ(ClipboardText(), "one ");
  Click(window, "imgTextPaste");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "one two");
}

TEST_F(TextCommandsTest, TheColourDialogOffersTheNotesColoursAndStoresTheChoice) {
  world.dialogs.QueueColor(0xCCCCFF);
  Click(window, "imgTextColor");
  const auto& dialog = LastDialog();
  EXPECT_EQ(dialog.color.flags, 0x83u);
  EXPECT_EQ(dialog.color.owner, window->hwnd());
  EXPECT_EQ(dialog.color.custom_colors[0], 0xF0CAA6u);
  EXPECT_EQ(dialog.color.custom_colors[13], 0x00FF00u);
  EXPECT_EQ(dialog.given, "flags 0x000083, colour 0xC0FFFF");
  EXPECT_EQ(Prop(mail, "ZPNBackColor"), std::to_string(0xCCCCFF));
  EXPECT_EQ(Form(window).Find("Text")->back_colour, 0xCCCCFFu);
  EXPECT_FALSE(window->new_note());
  // Cancelled: the colour stays, and is stored again.
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  Click(window, "imgTextColor");
  EXPECT_EQ(Prop(mail, "ZPNBackColor"), std::to_string(0xCCCCFF));
}

TEST_F(TextCommandsTest, AColourDialogThatCouldNotBeShownIsTriedOnceMore) {
  world.dialogs.QueueColor(0xCCFFCC);
  world.faults.FailMember("ChooseColor", errors::kOperationFailed, 1);
  Click(window, "imgTextColor");
  EXPECT_EQ(Prop(mail, "ZPNBackColor"), std::to_string(0xCCFFCC));
}

TEST_F(TextCommandsTest, TheFontDialogIsLimitedAndItsChoiceStored) {
  world.dialogs.QueueFont(Font("Arial", 90));  // refused: above 80
  world.dialogs.QueueFont(Font("Georgia", 14, true, 0x0000FF));
  Click(window, "imgTextFont");
  const auto& dialog = LastDialog();
  EXPECT_EQ(dialog.font.flags, 0x12101u);
  EXPECT_EQ(dialog.font.min_size, 8);
  EXPECT_EQ(dialog.font.max_size, 80);
  EXPECT_EQ(dialog.refused.size(), 1u);
  EXPECT_EQ(TextBox(window).font.name, "Georgia");
  EXPECT_EQ(TextBox(window).fore_colour, 0x0000FFu);
  EXPECT_EQ(Prop(mail, "ZPNFontName"), "Georgia");
  EXPECT_EQ(Prop(mail, "ZPNFontSize"), "14");
  EXPECT_EQ(Prop(mail, "ZPNFontBold"), "True");
  EXPECT_EQ(Prop(mail, "ZPNForeColor"), std::to_string(0x0000FF));
  world.dialogs.QueueCancel(sim::DialogKind::kFont);
  Click(window, "imgTextFont");
  EXPECT_EQ(TextBox(window).font.name, "Georgia");
  EXPECT_EQ(Prop(mail, "ZPNFontSize"), "14");
}

TEST_F(TextCommandsTest, AFontShownWrongStillStoresTheChoice) {
  world.dialogs.QueueFont(Font("Tahoma", 10));
  world.faults.FailMember("TextBox.Font", errors::kOperationFailed, 1);
  Click(window, "imgTextFont");
  EXPECT_EQ(Prop(mail, "ZPNFontName"), "Tahoma");
}

}  // namespace
}  // namespace pinlet
