// The host's store rules: identifiers, the subject index, delete and move.
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

TEST_F(SimTest, AnItemHasNoEntryIdUntilItsFirstSave) {
  auto item = Default(ol::kFolderInbox)->Items()->Add("IPM.Note");
  EXPECT_EQ(item->EntryID(), "");
  EXPECT_EQ(Default(ol::kFolderInbox)->Items()->Count(), 0);
  world.clock.AdvanceSeconds(60);
  item->Save();
  std::string id = item->EntryID();
  EXPECT_FALSE(id.empty());
  EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(item->LastModificationTime(), world.clock.now());
  item->Save();
  EXPECT_EQ(item->EntryID(), id);
  EXPECT_EQ(Default(ol::kFolderInbox)->Items()->Count(), 1);
  EXPECT_EQ(ns->GetItemFromID(id)->EntryID(), id);
  EXPECT_NE(NewMail("other")->EntryID(), id);
}

TEST_F(SimTest, ItemsBySubjectFollowsRenamesAndPrefersTheEarliest) {
  auto items = Default(ol::kFolderInbox)->Items();
  auto first = NewMail("Budget");
  auto second = NewMail("budget");
  EXPECT_EQ(items->Item("BUDGET")->EntryID(), first->EntryID());
  // The folder finds a renamed item by its new subject once it is saved.
  first->SetSubject("Renamed");
  EXPECT_EQ(items->Item("Budget")->EntryID(), first->EntryID());
  first->Save();
  EXPECT_EQ(items->Item("Budget")->EntryID(), second->EntryID());
  first->SetSubject("Budget");
  first->Save();
  EXPECT_EQ(items->Item("Budget")->EntryID(), first->EntryID());
  EXPECT_THROW(items->Item("Renamed"), HostError);
}

TEST_F(SimTest, FailedLookupsRaise) {
  auto items = Default(ol::kFolderInbox)->Items();
  EXPECT_THROW(items->Item("nothing"), HostError);
  EXPECT_THROW(items->Item(1), HostError);
  EXPECT_THROW(Default(ol::kFolderNotes)->Folders()->Item("Pinlet"), HostError);
  EXPECT_THROW(ns->GetFolderFromID("00"), HostError);
  EXPECT_THROW(ns->GetItemFromID("00"), HostError);
  EXPECT_THROW(ns->GetDefaultFolder(99), HostError);
  auto folder = Default(ol::kFolderInbox);
  EXPECT_THROW(ns->GetFolderFromID(folder->EntryID(), "FFFF"), HostError);
  EXPECT_EQ(ns->GetFolderFromID(folder->EntryID())->Name(), "Inbox");
}

TEST_F(SimTest, DeleteGoesToDeletedItemsAndFromThereForGood) {
  auto mail = NewMail("Old");
  std::string id = mail->EntryID();
  mail->Delete();
  EXPECT_EQ(Default(ol::kFolderInbox)->Items()->Count(), 0);
  auto deleted = Default(ol::kFolderDeletedItems);
  EXPECT_EQ(deleted->Items()->Item("Old")->EntryID(), id);
  EXPECT_EQ(mail->Parent()->Name(), "Deleted Items");
  mail->Delete();
  EXPECT_EQ(deleted->Items()->Count(), 0);
  EXPECT_THROW(mail->Subject(), HostError);
  EXPECT_THROW(ns->GetItemFromID(id), HostError);
}

TEST_F(SimTest, MoveKeepsTheIdInTheStoreAndTheItemsIndexRight) {
  auto mail = NewMail("Travel");
  auto target = Default(ol::kFolderInbox)->Folders()->Add("Trips", ol::kFolderInbox);
  auto moved = mail->Move(target);
  EXPECT_EQ(moved->EntryID(), mail->EntryID());
  EXPECT_EQ(target->Items()->Item("Travel")->EntryID(), mail->EntryID());
  EXPECT_THROW(Default(ol::kFolderInbox)->Items()->Item("Travel"), HostError);
  EXPECT_EQ(target->FolderPath(), "\\\\Mailbox\\Inbox\\Trips");
}

TEST_F(SimTest, FoldersAreAddedOnceAndDeletedToDeletedItems) {
  auto notes = Default(ol::kFolderNotes);
  auto pinlet = notes->Folders()->Add("Pinlet", ol::kFolderInbox);
  EXPECT_THROW(notes->Folders()->Add("pinlet", ol::kFolderInbox), HostError);
  EXPECT_EQ(notes->Folders()->Item("PINLET")->EntryID(), pinlet->EntryID());
  pinlet->Delete();
  EXPECT_THROW(notes->Folders()->Item("Pinlet"), HostError);
  auto in_deleted = Default(ol::kFolderDeletedItems)->Folders()->Item("Pinlet");
  EXPECT_EQ(ns->GetFolderFromID(pinlet->EntryID())->FolderPath(),
            "\\\\Mailbox\\Deleted Items\\Pinlet");
  in_deleted->Delete();
  EXPECT_THROW(ns->GetFolderFromID(pinlet->EntryID()), HostError);
  EXPECT_THROW(pinlet->Name(), HostError);
}

TEST_F(SimTest, StoresAreListedInProfileOrder) {
  world.store.AddStore("Archive", false);
  auto roots = ns->Folders();
  ASSERT_EQ(roots->Count(), 2);
  EXPECT_EQ(roots->Item(1)->Name(), "Mailbox");
  EXPECT_EQ(roots->Item(2)->Name(), "Archive");
  EXPECT_NE(roots->Item(1)->StoreID(), roots->Item(2)->StoreID());
  EXPECT_EQ(roots->Item(2)->Parent(), nullptr);
}

TEST_F(SimTest, LookupBySubjectStaysFastInAHugeFolder) {
  // Not a timing test: the index answers without looking at other items,
  // which the call counter shows (one host call per lookup).
  auto folder = Default(ol::kFolderInbox);
  for (int i = 0; i < 20000; ++i) {
    auto node = world.store.NewItem(*NodeOf(folder), "IPM.Note");
    node->subject = "S" + std::to_string(i);
    world.store.SaveItem(node, world.clock.now());
  }
  auto items = folder->Items();
  int64_t before = world.faults.call_count();
  EXPECT_EQ(items->Item("S19999")->Subject(), "S19999");
  EXPECT_EQ(world.faults.call_count() - before, 2);
}

}  // namespace
}  // namespace pinlet::sim
