#include "store/notes_folder.h"

#include <gmock/gmock.h>

#include "addin/settings.h"
#include "sim/machine/sim_mapi_helpers.h"
#include "store/note_property.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class NotesFolderTest : public StoreTest {
 protected:
  ol::FolderPtr NotesDefault() { return ns()->GetDefaultFolder(ol::kFolderNotes); }
};

TEST_F(NotesFolderTest, FirstStartCreatesTheFolderWithFieldsViewAndCache) {
  Start();
  auto folder = NotesDefault()->Folders()->Item("Pinlet");
  EXPECT_EQ(folder->FolderPath(), "\\\\Mailbox - Pat Kelly\\Notes\\Pinlet");
  EXPECT_THAT(Node(folder)->user_fields, ElementsAre("ItemNumber", "Type", "ZPNFolder",
                                                     "FolderPath", "ZPNFullBody"));
  EXPECT_EQ(folder->Items()->Count(), 0);  // the temporary post is gone
  auto view = folder->Views()->Item("Pinlet");
  EXPECT_NE(view->XML().find("ZPNTitle"), std::string::npos);
  EXPECT_EQ(Node(folder)->FindView("Pinlet")->save_option, 0);
  EXPECT_TRUE(folder->CustomViewsOnly());
  EXPECT_EQ(Registry("EntryID"), folder->EntryID());
  EXPECT_EQ(Registry("StoreID"), folder->StoreID());
}

TEST_F(NotesFolderTest, CachedIdentifiersFindARenamedFolder) {
  Start();
  auto folder = NotesFolder(ctx());
  folder->SetName("My sticky notes");
  EXPECT_EQ(NotesFolder(ctx())->EntryID(), folder->EntryID());
  EXPECT_EQ(NotesDefault()->Folders()->Count(), 1);
}

TEST_F(NotesFolderTest, EntryIdWithoutStoreIdOpensByEntryIdAlone) {
  Start();
  auto folder = NotesFolder(ctx());
  WriteText(world.registry, kFoldersKey, "StoreID", "");
  folder->SetName("Renamed");  // so the name lookup cannot be what finds it
  EXPECT_EQ(NotesFolder(ctx())->EntryID(), folder->EntryID());
  EXPECT_EQ(Registry("StoreID"), folder->StoreID());
}

TEST_F(NotesFolderTest, RenamedFolderWithAStaleCacheGetsANewFolder) {
  Start();
  auto old = NotesFolder(ctx());
  old->SetName("Old notes");
  std::string old_store = Registry("StoreID");
  WriteText(world.registry, kFoldersKey, "EntryID", "00DEAD");
  auto fresh = NotesFolder(ctx());
  EXPECT_NE(fresh->EntryID(), old->EntryID());
  EXPECT_EQ(fresh->Name(), "Pinlet");
  EXPECT_EQ(Registry("EntryID"), fresh->EntryID());
  // The identifiers replaced are kept, so the old notes can be found again.
  EXPECT_EQ(Registry("OldEntryID"), "00DEAD");
  EXPECT_EQ(Registry("OldStoreID"), old_store);
}

TEST_F(NotesFolderTest, ATransientFailureNeverReplacesTheCachedFolder) {
  Start();
  auto folder = NotesFolder(ctx());
  folder->SetName("My notes");  // no longer found by name
  std::string id = folder->EntryID();
  // A lookup that fails for another reason than "not found", or a cache that
  // cannot be read, gives no folder this time and leaves everything as it was.
  world.faults.FailMember("NameSpace.GetFolderFromID", errors::kOperationFailed, 1);
  EXPECT_EQ(NotesFolder(ctx()), nullptr);
  world.faults.FailMember("RegQueryValueEx", errors::kOperationFailed, 2);
  EXPECT_EQ(NotesFolder(ctx()), nullptr);
  EXPECT_EQ(NotesDefault()->Folders()->Count(), 1);
  EXPECT_EQ(Registry("EntryID"), id);
  EXPECT_EQ(Registry("OldEntryID"), "");
  EXPECT_EQ(NotesFolder(ctx())->EntryID(), id);
  // A lookup that says "not found" means the folder is gone for good.
  world.faults.FailMember("NameSpace.GetFolderFromID", errors::kNotFound);
  EXPECT_EQ(NotesFolder(ctx())->Name(), "Pinlet");
  world.faults.Clear();
  EXPECT_EQ(Registry("OldEntryID"), id);
}

