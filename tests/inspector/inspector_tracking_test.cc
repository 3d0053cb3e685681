// Item windows: which get a note button, what it does, and what the note
// folder's own items open as.
#include <gmock/gmock.h>

#include "inspector_fixture.h"
#include "store/filter_view.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Office routes a click to every button of the same Tag in Outlook: each
// of the add-in's buttons has its own, so one click acts once, in its window.
TEST_F(InspectorTest, EachButtonClickActsOnceInItsOwnWindow) {
  Start();
  sim::FolderNode* inbox = Default(ol::kFolderInbox);
  sim::FolderNode* sent = Default(ol::kFolderSentMail);
  outlook().OpenExplorer(sent);
  std::vector<std::shared_ptr<sim::SimInspector>> items;
  for (size_t i = 0; i < 3; ++i) items.push_back(Open(InboxNode(i)));
  std::string inbox_view = inbox->current_view;

  Click(FilterButton(1), 1);
  EXPECT_EQ(sent->current_view, kFilterViewName);
  EXPECT_EQ(inbox->current_view, inbox_view);
  Click(FilterButton(0), 0);
  EXPECT_EQ(inbox->current_view, kFilterViewName);
  EXPECT_EQ(sent->current_view, kFilterViewName);
  EXPECT_TRUE(ctx().note_windows->empty());

  for (size_t i = 0; i < items.size(); ++i) {
    ClickIn(items[i], "Add Note");
    ASSERT_EQ(ctx().note_windows->size(), i + 1);
    EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(i)->entry_id);
  }
  EXPECT_EQ(inbox->current_view, kFilterViewName);
  EXPECT_EQ(sent->current_view, kFilterViewName);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(InspectorTest, AnItemWindowShowsAddNoteOrViewNoteAndItemOpenDecidesTheWindow) {
  Start();
  auto plain = Open(InboxNode(0));
  auto add = InspectorControl(plain, "Add Note");
  ASSERT_TRUE(add);
  EXPECT_EQ(add->tooltip, "Add new note");
  EXPECT_TRUE(add->begin_group);
  EXPECT_EQ(add->style, office::kButtonIconAndCaption);
  EXPECT_FALSE(InspectorControl(plain, "View Note"));

  AddNote(InboxNode(1));
  // "ItemOpen" missing, then 0: the note is not opened on its own.
  auto with_note = Open(InboxNode(1));
  ASSERT_TRUE(InspectorControl(with_note, "View Note"));
  EXPECT_EQ(InspectorControl(with_note, "View Note")->tooltip, "View related note");
  outlook().CloseInspector(with_note);
  SetNote("ItemOpen", "0");
  Open(InboxNode(1));
  EXPECT_TRUE(ctx().note_windows->empty());
  outlook().CloseInspector(outlook().inspectors().back());

  SetNote("ItemOpen", "1");
  Open(InboxNode(1));
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(1)->entry_id);
}

TEST_F(InspectorTest, AParentOpenedFromItsNoteDoesNotOpenTheNoteAgain) {
  Start();
  SetNote("ItemOpen", "1");
  AddNote(InboxNode(2));
  ctx().parent_opening = true;
  auto window = Open(InboxNode(2));
  ctx().parent_opening = false;
  EXPECT_TRUE(InspectorControl(window, "View Note"));
  EXPECT_TRUE(ctx().note_windows->empty());
  EXPECT_THAT(log, IsEmpty());
}

TEST_F(InspectorTest, ViewNoteOpensTheNoteAndAddNoteMakesOne) {
  Start();
  ol::ItemPtr note = AddNote(InboxNode(3));
  auto window = Open(InboxNode(3));
  ClickIn(window, "View Note");
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->objOriginalNote->EntryID(), note->EntryID());
  ClickIn(Open(InboxNode(4)), "Add Note");
  ASSERT_EQ(ctx().note_windows->size(), 2u);
  EXPECT_EQ(ctx().note_windows->back()->objOriginalNote, nullptr);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(4)->entry_id);
}

