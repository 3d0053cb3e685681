// Following the selection, folder and view switches of a main window.
#include <gmock/gmock.h>

#include "addin/pictures.h"
#include "explorer_fixture.h"
#include "store/filter_view.h"
#include "store/note_windows.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string PropOf(const sim::ItemNode& item, const std::string& name) {
  for (const auto& prop : item.user_props)
    if (prop.name == name) return ToText(prop.value);
  return "(none)";
}

TEST_F(ExplorerTest, TheMainButtonFollowsWhetherTheSelectedItemHasANote) {
  Start();
  AddNote(InboxNode(5));
  Select({InboxNode(5)});
  EXPECT_EQ(MainButton()->caption, "View Note");
  EXPECT_EQ(MainButton()->tooltip, "View related note");
  EXPECT_EQ(MainButton()->face.pixels, LoadResPicture("EDIT").pixels);
  EXPECT_EQ(MainButton()->mask.pixels, LoadResPicture("EDIT_MASK").pixels);
  // The item that has the note is marked.
  EXPECT_EQ(PropOf(*InboxNode(5), "ZPNHasNote"), "TRUE");
  Select({InboxNode(4)});
  EXPECT_EQ(MainButton()->caption, "Add Note");
  EXPECT_EQ(MainButton()->tooltip, "Add new note");
  EXPECT_EQ(PropOf(*InboxNode(4), "ZPNHasNote"), "(none)");
}

TEST_F(ExplorerTest, TheSameItemTwiceIsHandledOnceAndAgainOnceItsNoteIsGone) {
  Start();
  ol::ItemPtr note = AddNote(InboxNode(3));
  Select({InboxNode(3)});
  EXPECT_EQ(MainButton()->caption, "View Note");
  // Outlook telling of the same selection again changes nothing.
  MainButton()->caption = "untouched";
  Window()->FireSelectionChange();
  EXPECT_EQ(MainButton()->caption, "untouched");
  // The note window deletes the note and has the explorers forget the item.
  {
    sim::FaultInjector::Pause pause(world.faults);
    note->Delete();
  }
  ctx().subsystems.explorers->ForgetEntryId(ctx(), InboxNode(3)->entry_id);
  Window()->FireSelectionChange();
  EXPECT_EQ(MainButton()->caption, "Add Note");
  EXPECT_EQ(PropOf(*InboxNode(3), "ZPNHasNote"), "FALSE");
}

TEST_F(ExplorerTest, ARefreshHandlesTheSameItemAgainInTheActiveWindow) {
  Start();
  Select({InboxNode(2)});
  AddNote(InboxNode(2));
  ctx().subsystems.explorers->RefreshActive(ctx());
  EXPECT_EQ(MainButton()->caption, "View Note");
  EXPECT_FALSE(ctx().note_refresh);
}

TEST_F(ExplorerTest, WithNothingSelectedTheMainButtonAddsAndTheItemIsHandledAgain) {
  Start();
  AddNote(InboxNode(2));
  Select({InboxNode(2)});
  ASSERT_EQ(MainButton()->caption, "View Note");
  Select({});
  EXPECT_EQ(MainButton()->caption, "Add Note");
  EXPECT_EQ(MainButton()->tooltip, "Add new note");
  EXPECT_EQ(MainButton()->face.pixels, LoadResPicture("ADD").pixels);
  EXPECT_EQ(MainButton()->mask.pixels, LoadResPicture("ADD_MASK").pixels);
  // The same item selected again shows its note again.
  Select({InboxNode(2)});
  EXPECT_EQ(MainButton()->caption, "View Note");
}

TEST_F(ExplorerTest, ANoteMadeOrDeletedShowsInTheButtonOfEveryWindow) {
  Start();
  auto second = outlook().OpenExplorer();
  Select({InboxNode(2)}, 0);
  Select({InboxNode(2)}, 1);
  Select({InboxNode(4)}, 0);
  outlook().ActivateExplorer(Window(0));
  Select({InboxNode(2)}, 0);
  ASSERT_EQ(MainButton(1)->caption, "Add Note");
  // The note window of the active window makes the note, then refreshes.
  ol::ItemPtr note = AddNote(InboxNode(2));
  ctx().subsystems.explorers->RefreshActive(ctx());
  EXPECT_EQ(MainButton(0)->caption, "View Note");
  EXPECT_EQ(MainButton(1)->caption, "View Note");
  EXPECT_EQ(MainButton(1)->mask.pixels, LoadResPicture("EDIT_MASK").pixels);
  {
    sim::FaultInjector::Pause pause(world.faults);
    note->Delete();
  }
  ctx().subsystems.explorers->RefreshActive(ctx());
  EXPECT_EQ(MainButton(0)->caption, "Add Note");
  EXPECT_EQ(MainButton(1)->caption, "Add Note");
  // A window showing another item keeps that item's state.
  AddNote(InboxNode(4));
  Select({InboxNode(4)}, 1);
  AddNote(InboxNode(2));
  ctx().subsystems.explorers->RefreshActive(ctx());
  EXPECT_EQ(MainButton(1)->caption, "View Note");
  Select({InboxNode(3)}, 1);
  ctx().subsystems.explorers->RefreshActive(ctx());
  EXPECT_EQ(MainButton(1)->caption, "Add Note");
  // A selection that cannot be read leaves the button as it was.
  Select({InboxNode(4)}, 1);
  ASSERT_EQ(MainButton(1)->caption, "View Note");
  world.faults.FailMember("Selection.Count");
  ctx().subsystems.explorers->RefreshActive(ctx());
  world.faults.Clear();
  EXPECT_EQ(MainButton(1)->caption, "View Note");
  outlook().CloseExplorer(second);
}