TEST_F(NotesFolderTest, StaleCacheIsRepairedByName) {
  Start();
  auto folder = NotesFolder(ctx());
  WriteText(world.registry, kFoldersKey, "EntryID", "00DEAD");
  WriteText(world.registry, kFoldersKey, "StoreID", folder->StoreID());
  EXPECT_EQ(NotesFolder(ctx())->EntryID(), folder->EntryID());
  EXPECT_EQ(Registry("EntryID"), folder->EntryID());
}

TEST_F(NotesFolderTest, AFolderDeletedToDeletedItemsIsNotUsedAgain) {
  Start();
  auto folder = NotesFolder(ctx());
  folder->Delete();  // now under Deleted Items, same EntryID
  auto fresh = NotesFolder(ctx());
  EXPECT_NE(fresh->EntryID(), folder->EntryID());
  EXPECT_EQ(fresh->FolderPath(), "\\\\Mailbox - Pat Kelly\\Notes\\Pinlet");
}

TEST_F(NotesFolderTest, SearchFindsTheFirstStoreAndTheDeepestMatchFirst) {
  auto& archive = *world.store.stores()[1];
  auto& shallow = world.store.AddFolder(*archive.root, "Pinlet", 6);
  auto& deep =
      world.store.AddFolder(world.store.AddFolder(shallow, "Sub", 6), "Pinlet", 6);
  Start();  // nothing under Notes, nothing cached: the search decides
  EXPECT_EQ(Registry("EntryID"), deep.entry_id);
  auto& mailbox = *world.store.stores()[0];
  auto& in_inbox = world.store.AddFolder(*mailbox.defaults[6], "Pinlet", 6);
  world.registry.DeleteValue("Software\\Zarvo\\Pinlet\\folders", "EntryID");
  world.registry.DeleteValue("Software\\Zarvo\\Pinlet\\folders", "StoreID");
  EXPECT_EQ(NotesFolder(ctx())->EntryID(), in_inbox.entry_id);  // first store wins
}

TEST_F(NotesFolderTest, SearchSkipsDeletedItemsOfEveryStoreAndGoesOnInTheSameStore) {
  auto& mailbox = *world.store.stores()[0];
  world.store.AddFolder(*mailbox.defaults[ol::kFolderDeletedItems], "Pinlet", 6);
  auto& kept = world.store.AddFolder(*mailbox.defaults[ol::kFolderTasks], "Pinlet", 6);
  auto& other = world.store.AddStore("Shared mailbox", true);
  world.store.AddFolder(*other.defaults[ol::kFolderDeletedItems], "Pinlet", 6);
  Start();  // nothing under Notes, nothing cached: the search decides
  EXPECT_EQ(Registry("EntryID"), kept.entry_id);
  EXPECT_EQ(CheckFolderName(ctx(), ns()->Folders()->Item(3), "Pinlet"), nullptr);
}

TEST_F(NotesFolderTest, CheckFolderNameComparesExactly) {
  Start();
  auto root = ns()->Folders()->Item(1);
  EXPECT_EQ(CheckFolderName(ctx(), root, "pinlet"), nullptr);
  EXPECT_EQ(CheckFolderName(ctx(), root, "Projects")->FolderPath(),
            "\\\\Mailbox - Pat Kelly\\Inbox\\Projects");
}

TEST_F(NotesFolderTest, SearchFailureIsReportedAndCreationGoesOn) {
  Start();
  NotesFolder(ctx())->SetName("elsewhere");
  world.registry.DeleteValue("Software\\Zarvo\\Pinlet\\folders", "EntryID");
  world.faults.FailMember("NameSpace.Folders");
  auto folder = NotesFolder(ctx());
  world.faults.Clear();
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->Name(), "Pinlet");
  EXPECT_THAT(Logged().back(),
              ::testing::HasSubstr("basMainProc(Function SearchNotesFolder)"));
}

