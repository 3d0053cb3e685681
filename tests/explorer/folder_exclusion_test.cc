// Which folders get the note commands: the notes folder and Deleted Items
// are known by identity, a user's own folder named "Pinlet" is ordinary, and
// the context menu's entry does not outlive a switch to an excluded folder.
// A selected item keeps its mark when its note could not be looked up.
#include <gmock/gmock.h>

#include "explorer_fixture.h"

namespace pinlet {
namespace {

std::string PropOf(const sim::ItemNode& item, const std::string& name) {
  for (const auto& prop : item.user_props)
    if (prop.name == name) return ToText(prop.value);
  return "(none)";
}

class FolderExclusionTest : public ExplorerTest {
 protected:
  sim::FolderNode* Notes() { return sim::NodeOf(NotesFolder(ctx())); }
  std::shared_ptr<sim::ItemNode> NewMail(sim::FolderNode& folder) {
    auto item = world.store.NewItem(folder, "IPM.Note");
    item->subject = "in " + folder.name;
    world.store.SaveItem(item, world.clock.now());
    return item;
  }
  std::shared_ptr<sim::ControlNode> ContextEntry() {
    Window()->command_bars()->Update();
    return Control("Pinlet", "Context Menu");
  }
};

TEST_F(FolderExclusionTest, AUsersOwnFolderNamedPinletIsAnOrdinaryFolder) {
  Start();
  sim::FolderNode& own =
      world.store.AddFolder(*Default(ol::kFolderInbox), "Pinlet", ol::kFolderInbox);
  auto mail = NewMail(own);
  // No word about the notes folder's view, which would wait for an answer.
  Window()->SwitchFolder(&own);
  EXPECT_THAT(Messages(), ::testing::IsEmpty());
  EXPECT_TRUE(Bar("Pinlet ToolBar")->enabled);
  Select({mail});
  EXPECT_EQ(MainButton()->caption, "Add Note");
  EXPECT_TRUE(ContextEntry());
  // The user's mail gets no note properties, as a selected note would.
  for (const auto& prop : mail->user_props) EXPECT_NE(prop.name, "ZPNFolder");
}

TEST_F(FolderExclusionTest, TheRenamedNotesFolderIsStillTheNotesFolder) {
  Start();
  AddNote(InboxNode(2));
  Notes()->name = "Sticky notes";
  world.message_boxes.QueueAnswer(mb::kOk);  // the notes folder's view message
  Window()->SwitchFolder(Notes());
  EXPECT_THAT(Messages(), ::testing::ElementsAre(::testing::HasSubstr("change your view")));
  EXPECT_FALSE(Bar("Pinlet ToolBar")->enabled);
  Select({Item(Notes(), 0)});
  EXPECT_EQ(ContextEntry(), nullptr);
}

TEST_F(FolderExclusionTest, TheContextEntryLeavesWhenTheFolderIsExcluded) {
  Start();
  ol::ItemPtr note = AddNote(InboxNode(2));
  Select({InboxNode(2)});
  ASSERT_TRUE(ContextEntry());
  // Into the notes folder: the entry made in the Inbox goes, so no note can
  // be asked for a note.
  world.message_boxes.QueueAnswer(mb::kOk);
  Window()->SwitchFolder(Notes());
  Select({sim::NodeOf(note)});
  EXPECT_EQ(ContextEntry(), nullptr);
  // Back in the Inbox it comes again; in a renamed Deleted Items it goes.
  Window()->SwitchFolder(Default(ol::kFolderInbox));
  Select({InboxNode(1)});
  ASSERT_TRUE(ContextEntry());
  sim::FolderNode* deleted = Default(ol::kFolderDeletedItems);
  deleted->name = "Bin";
  Window()->SwitchFolder(deleted);
  EXPECT_FALSE(Bar("Pinlet ToolBar")->enabled);
  Select({NewMail(*deleted)});
  EXPECT_EQ(ContextEntry(), nullptr);
  EXPECT_EQ(Notes()->items.size(), 1u);
}

TEST_F(FolderExclusionTest, AWindowOpenedOnTheRenamedDeletedItemsStartsDisabled) {
  Start();
  Default(ol::kFolderDeletedItems)->name = "Bin";
  outlook().OpenExplorer(Default(ol::kFolderDeletedItems));
  EXPECT_FALSE(Bar("Pinlet ToolBar", 1)->enabled);
}

TEST_F(FolderExclusionTest, AFailedLookupNeverUnmarksTheSelectedItem) {
  WriteText(world.registry, kNoteKey, "MarkWithFlag", "1");
  Start();
  ol::ItemPtr note = AddNote(InboxNode(5));
  Select({InboxNode(5)});
  ASSERT_EQ(PropOf(*InboxNode(5), "ZPNHasNote"), "TRUE");
  ASSERT_EQ(PropOf(*InboxNode(5), "ZPNFlag"), "TRUE");
  const std::pair<const char*, int> failures[] = {
      {"Items.Item", 1},      {"Folder.Items", 1},
      {"RegQueryValueEx", 1}, {"NameSpace.GetFolderFromID", 1},
      {"Item.EntryID", 2},  // the second read, when the note is looked up
  };
  for (auto [member, nth] : failures) {
    Select({InboxNode(4)});
    world.faults.FailMember(member, errors::kOperationFailed, nth);
    Select({InboxNode(5)});
    world.faults.Clear();
    EXPECT_EQ(PropOf(*InboxNode(5), "ZPNHasNote"), "TRUE") << member;
    EXPECT_EQ(PropOf(*InboxNode(5), "ZPNFlag"), "TRUE") << member;
  }
  // A note that is really gone still unmarks its item.
  {
    sim::FaultInjector::Pause pause(world.faults);
    note->Delete();
  }
  Select({InboxNode(4)});
  Select({InboxNode(5)});
  EXPECT_EQ(PropOf(*InboxNode(5), "ZPNHasNote"), "FALSE");
}

}  // namespace
}  // namespace pinlet
