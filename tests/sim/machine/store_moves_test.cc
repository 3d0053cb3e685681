// How items move as Outlook moves them: EntryIDs by store kind, what travels
// with an item, AutoArchive, a migrated store, and Items.Find on a field.
#include "sim/machine/jet_filter.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

class StoreMovesTest : public SimTest {
 protected:
  StoreNode& Mailbox() { return *world.store.default_store(); }
  ol::FolderPtr Projects() {
    return Default(ol::kFolderInbox)->Folders()->Add("Projects", ol::kFolderInbox);
  }
  // A mail with a user property and a MAPI flag, `days` old.
  ol::ItemPtr MarkedMail(const std::string& subject, double days = 0) {
    auto mail = NewMail(subject);
    mail->UserProperties()
        ->Add("ZPNKey", ol::kOlText, true)
        ->SetValue(Variant("k-" + subject));
    mail->Save();
    NodeOf(mail)->mapi_props[0x10900003] = Variant(int32_t{2});
    NodeOf(mail)->last_modified = Date(world.clock.now().value() - days);
    return mail;
  }
};

TEST_F(StoreMovesTest, EntryIdsChangeAsTheStoresKindHasThemChange) {
  auto projects = Projects();
  world.store.AddStore("Archive", false);
  auto archive = ns->Folders()->Item("Archive");
  // A personal folders file keeps the EntryID of a move inside it.
  auto kept = MarkedMail("kept");
  std::string id = kept->EntryID();
  EXPECT_EQ(kept->Move(projects)->EntryID(), id);
  EXPECT_EQ(kept->Subject(), "kept");  // the same item
  // To another store: a new item with a new EntryID; the old one is gone.
  auto away = kept->Move(archive);
  EXPECT_NE(away->EntryID(), id);
  EXPECT_THROW(kept->Subject(), HostError);
  // In an Exchange mailbox every move gives a new one, Deleted Items too.
  Mailbox().kind = StoreKind::kExchange;
  auto mail = MarkedMail("exchanged");
  std::string first = mail->EntryID();
  auto filed = mail->Move(projects);
  EXPECT_NE(filed->EntryID(), first);
  std::string filed_id = filed->EntryID();
  filed->Delete();
  auto in_deleted = Default(ol::kFolderDeletedItems)->Items()->Item("exchanged");
  EXPECT_NE(in_deleted->EntryID(), filed_id);
  EXPECT_THROW(filed->Subject(), HostError);  // that item is gone
  EXPECT_THROW(ns->GetItemFromID(first), HostError);
}

TEST_F(StoreMovesTest, WhatTravelsWithAMoveAndWithACopy) {
  Mailbox().kind = StoreKind::kExchange;
  auto mail = MarkedMail("travel");
  auto node = NodeOf(mail);
  world.clock.AdvanceSeconds(3600);
  auto moved = NodeOf(mail->Move(Projects()));
  EXPECT_EQ(moved->search_key, node->search_key);
  EXPECT_EQ(moved->created, node->created);
  EXPECT_EQ(ToText(moved->FindProp("ZPNKey")->value), "k-travel");
  EXPECT_EQ(moved->mapi_props[0x10900003], Variant(int32_t{2}));
  EXPECT_EQ(moved->former_ids, std::vector<std::string>{node->entry_id});
  auto copy = world.store.CopyItem(*moved, *moved->folder, world.clock.now());
  EXPECT_NE(copy->entry_id, moved->entry_id);
  EXPECT_EQ(copy->search_key, moved->search_key);
  EXPECT_EQ(copy->created, world.clock.now());
  EXPECT_EQ(ToText(copy->FindProp("ZPNKey")->value), "k-travel");
  EXPECT_TRUE(copy->former_ids.empty());
}

TEST_F(StoreMovesTest, GetItemFromIdWithoutAStoreIdAsksTheDefaultStoreOnly) {
  StoreNode& archive = world.store.AddStore("Archive", false);
  auto old = world.store.NewItem(*archive.root, "IPM.Note");
  world.store.SaveItem(old, world.clock.now());
  EXPECT_THROW(ns->GetItemFromID(old->entry_id), HostError);
  EXPECT_EQ(ns->GetItemFromID(old->entry_id, archive.store_id)->EntryID(), old->entry_id);
  auto mail = NewMail("here");
  EXPECT_EQ(ns->GetItemFromID(mail->EntryID())->EntryID(), mail->EntryID());
}

