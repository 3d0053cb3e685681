#include "store/note_link.h"

#include <gmock/gmock.h>

#include "sim/machine/host_session.h"
#include "store/note_windows.h"
#include "store/parent_marking.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

class NoteLinkTest : public StoreTest {
 protected:
  // A note for the item, made as the note window makes one.
  ol::ItemPtr AddNote(const ol::ItemPtr& item) {
    NewNote made = AddNewNoteItem(ctx(), item);
    SetParentItemProperties(ctx(), item, true);
    KeepLink(ctx(), item, made.note);
    return made.note;
  }
  ol::FolderPtr Folder(const std::string& path) {
    ol::FolderPtr folder = Inbox();
    if (path == "Projects") return folder->Folders()->Item("Projects");
    if (path == "Archive")
      return ns()->Folders()->Item("Archive")->Folders()->Item("2025");
    return folder;
  }
  std::shared_ptr<sim::ItemNode> Stored(const ol::ItemPtr& item) {
    return sim::NodeOf(item);
  }
};

TEST_F(NoteLinkTest, AMovedItemFindsItsNoteAndTheNoteFollowsIt) {
  Start();
  ol::ItemPtr mail = InboxItem(2);
  ol::ItemPtr note = AddNote(mail);
  std::string key = Prop(note, kKeyProperty);
  EXPECT_EQ(key, mail->EntryID());
  EXPECT_EQ(Prop(mail, kKeyProperty), key);
  EXPECT_EQ(Prop(note, kStoreIdProperty), Inbox()->StoreID());
  // Across stores (a new EntryID) and inside the Exchange mailbox (another).
  for (const char* where : {"Archive", "Projects"}) {
    SCOPED_TRACE(where);
    std::string before = mail->EntryID();
    ol::ItemPtr moved = mail->Move(Folder(where));
    ASSERT_NE(moved->EntryID(), before);
    NoteSearch found = FindNoteOf(ctx(), moved);
    ASSERT_EQ(found.result, NoteLookup::kFound);
    EXPECT_EQ(found.note->EntryID(), note->EntryID());
    EXPECT_EQ(Stored(found.note)->subject, moved->EntryID());
    EXPECT_EQ(Prop(found.note, kStoreIdProperty), moved->Parent()->StoreID());
    EXPECT_EQ(Prop(found.note, "FolderPath"), moved->Parent()->FolderPath());
    EXPECT_EQ(Prop(found.note, kKeyProperty), key);
    EXPECT_EQ(FindItemOf(ctx(), found.note).item->EntryID(), moved->EntryID());
    mail = moved;
  }
}

TEST_F(NoteLinkTest, ACopyNeverTakesTheNoteAndMayHaveItsOwn) {
  Start();
  ol::ItemPtr mail = InboxItem(2);
  ol::ItemPtr note = AddNote(mail);
  auto copy_node =
      world.store.CopyItem(*Stored(mail), *Node(Folder("Projects")), world.clock.now());
  ol::ItemPtr copy = sim::WrapItem(&world, copy_node);
  EXPECT_EQ(copy_node->search_key, Stored(mail)->search_key);
  EXPECT_EQ(Prop(copy, "ZPNHasNote"), "TRUE");  // copied with the item
  EXPECT_EQ(FindNoteOf(ctx(), copy).result, NoteLookup::kAbsent);
  EXPECT_EQ(FindNoteOf(ctx(), mail).note->EntryID(), note->EntryID());
  EXPECT_EQ(Stored(note)->subject, mail->EntryID());
  // The copy's own note gets a key of its own, so each item finds its note
  // after both moved.
  ol::ItemPtr own = AddNote(copy);
  EXPECT_EQ(Prop(copy, kKeyProperty), copy->EntryID());
  ol::ItemPtr moved_copy = copy->Move(Inbox());
  ol::ItemPtr moved_mail = mail->Move(Folder("Projects"));
  EXPECT_EQ(FindNoteOf(ctx(), moved_copy).note->EntryID(), own->EntryID());
  EXPECT_EQ(FindNoteOf(ctx(), moved_mail).note->EntryID(), note->EntryID());
}

TEST_F(NoteLinkTest, ADocumentKeepsItsKeyAsACdoFieldAndIsRelinked) {
  Start();
  auto doc = Inbox()->Items()->Add(std::string_view("IPM.Document.Excel.Sheet.8"));
  doc->SetSubject("Budget.xls");
  doc->Save();
  ol::ItemPtr note = AddNote(doc);
  auto session = world.objects->CreateCdoSession();
  session->Logon(false, false);
  auto fields = session->GetMessage(doc->EntryID(), "")->Fields();
  EXPECT_EQ(fields->Item(kKeyProperty)->Value(), Variant(doc->EntryID()));
  ol::ItemPtr moved = doc->Move(Folder("Projects"));
  NoteSearch found = FindNoteOf(ctx(), moved);
  ASSERT_EQ(found.result, NoteLookup::kFound);
  EXPECT_EQ(Stored(note)->subject, moved->EntryID());
  auto note_fields = session->GetMessage(note->EntryID(), "")->Fields();
  EXPECT_EQ(note_fields->Item("ZPNFolder")->Value(), Variant("Projects"));
}

