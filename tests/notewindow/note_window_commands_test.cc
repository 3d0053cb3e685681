// The note toolbar's commands: delete the note, open its item, and the
// text box's edit commands as the window uses them.
#include <gmock/gmock.h>

#include "note_window_fixture.h"
#include "notewindow/c_text_box_edit.h"
#include "store/note_windows.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class NoteCommandsTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    Start();
    mail = InboxItem(6);
    window = Open(mail);
    Type(window, "keep me?");
    seams.clear();
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& box : world.message_boxes.shown()) texts.push_back(box.text);
    return texts;
  }

  ol::ItemPtr mail;
  std::shared_ptr<frmComments> window;
};

TEST_F(NoteCommandsTest, DeleteAsksAndLeavesNothingOfTheNote) {
  std::string id = mail->EntryID();
  world.message_boxes.QueueAnswer(mb::kYes);
  Click(window, "imgNoteDelete");
  EXPECT_THAT(
      Messages(),
      ElementsAre("Are you sure you want to delete the note  'Subject: Board slides'?"));
  EXPECT_EQ(NoteOf(mail), nullptr);
  EXPECT_TRUE(DeletedNode()->items.empty());
  EXPECT_EQ(ItemProp(mail, "ZPNHasNote"), "FALSE");
  EXPECT_FALSE(window->loaded());
  EXPECT_TRUE(ctx().note_windows->empty());
  EXPECT_THAT(seams,
              ElementsAre("add button " + id, "refresh (refreshing)", "forget " + id));
  // Nothing was saved on the way out.
  EXPECT_EQ(NotesNode()->items.size(), 0u);
}

TEST_F(NoteCommandsTest, NoKeepsNoteAndWindow) {
  world.message_boxes.QueueAnswer(mb::kNo);
  Click(window, "imgNoteDelete");
  EXPECT_NE(NoteOf(mail), nullptr);
  EXPECT_TRUE(window->loaded());
  EXPECT_TRUE(seams.empty());
}

TEST_F(NoteCommandsTest, ANewUntouchedNoteIsDeletedWithoutAQuestion) {
  ol::ItemPtr other = InboxItem(2);
  auto fresh = Open(other);
  Click(fresh, "imgNoteDelete");
  EXPECT_TRUE(world.message_boxes.shown().empty());
  EXPECT_EQ(NoteOf(other), nullptr);
  EXPECT_TRUE(DeletedNode()->items.empty());
}

TEST_F(NoteCommandsTest, ANoteWhoseItemIsGoneIsDeletedWhenTheUserSaysYes) {
  CloseBox(window);
  sim::ItemNode* note = NoteOf(mail);
  // The note, opened from the notes folder, has no item any more.
  mail->Delete();
  sim::WrapItem(&world, DeletedNode()->items.back())->Delete();
  seams.clear();
  auto orphan =
      std::dynamic_pointer_cast<frmComments>(ctx().subsystems.note_windows->Create(ctx()));
  orphan->strID = "gone";
  orphan->objOriginalNote = sim::WrapItem(&world, note->shared_from_this());
  DisplayNote(ctx(), orphan);
  Hover(orphan, "Text");
  world.message_boxes.QueueAnswer(mb::kYes);
  Click(orphan, "imgNoteDelete");
  EXPECT_TRUE(NotesNode()->items.empty());
  EXPECT_TRUE(DeletedNode()->items.empty());
  EXPECT_TRUE(seams.empty());  // the item's steps are skipped
  EXPECT_TRUE(ctx().note_windows->empty());
}

TEST_F(NoteCommandsTest, OpenParentLowersAnOnTopNoteAndShowsTheItem) {
  Click(window, "imgNoteOnTop");
  ASSERT_TRUE(world.windows.Find(window->hwnd())->top_most);
  Click(window, "imgNoteOpen");
  EXPECT_EQ(world.outlook->inspectors().size(), 1u);
  EXPECT_FALSE(world.windows.Find(window->hwnd())->top_most);
  EXPECT_TRUE(window->blnParentOpened);
  EXPECT_FALSE(ctx().parent_opening);
}

TEST_F(NoteCommandsTest, OpenParentFallsBackToTheItemsEntryID) {
  world.faults.FailMember("Item.Display", errors::kOperationFailed, 1);
  Click(window, "imgNoteOpen");
  EXPECT_EQ(world.outlook->inspectors().size(), 1u);
  EXPECT_TRUE(world.message_boxes.shown().empty());
}

TEST_F(NoteCommandsTest, AnItemThatCannotBeOpenedIsSaidOnceAndItsButtonsDisabled) {
  world.faults.FailMember("Item.Display");
  world.message_boxes.QueueAnswer(mb::kOk);
  Click(window, "imgNoteOpen");
  EXPECT_THAT(Messages(), ElementsAre("Sorry, can't open parent item"));
  EXPECT_EQ(world.message_boxes.shown().front().style, mb::kCritical);
  EXPECT_EQ(Picture(window, "imgNoteOpen"), "OPEN_DISABLED");
  EXPECT_EQ(Picture(window, "imgNoteReminder"), "REMINDER_DISABLED");
  EXPECT_FALSE(Form(window).Find("imgNoteOpen")->enabled);
}

TEST_F(NoteCommandsTest, TheReminderButtonFollowsTheItemsClass) {
  EXPECT_EQ(Picture(window, "imgNoteReminder"), "REMINDER");
  auto contact =
      Open(ctx().name_space->GetDefaultFolder(ol::kFolderContacts)->Items()->Item(1));
  EXPECT_EQ(Picture(contact, "imgNoteReminder"), "REMINDER_DISABLED");
}

TEST(TextBoxEditTest, TheCommandsAnswerWhatTheControlCanDo) {
  sim::World world;
  ui::FormPtr form = world.ui.CreateForm("frmTest");
  auto box = form->Add<ui::TextBox>("Text");
  cTextBoxEdit edit(world.clipboard);
  EXPECT_FALSE(edit.CanCopy());  // not bound yet
  edit.Bind(box);
  box->SetText("abc");
  EXPECT_FALSE(edit.CanCut());
  EXPECT_FALSE(edit.CanUndo());
  box->SetSelLength(2);
  EXPECT_TRUE(edit.CanCut());
  box->SetLocked(true);
  EXPECT_FALSE(edit.CanCut());
  EXPECT_TRUE(edit.CanCopy());
  EXPECT_FALSE(edit.CanPaste());
  EXPECT_TRUE(edit.Copy());
  EXPECT_TRUE(edit.CanPaste());
  box->SetLocked(false);
  edit.ReplaceSelection("Ωμέγα", true);
  EXPECT_EQ(box->Text(), "Ωμέγαc");
  EXPECT_TRUE(edit.Undo());
  EXPECT_EQ(box->Text(), "abc");
  EXPECT_TRUE(world.defects().empty());
}

}  // namespace
}  // namespace pinlet