TEST_F(ExplorerTest, WhileTheAddinWritesAnItemItsSelectionEventsAreIgnored) {
  Start();
  AddNote(InboxNode(1));
  {
    ItemUpdateScope updating(ctx());
    Select({InboxNode(1)});
  }
  EXPECT_EQ(MainButton()->caption, "Add Note");
}

TEST_F(ExplorerTest, InOneWindowModeTheOpenNoteWindowFollowsTheSelection) {
  Start();
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");
  AddNote(InboxNode(0));
  AddNote(InboxNode(2));
  // No note window open: selecting an item with a note opens none.
  Select({InboxNode(0)});
  EXPECT_TRUE(log.empty());
  ol::ItemPtr parent = sim::WrapItem(&world, InboxNode(0));
  DisplayNote(ctx(), GetNoteForm(ctx(), InboxNode(0)->entry_id,
                                 FindNote(ctx(), InboxNode(0)->entry_id), parent));
  WindowHandle shared = ctx().note_windows->back()->hwnd();
  log.clear();
  Select({InboxNode(1)});  // no note: the window hides
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(world.windows.Find(shared)->visible);
  Select({InboxNode(2)});  // a note: the window shows it
  EXPECT_THAT(log, ElementsAre("w1 ClearForm " + InboxNode(2)->entry_id,
                               "w1 Show " + InboxNode(2)->entry_id));
  EXPECT_EQ(ctx().note_windows->size(), 1u);
  // The keyboard is back in the main window.
  EXPECT_EQ(world.windows.active(), Window()->hwnd());
  Select({});  // nothing selected: the window hides again
  EXPECT_FALSE(world.windows.Find(shared)->visible);
}

TEST_F(ExplorerTest, AnEmptySelectionHidesTheLastNoteWindowInEitherMode) {
  Start();
  Select({InboxNode(0)});
  Click(MainButton());
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  WindowHandle handle = ctx().note_windows->back()->hwnd();
  Select({});
  EXPECT_FALSE(world.windows.Find(handle)->visible);
}

TEST_F(ExplorerTest, DeletedItemsIsNotTrackedByNameDescriptionOrIdentity) {
  Start();
  sim::FolderNode* deleted = Default(ol::kFolderDeletedItems);
  auto item = world.store.NewItem(*deleted, "IPM.Note");
  world.store.SaveItem(item, world.clock.now());
  AddNote(item);
  // Renamed, the default Deleted Items folder is still known by its EntryID.
  deleted->name = "Bin";
  Window()->SwitchFolder(deleted);
  Select({item});
  EXPECT_EQ(tracker().wrappers()[0]->GetSelectedItemEntryID(), "");
  EXPECT_EQ(PropOf(*item, "ZPNHasNote"), "(none)");
  // Any folder named or described so is left alone too.
  sim::FolderNode& old = world.store.AddFolder(*Default(ol::kFolderInbox),
                                               "Deleted Items 2003", ol::kFolderInbox);
  auto other = world.store.NewItem(old, "IPM.Note");
  world.store.SaveItem(other, world.clock.now());
  Window()->SwitchFolder(&old);
  Select({other});
  EXPECT_EQ(tracker().wrappers()[0]->GetSelectedItemEntryID(), "");
}