TEST_F(NoteLinkTest, AnOlderNoteGetsItsKeyWhenFoundByEntryIdAndIsNotRelinked) {
  Start();
  ol::ItemPtr mail = InboxItem(3);
  NewNote made = AddNewNoteItem(ctx(), mail);  // as earlier versions left it
  SetParentItemProperties(ctx(), mail, true);
  ASSERT_EQ(Prop(made.note, kKeyProperty), "(none)");
  Date saved = Stored(made.note)->last_modified;
  NoteSearch found = FindNoteOf(ctx(), mail);
  ASSERT_EQ(found.result, NoteLookup::kFound);
  EXPECT_EQ(Stored(made.note)->subject, mail->EntryID());
  EXPECT_EQ(Prop(made.note, kKeyProperty), mail->EntryID());
  EXPECT_EQ(Prop(mail, kKeyProperty), mail->EntryID());
  // Found again, nothing more is written.
  world.clock.AdvanceSeconds(60);
  saved = Stored(made.note)->last_modified;
  FindNoteOf(ctx(), mail);
  EXPECT_EQ(Stored(made.note)->last_modified, saved);
}

TEST_F(NoteLinkTest, AnItemGoneForGoodLeavesItsNoteANote) {
  Start();
  ol::ItemPtr mail = InboxItem(4);
  ol::ItemPtr note = AddNote(mail);
  world.store.DeleteItem(world.store.DeleteItem(Stored(mail), world.clock.now()),
                         world.clock.now());
  ItemSearch search = FindItemOf(ctx(), note);
  EXPECT_EQ(search.item, nullptr);
  EXPECT_TRUE(search.gone);
  EXPECT_EQ(Node(NotesFolder(ctx()))->items.size(), 1u);
}

TEST_F(NoteLinkTest, ANoteThatRecordsNoStoreFindsItsItemInAnyStore) {
  Start();
  ol::ItemPtr old = Folder("Archive")->Items()->Item(1);
  NewNote made = AddNewNoteItem(ctx(), old);  // no store recorded
  // Outlook finds it by EntryID alone only in the default store.
  EXPECT_THROW(ns()->GetItemFromID(old->EntryID()), HostError);
  EXPECT_EQ(FindItemOf(ctx(), made.note).item->EntryID(), old->EntryID());
}

// A machine of its own for each run of a sweep.
struct Machine {
  Machine() {
    InstallSampleWorld(world);
    session = std::make_unique<sim::HostSession>(&world, [this](const Platform& p) {
      Subsystems s;
      InstallStore(s);
      addin = std::make_shared<Connect>(p, s);
      return addin;
    });
    session->Start();
  }
  AddinContext& ctx() { return addin->context(); }
  sim::World world;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
};

// Every host call of a relink failing in turn: the note is relinked, or
// stays as it was; never two notes for the item, never a wrong link.
TEST(NoteLinkSweepTest, EveryHostCallOfARelinkFailingInTurnLeavesTheNoteWhole) {
  int64_t calls = 0;
  for (int64_t fail = 0; fail == 0 || fail <= calls; ++fail) {
    SCOPED_TRACE("failing call " + std::to_string(fail));
    Machine m;
    AddinContext& ctx = m.ctx();
    ol::FolderPtr inbox = ctx.name_space->GetDefaultFolder(ol::kFolderInbox);
    ol::ItemPtr mail = inbox->Items()->Item(2);
    NewNote made = AddNewNoteItem(ctx, mail);
    SetParentItemProperties(ctx, mail, true);
    KeepLink(ctx, mail, made.note);
    auto note = sim::NodeOf(made.note);
    std::string old_id = mail->EntryID();
    ol::ItemPtr moved = mail->Move(inbox->Folders()->Item("Projects"));
    int64_t mark = m.world.faults.call_count();
    if (fail > 0) m.world.faults.FailCall(mark + fail);
    NoteSearch found = FindNoteOf(ctx, moved);
    if (fail == 0) calls = m.world.faults.call_count() - mark;
    m.world.faults.Clear();
    EXPECT_TRUE(note->subject == old_id || note->subject == moved->EntryID())
        << note->subject;
    EXPECT_EQ(ToText(note->FindProp("ZPNTitle")->value), "Lunch on Thursday?");
    int linked = 0;
    for (auto& item : note->folder->items)
      linked += item->subject == old_id || item->subject == moved->EntryID();
    EXPECT_EQ(linked, 1);
    if (found.result == NoteLookup::kFound) {
      EXPECT_EQ(note->subject, moved->EntryID());
    }
    // Whatever failed, the next look finds it.
    ol::ItemPtr again = FindNoteOf(ctx, moved).note;
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->EntryID(), note->entry_id);
    FailOnDefects(m.world);
  }
  EXPECT_GT(calls, 5);
}

}  // namespace
}  // namespace pinlet
