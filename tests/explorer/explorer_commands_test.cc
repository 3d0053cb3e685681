// What the toolbar's, the menus' and the context menu's entries do.
#include <gmock/gmock.h>

#include "explorer_fixture.h"
#include "store/filter_view.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

TEST_F(ExplorerTest, AddNoteWithNothingOrSeveralItemsSelectedSaysSo) {
  Start();
  world.message_boxes.QueueAnswer(mb::kOk);
  world.message_boxes.QueueAnswer(mb::kOk);
  Select({});
  Click(MainButton());
  Select({InboxNode(0), InboxNode(1)});
  Click(MainButton());
  EXPECT_THAT(
      Messages(),
      ElementsAre("Please, select the item you wish to add note to.",
                  "Currently we are able to handle only one selected item.\r\nSorry "
                  "for the inconvenience."));
  EXPECT_EQ(world.message_boxes.shown()[1].style, mb::kOkOnly);
  EXPECT_EQ(world.message_boxes.shown()[1].title, "Pinlet");
  EXPECT_TRUE(ctx().note_windows->empty());
}

TEST_F(ExplorerTest, AddNoteOpensANewNoteAndViewNoteTheItemsOwn) {
  Start();
  Select({InboxNode(0)});
  Click(MainButton());
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  auto window = ctx().note_windows->back();
  EXPECT_EQ(window->strID, InboxNode(0)->entry_id);
  EXPECT_EQ(window->objOriginalNote, nullptr);  // the window makes the note
  EXPECT_EQ(sim::NodeOf(window->objParentItem), InboxNode(0));
  ol::ItemPtr note = AddNote(InboxNode(1));
  Select({InboxNode(1)});
  Click(MainButton());
  ASSERT_EQ(ctx().note_windows->size(), 2u);
  EXPECT_EQ(ctx().note_windows->back()->objOriginalNote->EntryID(), note->EntryID());
  // Clicked again, the open window only comes up.
  log.clear();
  Click(MainButton());
  EXPECT_EQ(ctx().note_windows->size(), 2u);
  EXPECT_THAT(log, ElementsAre("w2 Show " + InboxNode(1)->entry_id));
}

TEST_F(ExplorerTest, TheContextEntryDoesWhatTheToolbarButtonDoes) {
  Start();
  AddNote(InboxNode(7));
  Select({InboxNode(7)});
  Window()->command_bars()->Update();
  auto result = Click(Control("View Note", "Context Menu"));
  EXPECT_FALSE(result.cancelled);
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(7)->entry_id);
  EXPECT_TRUE(ctx().note_windows->back()->objOriginalNote);
}

TEST_F(ExplorerTest, FilterTwiceReturnsToTheFoldersViewAndTheButtonIsUpAgain) {
  Start();
  sim::FolderNode* inbox = Default(ol::kFolderInbox);
  Window()->SwitchView("Last Seven Days");
  Click(FilterButton());
  EXPECT_EQ(inbox->current_view, kFilterViewName);
  EXPECT_EQ(FilterButton()->state, office::kButtonDown);
  Click(FilterButton());
  EXPECT_EQ(inbox->current_view, "Last Seven Days");
  EXPECT_EQ(FilterButton()->state, office::kButtonUp);
}

TEST_F(ExplorerTest, AFilterThatCannotBeSwitchedOnLeavesTheButtonUp) {
  Start();
  world.faults.FailMember("Views.Add", errors::kOperationFailed, 1);
  Click(FilterButton());
  EXPECT_EQ(FilterButton()->state, office::kButtonUp);
  EXPECT_EQ(Default(ol::kFolderInbox)->current_view, "Messages");
}

TEST_F(ExplorerTest, HelpAndAboutEntriesGoToTheSupportLibrary) {
  Start();
  world.ui.QueueFormAnswer("frmAbout", {sim::FormAction::Click("cmdOK")});
  world.ui.QueueFormAnswer("frmAbout", {sim::FormAction::Click("cmdOK")});
  Click(Bar("Pinlet ToolBar")->controls[2]);  // the Help button, a face without caption
  Click(Control("Help", "Pinlet ToolBar"));
  Click(Control("About", "Pinlet ToolBar"));
  Click(Control("About Pinlet", "Menu Bar"));
  std::vector<std::string> calls = Logged();
  calls.erase(calls.begin());  // the library's start
  EXPECT_THAT(calls,
              ElementsAre("ShowContextHelp About_Pinlet.htm",
                          "ShowContextHelp About_Pinlet.htm", "ShowAbout", "ShowAbout"));
  // The page is installed, so the library opened it both times.
  ASSERT_EQ(world.shell.executed().size(), 2u);
  EXPECT_EQ(world.shell.executed()[1].file, world.install_dir + "help\\About_Pinlet.htm");
  EXPECT_EQ(world.ui.modal_forms().size(), 2u);
}

TEST_F(ExplorerTest, SettingsAndPinletOptionsOpenTheOptionsDialog) {
  Start();
  world.ui.QueueFormAnswer("frmOptions", {sim::FormAction::Click("cmdCancel")});
  world.ui.QueueFormAnswer("frmOptions", {sim::FormAction::Click("cmdCancel")});
  Click(Control("Settings...", "Pinlet ToolBar"));
  Click(Control("Pinlet Options...", "Menu Bar"));
  ASSERT_EQ(world.ui.modal_forms().size(), 2u);
  for (const auto& shown : world.ui.modal_forms()) {
    EXPECT_EQ(shown.caption, "Pinlet Options");
    EXPECT_EQ(shown.outcome, "unloaded");
  }
}

}  // namespace
}  // namespace pinlet