TEST_F(NotesFolderTest, MissingViewFileLeavesOnlyTheStandardViews) {
  world.files.RemoveFile(world.install_dir + "PNX.xml");
  Start();  // at connection the support library is not loaded yet: nothing is logged
  EXPECT_EQ(Logged(), std::vector<std::string>{"Init 2 14"});
  auto folder = NotesFolder(ctx());
  EXPECT_THROW(folder->Views()->Item("Pinlet"), HostError);
  EXPECT_EQ(folder->Views()->Count(), 4);
  EXPECT_FALSE(folder->CustomViewsOnly());
  // Once it is loaded, the next folder made without the file is logged.
  folder->SetName("Old");
  world.registry.DeleteValue("Software\\Zarvo\\Pinlet\\folders", "EntryID");
  NotesFolder(ctx());
  EXPECT_THAT(Logged().back(),
              ::testing::HasSubstr("basExplorers(Sub LoadView), 20 | File not found"));
}

TEST_F(NotesFolderTest, LookupOfAParentsNote) {
  Start();
  auto mail = InboxItem(1);
  EXPECT_EQ(FindNote(ctx(), mail->EntryID()), nullptr);
  auto made = AddNewNoteItem(ctx(), mail);
  EXPECT_EQ(FindNote(ctx(), mail->EntryID())->EntryID(), made.note->EntryID());
  // An unlinked note (empty subject) is never anybody's note.
  auto unlinked = NotesFolder(ctx())->Items()->Add(ol::kPostItem);
  unlinked->Save();
  EXPECT_EQ(FindNote(ctx(), ""), nullptr);
}

TEST_F(NotesFolderTest, NewNoteOfAMailIsLinkedTitledAndPlaced) {
  Start();
  auto mail = InboxItem(2);
  NewNote made = AddNewNoteItem(ctx(), mail);
  ASSERT_TRUE(made.note);
  EXPECT_EQ(made.note->Subject(), mail->EntryID());
  EXPECT_EQ(made.note->MessageClass(), "IPM.Note");
  EXPECT_EQ(made.note->Parent()->Name(), "Pinlet");
  EXPECT_EQ(Prop(made.note, "ZPNTitle"), "Lunch on Thursday?");
  EXPECT_EQ(Prop(made.note, "ZPNFolder"), "Inbox");
  EXPECT_EQ(Prop(made.note, "FolderPath"), "\\\\Mailbox - Pat Kelly\\Inbox");
  EXPECT_EQ(made.caption, "Subject: Lunch on Thursday?");
  EXPECT_THAT(Node(made.note->Parent())->user_fields, ::testing::Contains("ZPNTitle"));
}

TEST_F(NotesFolderTest, EachParentClassGetsItsNoteClassAndAContactItsFullName) {
  Start();
  struct Case {
    int folder;
    const char* note_class;
  } cases[] = {{ol::kFolderContacts, "IPM.Contact"},
               {ol::kFolderTasks, "IPM.Task"},
               {ol::kFolderCalendar, "IPM.Appointment"},
               {ol::kFolderJournal, "IPM.Activity"}};
  for (const Case& c : cases) {
    auto parent = ns()->GetDefaultFolder(c.folder)->Items()->Item(1);
    NewNote made = AddNewNoteItem(ctx(), parent);
    ASSERT_TRUE(made.note) << c.note_class;
    EXPECT_EQ(made.note->MessageClass(), c.note_class);
  }
  auto contact = ns()->GetDefaultFolder(ol::kFolderContacts)->Items()->Item(2);
  contact->SetSubject("Ravi (old subject)");
  contact->Put("FullName", Variant("Ravi Menon"));
  EXPECT_EQ(AddNewNoteItem(ctx(), contact).caption, "Subject: Ravi Menon");
  auto list = ns()->GetDefaultFolder(ol::kFolderContacts)->Items()->Item("Atlas team");
  EXPECT_EQ(AddNewNoteItem(ctx(), list).note->MessageClass(), "IPM.DistList");
}