TEST_F(StoreMovesTest, AutoArchiveMovesOldItemsOfItsFoldersUnderTheSamePath) {
  auto sent = NewMail("sent long ago", ol::kFolderSentMail);
  NodeOf(sent)->last_modified = Date(world.clock.now().value() - 200);
  auto recent = NewMail("sent today", ol::kFolderSentMail);
  auto inbox_old = MarkedMail("inbox, old", 400);  // Inbox is not archived
  auto archived = world.store.ArchiveOldItems(world.clock.now(), 180);
  ASSERT_EQ(archived.size(), 1u);
  EXPECT_EQ(archived[0]->subject, "sent long ago");
  auto there = ns->Folders()->Item("Archive")->Folders()->Item("Sent Items")->Items();
  EXPECT_EQ(there->Item("sent long ago")->Parent()->FolderPath(),
            "\\\\Archive\\Sent Items");
  EXPECT_EQ(recent->Parent()->Name(), "Sent Items");
  EXPECT_EQ(inbox_old->Parent()->Name(), "Inbox");
  // A received mail is as old as its receipt when that is later.
  NodeOf(recent)->last_modified = Date(world.clock.now().value() - 300);
  NodeOf(recent)->members["ReceivedTime"] = Variant(world.clock.now());
  EXPECT_TRUE(world.store.ArchiveOldItems(world.clock.now(), 180).empty());
}

TEST_F(StoreMovesTest, AMigratedStoreHasNewIdentifiersAndTheOldOneIsGone) {
  Mailbox().kind = StoreKind::kExchange;
  auto mail = MarkedMail("moving house");
  auto folder = Projects();
  std::string old_store = Mailbox().store_id, old_folder = folder->EntryID();
  auto node = NodeOf(mail);
  StoreNode& copy = world.store.MigrateStore(Mailbox(), world.clock.now());
  EXPECT_EQ(world.store.default_store(), &copy);
  EXPECT_EQ(copy.name, "Mailbox");
  EXPECT_EQ(copy.kind, StoreKind::kExchange);
  EXPECT_NE(copy.store_id, old_store);
  EXPECT_EQ(world.store.FindFolder(old_folder), nullptr);
  EXPECT_THROW(mail->Subject(), HostError);
  auto moved = Default(ol::kFolderInbox)->Items()->Item("moving house");
  EXPECT_NE(moved->EntryID(), node->entry_id);
  EXPECT_EQ(NodeOf(moved)->search_key, node->search_key);
  EXPECT_EQ(moved->UserProperties()->Find("ZPNKey")->Value(), Variant("k-moving house"));
  EXPECT_EQ(Default(ol::kFolderInbox)->Folders()->Item("Projects")->Name(), "Projects");
}

TEST_F(StoreMovesTest, FindAnswersAFieldOfTheFolderFromItsIndex) {
  auto items = Default(ol::kFolderInbox)->Items();
  auto first = MarkedMail("first");
  auto second = MarkedMail("it's");
  EXPECT_EQ(items->Find("[ZPNKey] = 'k-first'")->EntryID(), first->EntryID());
  EXPECT_EQ(items->Find("[zpnkey] = \"k-it's\"")->EntryID(), second->EntryID());
  EXPECT_EQ(items->Find("[ZPNKey] = 'k-it''s'")->EntryID(), second->EntryID());
  EXPECT_EQ(items->Find("[ZPNKey] = 'none'"), nullptr);
  EXPECT_EQ(items->Find("[Subject] = 'first'")->EntryID(), first->EntryID());
  // The index follows changes and moves.
  first->UserProperties()->Find("ZPNKey")->SetValue(Variant("changed"));
  EXPECT_EQ(items->Find("[ZPNKey] = 'changed'"), nullptr);  // not saved yet
  first->Save();
  EXPECT_EQ(items->Find("[ZPNKey] = 'changed'")->EntryID(), first->EntryID());
  EXPECT_EQ(items->Find("[ZPNKey] = 'k-first'"), nullptr);
  first->Move(Projects());
  EXPECT_EQ(items->Find("[ZPNKey] = 'changed'"), nullptr);
  // Filters Outlook refuses: a field the folder does not define, EntryID,
  // and what is not a comparison.
  EXPECT_THROW(items->Find("[Undefined] = 'x'"), HostError);
  EXPECT_THROW(items->Find("[EntryID] = 'x'"), HostError);
  EXPECT_THROW(items->Find("ZPNKey = 'x'"), HostError);
  EXPECT_THROW(items->Find("[ZPNKey] = 'x"), HostError);
}

TEST(JetFilterTest, OneComparisonOfAFieldWithAQuotedText) {
  auto parsed = ParseJetEquality("  [A b] = \"say \"\"hi\"\"\"  ");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->field, "A b");
  EXPECT_EQ(parsed->value, "say \"hi\"");
  EXPECT_FALSE(ParseJetEquality("[A] = 'x' AND [B] = 'y'"));
  EXPECT_FALSE(ParseJetEquality("[] = 'x'"));
  EXPECT_FALSE(ParseJetEquality("[A] <> 'x'"));
  EXPECT_TRUE(RefusedByFind("entryid"));
  EXPECT_FALSE(RefusedByFind("ZPNKey"));
}

}  // namespace
}  // namespace pinlet::sim