TEST_F(InspectorTest, AnUnsavedItemAsksToBeSavedFirst) {
  Start();
  auto draft = world.store.NewItem(*Default(ol::kFolderDrafts), "IPM.Note");
  draft->subject = "Plans";
  auto window = Open(draft);
  world.message_boxes.QueueAnswer(mb::kNo);
  ClickIn(window, "Add Note");
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  const auto& box = world.message_boxes.shown()[0];
  EXPECT_EQ(box.text,
            "In order to add a new note to the 'Plans - Message (Plain Text)' item,you "
            "should first save this item.\n\rWould you like to do that now?");
  EXPECT_EQ(box.title, "Pinlet");
  EXPECT_EQ(box.style, 0x10004);
  EXPECT_EQ(draft->entry_id, "");
  EXPECT_TRUE(ctx().note_windows->empty());

  world.message_boxes.QueueAnswer(mb::kYes);
  ClickIn(window, "Add Note");
  EXPECT_NE(draft->entry_id, "");
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->strID, draft->entry_id);
}

TEST_F(InspectorTest, NoButtonWhileTheExplorerShowsDeletedItems) {
  Start();
  Window()->SwitchFolder(Default(ol::kFolderDeletedItems));
  auto window = Open(InboxNode(0));
  EXPECT_FALSE(InspectorControl(window, "Add Note"));
  EXPECT_EQ(Wrappers(), 1u);
}

TEST_F(InspectorTest, WordEditedMailGetsNoButtonBeforeOutlook12) {
  StartAs("10.0.6626", true);
  EXPECT_FALSE(InspectorControl(Open(InboxNode(0)), "Add Note"));
  // A contact is never edited in Word.
  EXPECT_TRUE(InspectorControl(Open(Item(Default(ol::kFolderContacts), 0)), "Add Note"));
  session->Stop();
  StartAs("12.0.4518", true);
  EXPECT_TRUE(InspectorControl(Open(InboxNode(0)), "Add Note"));
}

TEST_F(InspectorTest, NotesFolderItemsShowOnlyTheNoteWindowExceptOutlookNotes) {
  Start();
  // The note of an item is an item of the item's class: a mail, a post, a
  // task, a contact, a distribution list, an appointment, a journal entry.
  std::vector<std::shared_ptr<sim::ItemNode>> parents = {
      InboxNode(0),
      Item(world.store.default_store()->defaults[ol::kFolderInbox]->children.at(0).get(),
           3),
      Item(Default(ol::kFolderTasks), 0),
      Item(Default(ol::kFolderContacts), 0),
      Item(Default(ol::kFolderContacts), 4),
      Item(Default(ol::kFolderCalendar), 0),
      Item(Default(ol::kFolderJournal), 0)};
  std::vector<ol::ItemPtr> notes;
  for (auto& parent : parents) notes.push_back(AddNote(parent));
  // Outlook shows the notes folder with its own view: Pinlet says so.
  world.message_boxes.QueueAnswer(mb::kOk);
  Window()->SwitchFolder(sim::NodeOf(NotesFolder(ctx())));
  for (size_t i = 0; i < notes.size(); ++i) {
    ASSERT_EQ(sim::NodeOf(notes[i])->cls, parents[i]->cls);
    EXPECT_EQ(Open(sim::NodeOf(notes[i])), nullptr) << i;  // Open was cancelled
    EXPECT_EQ(ctx().note_windows->size(), i + 1);
    EXPECT_EQ(ctx().note_windows->back()->strID, parents[i]->entry_id);
  }
  EXPECT_TRUE(outlook().inspectors().empty());
  EXPECT_EQ(Wrappers(), 0u);

  // An Outlook note item in that folder opens both windows.
  auto sticky = world.store.NewItem(*sim::NodeOf(NotesFolder(ctx())), "IPM.StickyNote");
  sticky->subject = "loose";
  world.store.SaveItem(sticky, world.clock.now());
  EXPECT_TRUE(Open(sticky));
  EXPECT_EQ(ctx().note_windows->back()->strID, "loose");
}