TEST_F(NotesFolderTest, ANoteThatAlreadyExistsIsTakenAndNoSecondIsLinked) {
  Start();
  auto mail = InboxItem(3);
  NewNote first = AddNewNoteItem(ctx(), mail);
  WriteNoteProperty(ctx(), first.note, "ZPNTitle", "kept");
  NewNote second = AddNewNoteItem(ctx(), mail);
  EXPECT_EQ(second.note->EntryID(), first.note->EntryID());
  EXPECT_TRUE(second.existed);
  EXPECT_FALSE(second.new_item);  // the item made for nothing is not kept
  EXPECT_EQ(Prop(second.note, "ZPNTitle"), "kept");  // nothing of it is overwritten
  EXPECT_EQ(NotesFolder(ctx())->Items()->Count(), 1);
}

TEST_F(NotesFolderTest, ANoteWithoutParentKeepsItsPostAndTheCaptionIsAlwaysSet) {
  Start();
  NewNote loose = AddNewNoteItem(ctx(), nullptr);
  ASSERT_TRUE(loose.new_item);
  EXPECT_EQ(loose.new_item->MessageClass(), "IPM.Post");
  EXPECT_EQ(loose.note, nullptr);
  EXPECT_EQ(loose.caption, "Subject: ");
  // A failing save leaves no note, but the window is still titled.
  world.faults.FailMember("Item.Save");
  NewNote unsaved = AddNewNoteItem(ctx(), InboxItem(2));
  world.faults.Clear();
  EXPECT_EQ(unsaved.note, nullptr);
  EXPECT_EQ(unsaved.caption, "Subject: Lunch on Thursday?");
}

TEST_F(NotesFolderTest, AnItemNeverSavedGetsNoNote) {
  Start();
  auto draft = Inbox()->Items()->Add(ol::kMailItem);
  NewNote made = AddNewNoteItem(ctx(), draft);
  EXPECT_EQ(made.note, nullptr);
  EXPECT_EQ(NotesFolder(ctx())->Items()->Count(), 0);
}

TEST_F(NotesFolderTest, DocumentNotesKeepTheirPropertiesAsCdoFields) {
  Start();
  auto doc = Inbox()->Items()->Add(std::string_view("IPM.Document.Excel.Sheet.8"));
  doc->SetSubject("Budget.xls");
  doc->Save();
  NewNote made = AddNewNoteItem(ctx(), doc);
  ASSERT_TRUE(made.note);
  EXPECT_EQ(made.note->MessageClass(), "IPM.Document");
  auto session = world.objects->CreateCdoSession();
  session->Logon(false, false);
  auto fields = session->GetMessage(made.note->EntryID(), "")->Fields();
  EXPECT_EQ(fields->Item("ZPNTitle")->Value(), Variant("Budget.xls"));
  EXPECT_EQ(fields->Item("ZPNFolder")->Value(), Variant("Inbox"));
  // A later write through a new handle on the note still lands.
  auto again = FindNote(ctx(), doc->EntryID());
  WriteNoteProperty(ctx(), again, "ZPNTitle", "Budget 2027.xls");
  EXPECT_EQ(fields->Item("ZPNTitle")->Value(), Variant("Budget 2027.xls"));
  // The shared CDO session is used when there is one.
  ctx().cdo_session = session;
  int before = static_cast<sim::SimObjectFactory&>(*world.objects).cdo_sessions_created;
  WriteNoteProperty(ctx(), again, "ZPNBody", "text");
  EXPECT_EQ(static_cast<sim::SimObjectFactory&>(*world.objects).cdo_sessions_created,
            before);
}

TEST_F(NotesFolderTest, OutlooksOwnNotesNeverGetANoteItem) {
  Start();
  // Outlook's notes keep no user properties or attachments to hold a note.
  auto sticky = ns()->GetDefaultFolder(ol::kFolderNotes)->Items()->Item(1);
  ASSERT_EQ(sticky->Class(), ol::kNote);
  NewNote made = AddNewNoteItem(ctx(), sticky);
  EXPECT_EQ(made.note, nullptr);
  EXPECT_EQ(made.new_item, nullptr);
  EXPECT_EQ(NotesFolder(ctx())->Items()->Count(), 0);
}

