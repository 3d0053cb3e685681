// Telling the notes folder and Deleted Items by identity, looking up a note
// without taking a failure for "no note", and no note ever made for a note.
#include "store/folder_identity.h"

#include <gmock/gmock.h>

#include "store/note_windows.h"
#include "store/notes_folder.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

class FolderIdentityTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    Start();
  }
  ol::FolderPtr Default(int which) { return ns()->GetDefaultFolder(which); }
};

TEST_F(FolderIdentityTest, TheNotesFolderIsKnownByItsIdentityNotByItsName) {
  ol::FolderPtr notes = NotesFolder(ctx());
  ol::FolderPtr own = Inbox()->Folders()->Add("Pinlet", ol::kFolderInbox);
  EXPECT_TRUE(IsNotesFolder(ctx(), notes));
  EXPECT_FALSE(IsNotesFolder(ctx(), own));
  EXPECT_FALSE(IsExcludedFolder(ctx(), own));
  notes->SetName("Sticky notes");
  EXPECT_TRUE(IsNotesFolder(ctx(), notes));
  EXPECT_TRUE(IsExcludedFolder(ctx(), notes));
  // An item of the folder lies in it; an item of the user's "Pinlet" does not.
  ol::ItemPtr note = AddNewNoteItem(ctx(), InboxItem(1)).note;
  EXPECT_TRUE(InNotesFolder(ctx(), note));
  ol::ItemPtr mail = own->Items()->Add(ol::kMailItem);
  mail->Save();
  EXPECT_FALSE(InNotesFolder(ctx(), mail));
  // Not knowing the notes folder is never a "no".
  world.faults.FailMember("RegQueryValueEx");
  EXPECT_THROW(IsNotesFolder(ctx(), own), HostError);
  world.faults.Clear();
}

TEST_F(FolderIdentityTest, DeletedItemsIsKnownByIdentityNameOrDescription) {
  ol::FolderPtr deleted = Default(ol::kFolderDeletedItems);
  deleted->SetName("Bin");
  EXPECT_TRUE(IsDeletedItemsFolder(ctx(), deleted));
  EXPECT_TRUE(IsExcludedFolder(ctx(), deleted));
  EXPECT_TRUE(IsDeletedItemsFolder(
      ctx(), Inbox()->Folders()->Add("Old Deleted Items", ol::kFolderInbox)));
  EXPECT_FALSE(IsDeletedItemsFolder(ctx(), Inbox()));
  EXPECT_FALSE(IsExcludedFolder(ctx(), Inbox()));
}

TEST_F(FolderIdentityTest, ANoteIsAbsentOnlyWhenTheFolderSaysSo) {
  ol::ItemPtr mail = InboxItem(1);
  EXPECT_EQ(LookUpNote(ctx(), mail->EntryID()).result, NoteLookup::kAbsent);
  EXPECT_EQ(LookUpNote(ctx(), "").result, NoteLookup::kAbsent);
  ol::ItemPtr note = AddNewNoteItem(ctx(), mail).note;
  NoteSearch found = LookUpNote(ctx(), mail->EntryID());
  EXPECT_EQ(found.result, NoteLookup::kFound);
  EXPECT_EQ(found.note->EntryID(), note->EntryID());
  // A failure on the way is "could not look", whichever call failed; the
  // host's "not found" is "absent".
  for (const char* member : {"Items.Item", "Folder.Items", "RegQueryValueEx",
                             "NameSpace.GetFolderFromID"}) {
    world.faults.FailMember(member, errors::kOperationFailed, 1);
    EXPECT_EQ(LookUpNote(ctx(), mail->EntryID()).result, NoteLookup::kUnknown)
        << member;
    world.faults.Clear();
  }
  world.faults.FailMember("Items.Item", errors::kNotFound, 1);
  EXPECT_EQ(LookUpNote(ctx(), mail->EntryID()).result, NoteLookup::kAbsent);
  world.faults.Clear();
}

TEST_F(FolderIdentityTest, ANoteNeverGetsANoteOfItsOwn) {
  ol::ItemPtr note = AddNewNoteItem(ctx(), InboxItem(1)).note;
  int notes = NotesFolder(ctx())->Items()->Count();
  // No window is given for a new note of a note...
  EXPECT_EQ(GetNoteForm(ctx(), note->EntryID(), nullptr, note), nullptr);
  // ...and a window that asks anyway gets no note item made.
  NewNote made = AddNewNoteItem(ctx(), note);
  EXPECT_EQ(made.note, nullptr);
  EXPECT_EQ(made.new_item, nullptr);
  EXPECT_EQ(NotesFolder(ctx())->Items()->Count(), notes);
  // The note itself still opens, and an ordinary item still gets its window.
  EXPECT_NE(GetNoteForm(ctx(), InboxItem(1)->EntryID(), note, InboxItem(1)), nullptr);
  EXPECT_NE(GetNoteForm(ctx(), InboxItem(2)->EntryID(), nullptr, InboxItem(2)), nullptr);
}

}  // namespace
}  // namespace pinlet
