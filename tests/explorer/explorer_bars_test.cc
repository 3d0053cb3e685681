// The toolbar, the menu entries, the context-menu entry and button faces.
#include <gmock/gmock.h>

#include "addin/pictures.h"
#include "explorer_fixture.h"
#include "store/filter_view.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(ExplorerTest, TheToolbarHasEveryButtonWithItsCaptionTipStyleFaceAndGroup) {
  Start();
  // Each button has a Tag of its own: Office routes a click by Tag.
  const auto& bars = *Window()->command_bars();
  EXPECT_EQ(
      bars.Show(*Bar("Pinlet ToolBar")),
      "bar \"Pinlet ToolBar\": toolbar, added, temporary, visible, position 1, row 1,"
      " left 0, top 0\n"
      "  1. button \"Add Note\", custom, tip \"Add new note\", tag \"Pinlet.NewNote#3\", face Picture 16x16, mask"
      " 16x16 (90 transparent), style icon and caption, begins group, temporary\n"
      "  2. button \"Filter\", custom, tip \"Show items which have notes\", tag"
      " \"Pinlet.Filter#4\", face Picture 16x16, mask 16x16 (150 transparent), style icon and caption, begins group,"
      " temporary\n"
      "  3. button \"\", custom, tip \"Help\", tag \"Pinlet.Help#5\", face 984, style icon, begins group,"
      " temporary\n"
      "  4. popup \" \", custom, temporary\n"
      "     1. button \"Settings...\", custom, tip \"Settings\", tag"
      " \"Pinlet.Settings#6\", face Picture 16x16, mask 16x16 (132 transparent), style icon and caption, temporary\n"
      "     2. button \"Help\", custom, tip \"Help\", tag \"Pinlet.OtherHelp#7\", face 984,"
      " style icon and caption,"
      " temporary\n"
      "     3. button \"About\", custom, tip \"About\", tag \"Pinlet.About#8\", face Picture 16x16, mask 16x16"
      " (92 transparent), style icon and caption, begins group, temporary\n");
  // The faces are the add-in's pictures with their own masks.
  EXPECT_EQ(MainButton()->face.pixels, LoadResPicture("ADD").pixels);
  EXPECT_EQ(MainButton()->mask.pixels, LoadResPicture("ADD_MASK").pixels);
}

TEST_F(ExplorerTest, OptionsGoBeforeTheLastToolsEntryAndAboutRightAfterOutlooksAbout) {
  Start();
  auto tools = Control("Tools", "Menu Bar")->popup_bar;
  size_t n = tools->controls.size();
  EXPECT_EQ(tools->controls[n - 2]->caption, "Zarvo Options");
  EXPECT_EQ(tools->controls[n - 1]->caption, "&Options...");
  auto options = tools->controls[n - 2];
  EXPECT_TRUE(options->begin_group && options->temporary);
  EXPECT_EQ(options->tag, "Zarvo Options");
  ASSERT_EQ(options->popup_bar->controls.size(), 1u);
  auto item = options->popup_bar->controls[0];
  EXPECT_EQ(item->caption, "Pinlet Options...");
  EXPECT_FALSE(item->temporary);
  EXPECT_EQ(item->face.pixels, LoadResPicture("OPTIONS").pixels);

  auto help = Window()->command_bars()->FindById(30010, "Menu Bar")->popup_bar;
  auto about = Window()->command_bars()->FindById(927, "Menu Bar");
  size_t at = 0;
  while (help->controls[at] != about) ++at;
  ASSERT_LT(at + 1, help->controls.size());
  EXPECT_EQ(help->controls[at + 1]->caption, "Zarvo About");
  EXPECT_EQ(help->controls[at + 1]->popup_bar->controls[0]->caption, "About Pinlet");
}

TEST_F(ExplorerTest, TheToolbarIsDisabledInTheNotesFolderAndInDeletedItems) {
  Start();
  auto bar = Bar("Pinlet ToolBar");
  sim::FolderNode* notes = world.store.FindFolder(NotesFolder(ctx())->EntryID());
  world.message_boxes.QueueAnswer(mb::kOk);  // the notes folder's view message
  Window()->SwitchFolder(notes);
  EXPECT_FALSE(bar->enabled);
  Window()->SwitchFolder(Default(ol::kFolderInbox));
  EXPECT_TRUE(bar->enabled);
  Window()->SwitchFolder(Default(ol::kFolderDeletedItems));
  EXPECT_FALSE(bar->enabled);
  // A folder described as holding deleted items counts too.
  sim::FolderNode* tasks = Default(ol::kFolderTasks);
  tasks->description = "Old Deleted Items";
  Window()->SwitchFolder(tasks);
  EXPECT_FALSE(bar->enabled);
  // And no context-menu entry is made there.
  Select({Item(tasks, 0)});
  Window()->command_bars()->Update();
  EXPECT_EQ(Control("Pinlet", "Context Menu"), nullptr);
}

TEST_F(ExplorerTest, AWindowOpenedOnDeletedItemsStartsWithItsToolbarDisabled) {
  Start();
  outlook().OpenExplorer(Default(ol::kFolderDeletedItems));
  EXPECT_FALSE(Bar("Pinlet ToolBar", 1)->enabled);
  EXPECT_TRUE(Bar("Pinlet ToolBar", 0)->enabled);
}