TEST_F(ExplorerTest, SelectingANoteRecordsWhereItsItemIsNow) {
  // In a personal folders file a move keeps the EntryID that links the note.
  world.store.default_store()->kind = sim::StoreKind::kPst;
  Start();
  ol::ItemPtr note = AddNote(InboxNode(6));
  sim::FolderNode* projects = Default(ol::kFolderInbox)->Child("Projects");
  {
    sim::FaultInjector::Pause pause(world.faults);
    sim::WrapItem(&world, InboxNode(6))->Move(sim::WrapFolder(&world, projects));
  }
  sim::FolderNode* notes = world.store.FindFolder(NotesFolder(ctx())->EntryID());
  world.message_boxes.QueueAnswer(mb::kOk);
  Window()->SwitchFolder(notes);
  auto note_node = sim::NodeOf(note);
  Select({note_node});
  EXPECT_EQ(PropOf(*note_node, "ZPNFolder"), "Projects");
  EXPECT_EQ(PropOf(*note_node, "FolderPath"), projects->Path());
  // Handled again, a note whose place is right is not saved again.
  Date saved = note_node->last_modified;
  world.clock.AdvanceSeconds(60);
  ClearExplorerEntryID(ctx(), note_node->entry_id);
  size_t calls = world.faults.call_count();
  Window()->FireSelectionChange();
  EXPECT_GT(world.faults.call_count(), calls + 5);  // it was handled
  EXPECT_EQ(note_node->last_modified, saved);
}

TEST_F(ExplorerTest, EnteringTheNotesFolderInAnotherViewShowsTheViewMessageEachTime) {
  Start();
  sim::FolderNode* notes = world.store.FindFolder(NotesFolder(ctx())->EntryID());
  notes->current_view = "Messages";
  world.message_boxes.QueueAnswer(mb::kOk);
  Window()->SwitchFolder(notes);
  Window()->SwitchFolder(Default(ol::kFolderInbox));
  world.message_boxes.QueueAnswer(mb::kOk);
  Window()->SwitchFolder(notes);
  ASSERT_EQ(world.message_boxes.shown().size(), 2u);
  const auto& box = world.message_boxes.shown()[0];
  EXPECT_EQ(box.text,
            "To view the notes properly, please change your view to \"Pinlet\". Click on "
            "Help button for more information.");
  EXPECT_EQ(box.title, "Pinlet");
  EXPECT_EQ(box.style, mb::kOkOnly | mb::kHelpButton);
  // In its own view the folder is entered without a word.
  Window()->SwitchFolder(Default(ol::kFolderInbox));
  notes->current_view = "Pinlet";
  Window()->SwitchFolder(notes);
  EXPECT_EQ(world.message_boxes.shown().size(), 2u);
}

TEST_F(ExplorerTest, OutboxDraftsAndHotmailHideFilterAndOtherFoldersGetTheFilterView) {
  Start();
  sim::FolderNode& hotmail = world.store.AddFolder(*world.store.default_store()->root,
                                                   "Hotmail", ol::kFolderInbox);
  sim::FolderNode& hotmail_inbox =
      world.store.AddFolder(hotmail, "Inbox", ol::kFolderInbox);
  for (sim::FolderNode* special : {Default(ol::kFolderOutbox), Default(ol::kFolderDrafts),
                                   &hotmail, &hotmail_inbox}) {
    Window()->SwitchFolder(special);
    EXPECT_FALSE(FilterButton()->visible) << special->name;
    EXPECT_EQ(special->FindView(kFilterViewName), nullptr) << special->name;
    Window()->SwitchFolder(Default(ol::kFolderInbox));
    EXPECT_TRUE(FilterButton()->visible);
  }
  sim::FolderNode* sent = Default(ol::kFolderSentMail);
  Window()->SwitchFolder(sent);
  const sim::ViewNode* view = sent->FindView(kFilterViewName);
  ASSERT_TRUE(view);
  EXPECT_THAT(view->xml, HasSubstr(FilterClause()));
  EXPECT_EQ(sent->current_view, "Messages");
  // Entering it again makes no second one.
  size_t views = sent->views.size();
  Window()->SwitchFolder(Default(ol::kFolderInbox));
  Window()->SwitchFolder(sent);
  EXPECT_EQ(sent->views.size(), views);
}

TEST_F(ExplorerTest, TheViewAFolderShowedIsStoredAndTheFilterButtonFollowsTheView) {
  Start();
  sim::FolderNode* inbox = Default(ol::kFolderInbox);
  ASSERT_TRUE(Window()->SwitchView("Messages with AutoPreview"));
  EXPECT_EQ(Registry(inbox->entry_id.c_str()), "Messages with AutoPreview");
  Filter_On(ctx(), Window());
  EXPECT_EQ(FilterButton()->state, office::kButtonDown);
  Window()->SwitchView("Messages");
  EXPECT_EQ(FilterButton()->state, office::kButtonUp);
  // Leaving a folder in the filter view turns the filter off there.
  Filter_On(ctx(), Window());
  Window()->SwitchFolder(Default(ol::kFolderSentMail));
  EXPECT_EQ(inbox->current_view, "Messages");
  EXPECT_EQ(FilterButton()->state, office::kButtonUp);
}

}  // namespace
}  // namespace pinlet
