// Tracking main windows: wrappers and their IDs, the active wrapper, the
// explorer side's shut-down, the toolbar's position kept across windows.
#include <gmock/gmock.h>

#include "explorer_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

TEST_F(ExplorerTest, IdsAreHandedOutOnceAndAClosedWindowLeavesNoWrapper) {
  Start();
  EXPECT_THAT(Ids(), ElementsAre(1));
  auto second = outlook().OpenExplorer();
  EXPECT_THAT(Ids(), ElementsAre(1, 2));
  outlook().CloseExplorer(second);
  EXPECT_THAT(Ids(), ElementsAre(1));
  outlook().OpenExplorer();
  EXPECT_THAT(Ids(), ElementsAre(1, 3));
  // Every window has its own toolbar, built when it was first activated.
  EXPECT_TRUE(MainButton(1));
}

TEST_F(ExplorerTest, AWindowOpenedLaterHasTheMenuEntriesBeforeAnyFolderSwitch) {
  Start();
  outlook().OpenExplorer(Default(ol::kFolderSentMail));
  auto options = Control("Zarvo Options", "", 1);
  auto about = Control("Zarvo About", "", 1);
  ASSERT_TRUE(options);
  ASSERT_TRUE(about);
  ASSERT_EQ(options->popup_bar->controls.size(), 1u);
  // Activated again and switched, the window keeps one set.
  outlook().ActivateExplorer(Window(0));
  outlook().ActivateExplorer(Window(1));
  Window(1)->SwitchFolder(Default(ol::kFolderInbox));
  int entries = 0;
  for (auto& control : Bar("Menu Bar", 1)->controls)
    if (control->popup_bar)
      for (auto& entry : control->popup_bar->controls)
        entries += entry->caption == "Zarvo Options" || entry->caption == "Zarvo About";
  EXPECT_EQ(entries, 2);
  // Its entries work.
  size_t calls = world.support->calls().size();
  world.ui.QueueFormAnswer("frmAbout", {sim::FormAction::Click("cmdOK")});
  Click(about->popup_bar->controls.front(), 1);
  ASSERT_EQ(world.support->calls().size(), calls + 1);
  EXPECT_THAT(world.support->calls().back(), ::testing::HasSubstr("About"));
}

TEST_F(ExplorerTest, AnOrdinaryStartAndStopLogNoError) {
  Start();
  outlook().OpenExplorer(Default(ol::kFolderSentMail));
  session->Stop();
  // Only the library's start: the menus are added before the toolbar
  // exists, and nothing fails for that.
  EXPECT_THAT(Logged(), ElementsAre("Init 2 14"));
}

TEST_F(ExplorerTest, ClosingAWindowRemovesOnlyItsWrapperAndTheLastShutsTheSideDown) {
  Start();
  auto second = outlook().OpenExplorer();
  auto third = outlook().OpenExplorer();
  outlook().CloseExplorer(second);
  EXPECT_THAT(Ids(), ElementsAre(1, 3));
  outlook().CloseExplorer(Window(0));
  EXPECT_THAT(Ids(), ElementsAre(3));
  ASSERT_TRUE(ctx().explorer_tracker);
  outlook().CloseExplorer(third);
  EXPECT_FALSE(ctx().explorer_tracker);
  EXPECT_FALSE(ctx().inspector_tracker);
  // Each wrapper released its window and its About entry with it.
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ExplorerTest, TheActiveWrapperIsTheOneWhoseWindowWasActivatedLast) {
  Start();
  auto second = outlook().OpenExplorer();
  EXPECT_EQ(tracker().get_ActiveExplorer()->GetID(), 2);
  outlook().ActivateExplorer(Window(0));
  EXPECT_EQ(tracker().get_ActiveExplorer()->GetID(), 1);
  outlook().ActivateExplorer(second);
  // Window 2 closes while another program has the focus: until window 1 is
  // activated again no wrapper is the active one.
  WindowHandle other = world.windows.Create("Another program");
  outlook().CloseExplorer(second);
  EXPECT_EQ(tracker().get_ActiveExplorer(), nullptr);
  world.windows.Activate(Window(0)->hwnd());
  EXPECT_EQ(tracker().get_ActiveExplorer()->GetID(), 1);
  world.windows.Destroy(other);
}