TEST_F(ExplorerTest, TheContextMenuGetsTheEntryForOneItemOnlyCaptionedLikeTheButton) {
  Start();
  AddNote(InboxNode(5));
  Select({InboxNode(5)});
  Window()->command_bars()->Update();
  auto entry = Control("Pinlet", "Context Menu");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->tag, "NotesContextMenu");
  EXPECT_FALSE(entry->temporary);
  ASSERT_EQ(entry->popup_bar->controls.size(), 1u);
  auto button = entry->popup_bar->controls[0];
  EXPECT_EQ(button->caption, "View Note");
  EXPECT_EQ(button->tooltip, "View related note");
  EXPECT_EQ(button->face.pixels, LoadResPicture("EDIT").pixels);
  // Redrawn again, the menu holds one entry still.
  Window()->command_bars()->Update();
  int entries = 0;
  for (auto& control : Bar("Context Menu")->controls)
    entries += control->caption == "Pinlet";
  EXPECT_EQ(entries, 1);
  Select({InboxNode(0), InboxNode(1)});
  Window()->command_bars()->Update();
  EXPECT_EQ(Control("Pinlet", "Context Menu"), nullptr);
  Select({});
  Window()->command_bars()->Update();  // nothing selected: the menu is left alone
  EXPECT_EQ(Control("Pinlet", "Context Menu"), nullptr);
}

TEST_F(ExplorerTest, AProtectedContextMenuIsStillExtendedAndProtectedAgain) {
  Start();
  Bar("Context Menu")->protection = office::kBarNoCustomize | office::kBarNoMove;
  Select({InboxNode(0)});
  Window()->command_bars()->Update();
  EXPECT_TRUE(Control("Pinlet", "Context Menu"));
  EXPECT_EQ(Bar("Context Menu")->protection,
            office::kBarNoCustomize | office::kBarNoMove);
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ExplorerTest, TheFilterButtonStartsPressedInAWindowOpenedOnTheFilterView) {
  Start();
  Filter_On(ctx(), Window());
  outlook().OpenExplorer(Default(ol::kFolderInbox));
  EXPECT_EQ(FilterButton(1)->state, office::kButtonDown);
  outlook().OpenExplorer(Default(ol::kFolderSentMail));
  EXPECT_EQ(FilterButton(2)->state, office::kButtonUp);
}

TEST_F(ExplorerTest, BelowVersionTenFacesArePastedWithoutASeparateMask) {
  Start();
  session->Stop();
  session = std::make_unique<sim::HostSession>(
      &world,
      [this](const Platform& p) {
        Subsystems s;
        InstallStore(s);
        InstallExplorer(s);
        addin = std::make_shared<Connect>(p, s);
        return addin;
      },
      sim::HostOptions{.outlook_version = "9.0.0.6627"});
  session->Start();
  // The pasted face, not Picture and Mask, which that version lacks.
  EXPECT_EQ(MainButton()->face_source, "CF_DIB");
  EXPECT_TRUE(MainButton()->mask.empty());
  EXPECT_EQ(MainButton()->face.pixels, LoadResPicture("ADD").pixels);
  AddNote(InboxNode(0));
  Select({InboxNode(1)});
  Select({InboxNode(0)});
  EXPECT_EQ(MainButton()->caption, "View Note");
  EXPECT_EQ(MainButton()->face.pixels, LoadResPicture("EDIT").pixels);
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ExplorerTest, TheUsersClipboardIsTheSameAfterEveryFacePaste) {
  std::vector<std::pair<uint32_t, std::string>> held = {
      {cf::kUnicodeText, UnicodeTextBlock("the user's text")}, {cf::kDib, "not a face"}};
  world.clipboard.Put(held);
  Start();
  Select({InboxNode(2)});
  Window()->command_bars()->Update();  // the context entry's face is pasted too
  // What the user put there is there again, and nothing of the faces.
  EXPECT_EQ(*world.clipboard.Peek(cf::kUnicodeText), held[0].second);
  EXPECT_EQ(*world.clipboard.Peek(cf::kDib), held[1].second);
  for (const char* format : {"Toolbar Button Face", "Toolbar Button Mask"})
    EXPECT_EQ(world.clipboard.Peek(world.clipboard.RegisteredFormat(format)), nullptr);
  // Faces went through the clipboard: the toolbar's, the menus' and the
  // context entry's, each with its mask.
  size_t pasted = 0;
  for (const auto& face : Window()->command_bars()->faces())
    pasted += face.source == "Toolbar Button Face" && !face.mask.empty();
  EXPECT_GE(pasted, 7u);
}

TEST_F(ExplorerTest, AClipboardThatCannotBeSavedIsLeftAloneAndTheButtonsKeepNoFace) {
  world.clipboard.Put({{cf::kText, TextBlock("kept")}});
  world.clipboard.set_held_by_other(true);
  Start();
  world.clipboard.set_held_by_other(false);
  EXPECT_EQ(
      world.clipboard.contents(),
      (std::vector<std::pair<uint32_t, std::string>>{{cf::kText, TextBlock("kept")}}));
  // Version 11 sets the faces directly all the same.
  EXPECT_EQ(MainButton()->face_source, "Picture");
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ExplorerTest, ReplyOnAnItemWithANoteHandsTheNoteOverAndOutlookStillReplies) {
  Start();
  ol::ItemPtr note = AddNote(InboxNode(5));
  Select({InboxNode(4)});
  auto result = Click(Control("Reply", "Standard"));
  EXPECT_TRUE(result.action_ran);
  EXPECT_FALSE(ctx().handover);
  size_t replies = outlook().inspectors().size();
  EXPECT_EQ(replies, 1u);
  Select({InboxNode(5)});
  // Forward from the context menu reaches the same hook as the toolbar's.
  Click(Control("Forward", "Context Menu"));
  EXPECT_TRUE(ctx().handover);
  EXPECT_EQ(ctx().handover_note->EntryID(), note->EntryID());
  EXPECT_EQ(ctx().handover_item->EntryID(), InboxNode(5)->entry_id);
  EXPECT_EQ(outlook().inspectors().size(), 2u);
}

}  // namespace
}  // namespace pinlet