TEST_F(NotesFolderTest, WithoutRedemptionNotesAreMadeInOutlooksOwnFolderSilently) {
  Start();
  static_cast<sim::SimObjectFactory&>(*world.objects).redemption_installed = false;
  struct Case {
    ol::ItemPtr parent;
    const char* note_class;
  } cases[] = {
      {InboxItem(1), "IPM.Note"},
      {ns()->GetDefaultFolder(ol::kFolderContacts)->Items()->Item(1), "IPM.Contact"},
      {ns()->GetDefaultFolder(ol::kFolderCalendar)->Items()->Item(1), "IPM.Appointment"},
      {ns()->GetDefaultFolder(ol::kFolderTasks)->Items()->Item(1), "IPM.Task"}};
  for (const Case& c : cases) {
    NewNote made = AddNewNoteItem(ctx(), c.parent);
    ASSERT_TRUE(made.note) << c.note_class;
    EXPECT_FALSE(made.existed);
    EXPECT_EQ(made.note->MessageClass(), c.note_class);
    EXPECT_TRUE(FindNote(ctx(), c.parent->EntryID())) << c.note_class;
    EXPECT_EQ(Prop(made.note, "ZPNTitle"), c.parent->Subject());
  }
  // Nothing was left out, so nobody is told anything.
  EXPECT_TRUE(world.message_boxes.shown().empty());
}

TEST_F(NotesFolderTest, WithoutCdoADocumentNoteIsAPostAndTheUserIsToldOnce) {
  Start();
  static_cast<sim::SimObjectFactory&>(*world.objects).cdo_installed = false;
  world.message_boxes.QueueAnswer(mb::kOk, "CDO 1.21");
  for (const char* name : {"Budget.xls", "Plan.doc"}) {
    auto doc = Inbox()->Items()->Add(std::string_view("IPM.Document.Excel.Sheet.8"));
    doc->SetSubject(name);
    doc->Save();
    NewNote made = AddNewNoteItem(ctx(), doc);
    ASSERT_TRUE(made.note) << name;
    // A post keeps its properties through Outlook's object model.
    EXPECT_EQ(made.note->MessageClass(), "IPM.Post");
    WriteNoteProperty(ctx(), made.note, "ZPNBody", "text");
    auto again = FindNote(ctx(), doc->EntryID());
    EXPECT_EQ(Prop(again, "ZPNTitle"), name);
    EXPECT_EQ(Prop(again, "ZPNFolder"), "Inbox");
    EXPECT_EQ(Prop(again, "ZPNBody"), "text");
  }
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_THAT(world.message_boxes.shown()[0].text, HasSubstr("(CDO 1.21)"));
  int logged = 0;
  for (const std::string& call : Logged())
    logged += call.find("CDO 1.21 is not installed") != std::string::npos;
  EXPECT_EQ(logged, 1);
}

TEST_F(NotesFolderTest, EveryHostCallFailingInTurnNeverEscapesOrLinksTwice) {
  Start();
  auto mail = InboxItem(4);
  std::string parent_id = mail->EntryID();
  int64_t before = world.faults.call_count();
  AddNewNoteItem(ctx(), mail);
  int64_t calls = world.faults.call_count() - before;
  for (int64_t n = 1; n <= calls; ++n) {
    for (int i = NotesFolder(ctx())->Items()->Count(); i >= 1; --i)
      NotesFolder(ctx())->Items()->Item(i)->Delete();
    world.faults.FailCall(world.faults.call_count() + n);
    EXPECT_NO_THROW(AddNewNoteItem(ctx(), mail)) << n;
    world.faults.Clear();
    auto folder = NotesFolder(ctx());
    int linked = 0;
    for (int i = 1; i <= folder->Items()->Count(); ++i)
      linked += folder->Items()->Item(i)->Subject() == parent_id;
    EXPECT_LE(linked, 1) << n;
  }
}

}  // namespace
}  // namespace pinlet