TEST_F(ExplorerTest, ForgettingAnEntryIdTouchesOnlyTheWrappersThatHeldIt) {
  Start();
  outlook().OpenExplorer();
  tracker().wrappers()[0]->SetSelectedItemEntryID("A");
  tracker().wrappers()[1]->SetSelectedItemEntryID("B");
  ClearExplorerEntryID(ctx(), "C");
  EXPECT_EQ(tracker().wrappers()[0]->GetSelectedItemEntryID(), "A");
  EXPECT_EQ(tracker().wrappers()[1]->GetSelectedItemEntryID(), "B");
  ClearExplorerEntryID(ctx(), "B");
  EXPECT_EQ(tracker().wrappers()[1]->GetSelectedItemEntryID(), std::string(1, '\0'));
}

TEST_F(ExplorerTest, TheToolbarComesBackWhereTheUserLeftItInTheNextWindow) {
  Start();
  // No position stored: the toolbar is where Outlook puts a new one.
  auto bar = Bar("Pinlet ToolBar");
  EXPECT_EQ(bar->position, office::kBarTop);
  EXPECT_EQ(bar->left, 0);
  auto second = outlook().OpenExplorer();
  auto moved = Bar("Pinlet ToolBar", 1);
  moved->position = office::kBarLeft;
  moved->left = 120;
  moved->top = 45;
  moved->row_index = 3;
  outlook().CloseExplorer(second);
  EXPECT_EQ(Note("BarLeft"), "120");
  EXPECT_EQ(Note("BarTop"), "45");
  EXPECT_EQ(Note("BarPosition"), "0");
  EXPECT_EQ(Note("BarRowIndex"), "3");
  outlook().OpenExplorer();
  auto restored = Bar("Pinlet ToolBar", 1);
  EXPECT_EQ(restored->position, office::kBarLeft);
  EXPECT_EQ(restored->left, 120);
  EXPECT_EQ(restored->top, 45);
  EXPECT_EQ(restored->row_index, 3);
}

TEST_F(ExplorerTest, AStoredPositionThatIsNoNumberLeavesThatPropertyAlone) {
  WriteText(world.registry, kNoteKey, "BarLeft", "wide");
  WriteText(world.registry, kNoteKey, "BarTop", "30");
  WriteText(world.registry, kNoteKey, "BarPosition", "9");  // no such position
  Start();
  auto bar = Bar("Pinlet ToolBar");
  EXPECT_EQ(bar->left, 0);
  EXPECT_EQ(bar->top, 30);
  EXPECT_EQ(bar->position, office::kBarTop);
}

TEST_F(ExplorerTest, AWindowPastTheLastIdIsNotWrappedAndTheOverflowIsLogged) {
  Start();
  tracker().fExID = clsExplorers::kLastId;
  outlook().OpenExplorer();
  EXPECT_THAT(Ids(), ElementsAre(1));
  EXPECT_THAT(Logged().back(),
              ::testing::HasSubstr("clsExplorers(Sub fExplorers_NewExplorer), 10"));
}

TEST_F(ExplorerTest, SwitchingTheAddinOffAndOnGivesTheWindowAWorkingToolbarAgain) {
  Start();
  session->Reconnect();
  EXPECT_THAT(Ids(), ElementsAre(1));
  // One toolbar and one set of menu entries, whose clicks reach the add-in.
  EXPECT_EQ(Window()->command_bars()->bars().size(), 5u);
  EXPECT_EQ(Control("Zarvo Options")->popup_bar->controls.size(), 1u);
  Select({});
  world.message_boxes.QueueAnswer(mb::kOk);
  Click(MainButton());
  EXPECT_THAT(Messages(),
              ElementsAre("Please, select the item you wish to add note to."));
}

}  // namespace
}  // namespace pinlet