TEST_F(InspectorTest, ClosingOneOfSeveralWindowsRemovesExactlyItsWrapper) {
  Start();
  SetNote("ItemOpen", "1");
  AddNote(InboxNode(1));
  auto first = Open(InboxNode(0));
  auto second = Open(InboxNode(1));
  auto third = Open(InboxNode(2));
  ASSERT_EQ(Wrappers(), 3u);
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  auto bars = second->command_bars();
  outlook().CloseInspector(second);
  std::vector<int> ids;
  for (auto& w : *ctx().inspector_wrappers) ids.push_back(w->GetID());
  EXPECT_THAT(ids, ElementsAre(1, 3));
  // Its note window went with it.
  EXPECT_TRUE(ctx().note_windows->empty());
  EXPECT_THAT(log, ::testing::Contains("w1 Unload"));
  outlook().CloseInspector(first);
  outlook().CloseInspector(third);
  EXPECT_EQ(Wrappers(), 0u);
}

TEST_F(InspectorTest, TheNoteWindowSwitchesTheOpenWindowsButton) {
  Start();
  auto window = Open(InboxNode(0));
  ol::ItemPtr parent = sim::WrapItem(&world, InboxNode(0));
  SetInspectorNoteButton(ctx(), parent, true);
  auto button = InspectorControl(window, "View Note");
  ASSERT_TRUE(button);
  EXPECT_EQ(button->tooltip, "View related note");
  SetInspectorNoteButton(ctx(), parent, false);
  EXPECT_TRUE(InspectorControl(window, "Add Note"));
  EXPECT_FALSE(InspectorControl(window, "View Note"));
}

}  // namespace
}  // namespace pinlet

namespace pinlet {
namespace {

TEST_F(InspectorTest, AnItemOfAUsersOwnPinletFolderOpensAsAnyItem) {
  Start();
  sim::FolderNode& own =
      world.store.AddFolder(*Default(ol::kFolderInbox), "Pinlet", ol::kFolderInbox);
  auto mail = world.store.NewItem(own, "IPM.Note");
  world.store.SaveItem(mail, world.clock.now());
  Window()->SwitchFolder(&own);
  auto window = Open(mail);
  ASSERT_TRUE(window);
  EXPECT_TRUE(InspectorControl(window, "Add Note"));
  EXPECT_EQ(Wrappers(), 1u);
  EXPECT_TRUE(ctx().note_windows->empty());
  EXPECT_TRUE(mail->user_props.empty());
}

TEST_F(InspectorTest, AnItemIsTakenForANoteByItsOwnFolderOnly) {
  Start();
  ol::ItemPtr note = AddNote(InboxNode(0));
  // The main window shows the notes folder; an item of the Inbox opened
  // meanwhile is still an ordinary item with its own button.
  world.message_boxes.QueueAnswer(mb::kOk);
  Window()->SwitchFolder(sim::NodeOf(NotesFolder(ctx())));
  auto window = Open(InboxNode(0));
  ASSERT_TRUE(window);
  EXPECT_TRUE(InspectorControl(window, "View Note"));
  // The renamed notes folder's items are still notes.
  Window()->SwitchFolder(Default(ol::kFolderInbox));
  sim::NodeOf(NotesFolder(ctx()))->name = "Sticky notes";
  EXPECT_EQ(Open(sim::NodeOf(note)), nullptr);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(0)->entry_id);
}

TEST_F(InspectorTest, NoButtonWhileTheExplorerShowsTheRenamedDeletedItems) {
  Start();
  Default(ol::kFolderDeletedItems)->name = "Bin";
  Window()->SwitchFolder(Default(ol::kFolderDeletedItems));
  EXPECT_FALSE(InspectorControl(Open(InboxNode(0)), "Add Note"));
}

}  // namespace
}  // namespace pinlet
