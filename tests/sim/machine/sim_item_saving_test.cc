// What an item object holds until its Save: a failed Save stores nothing,
// an item fetched again shows what is stored, a window's item keeps its
// changes until the window is closed with or without them.
#include <gmock/gmock.h>

#include "sim/machine/mailbox_json.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

class ItemSavingTest : public SimTest {
 protected:
  ItemSavingTest() { world.files.Store("C:\\Data\\plan.txt", "the plan"); }
  // Changes of every part an item object keeps.
  void Change(const ol::ItemPtr& item) {
    item->SetSubject("Changed");
    item->Put("Body", Variant("new body"));
    item->UserProperties()->Add("ZPNFullBody", ol::kOlText, true)->SetValue(
        Variant("typed"));
    item->Attachments()->Add("C:\\Data\\plan.txt");
    item->Put("FlagStatus", Variant(int32_t{2}));
  }
  void ExpectAsStored(const ol::ItemPtr& item) {
    EXPECT_EQ(item->Subject(), "Original");
    EXPECT_EQ(item->Get("Body"), Variant(""));
    EXPECT_EQ(item->UserProperties()->Find("ZPNFullBody"), nullptr);
    EXPECT_EQ(item->Attachments()->Count(), 0);
    EXPECT_EQ(item->Get("FlagStatus"), Variant(int32_t{0}));
  }
};

TEST_F(ItemSavingTest, AFailedSaveStoresNothingAndTheObjectKeepsItsChanges) {
  auto mail = NewMail("Original");
  std::string id = mail->EntryID();
  Change(mail);
  EXPECT_FALSE(mail->Saved());
  world.faults.FailMember("Item.Save", errors::kOperationFailed, 1);
  EXPECT_THROW(mail->Save(), HostError);
  world.faults.Clear();
  // The store, every fresh fetch and the mailbox file hold the item as it was.
  const ItemNode& stored = *world.store.FindItem(id);
  EXPECT_EQ(stored.subject, "Original");
  EXPECT_TRUE(stored.user_props.empty());
  EXPECT_TRUE(stored.attachments.empty());
  ExpectAsStored(ns->GetItemFromID(id));
  EXPECT_THROW(Default(ol::kFolderInbox)->Items()->Item("Changed"), HostError);
  ExpectAsStored(Default(ol::kFolderInbox)->Items()->Item("Original"));
  std::string json;
  ASSERT_TRUE(MailboxToJson(world.store, json, nullptr));
  EXPECT_EQ(json.find("typed"), std::string::npos);
  // The object still shows its changes, and its next Save stores them.
  EXPECT_FALSE(mail->Saved());
  EXPECT_EQ(mail->Subject(), "Changed");
  mail->Save();
  EXPECT_TRUE(mail->Saved());
  auto again = ns->GetItemFromID(id);
  EXPECT_EQ(again->Subject(), "Changed");
  EXPECT_EQ(again->Get("Body"), Variant("new body"));
  EXPECT_EQ(again->UserProperties()->Find("ZPNFullBody")->Value(), Variant("typed"));
  EXPECT_EQ(again->Attachments()->Count(), 1);
  EXPECT_EQ(again->Get("FlagStatus"), Variant(int32_t{2}));
  EXPECT_NE(Default(ol::kFolderInbox)->Items()->Item("Changed"), nullptr);
}

TEST_F(ItemSavingTest, ANewItemWhoseFirstSaveFailsIsNotFiled) {
  auto post = Default(ol::kFolderInbox)->Items()->Add(ol::kPostItem);
  post->SetSubject("Never stored");
  world.faults.FailMember("Item.Save", errors::kOperationFailed, 1);
  EXPECT_THROW(post->Save(), HostError);
  world.faults.Clear();
  EXPECT_EQ(post->EntryID(), "");
  EXPECT_EQ(Default(ol::kFolderInbox)->Items()->Count(), 0);
  post->Save();
  EXPECT_EQ(ns->GetItemFromID(post->EntryID())->Subject(), "Never stored");
}

TEST_F(ItemSavingTest, ObjectsOfOneItemSaveOnlyWhatTheyChanged) {
  auto mail = NewMail("Original");
  auto other = ns->GetItemFromID(mail->EntryID());
  mail->UserProperties()->Add("A", ol::kOlText, true)->SetValue(Variant("a"));
  other->Attachments()->Add("C:\\Data\\plan.txt");
  EXPECT_EQ(other->UserProperties()->Find("A"), nullptr);  // not saved yet
  other->Save();
  mail->Save();
  auto fresh = ns->GetItemFromID(mail->EntryID());
  EXPECT_EQ(fresh->UserProperties()->Find("A")->Value(), Variant("a"));
  EXPECT_EQ(fresh->Attachments()->Count(), 1);
}

TEST_F(ItemSavingTest, AWindowsItemKeepsItsChangesUntilTheWindowSavesOrDiscards) {
  auto mail = NewMail("Original");
  std::string id = mail->EntryID();
  auto window = outlook->OpenItem(mail);
  ASSERT_TRUE(window);
  ol::ItemPtr current = window->CurrentItem();
  current->SetSubject("Changed");
  EXPECT_EQ(window->CurrentItem()->Subject(), "Changed");  // the same object
  EXPECT_EQ(ns->GetItemFromID(id)->Subject(), "Original");
  window->Close(ol::kOlDiscard);
  EXPECT_EQ(ns->GetItemFromID(id)->Subject(), "Original");
  EXPECT_EQ(current->Subject(), "Original");  // its changes are gone
  window = outlook->OpenItem(ns->GetItemFromID(id));
  window->CurrentItem()->SetSubject("Kept");
  window->Close(ol::kOlSave);
  EXPECT_EQ(ns->GetItemFromID(id)->Subject(), "Kept");
}

TEST_F(ItemSavingTest, TheHelperLibrariesStoreOnlyWhatTheyWriteAndSave) {
  auto mail = NewMail("Original");
  std::string id = mail->EntryID();
  mail->UserProperties()->Add("A", ol::kOlText, true)->SetValue(Variant("a"));
  auto utils = world.objects->CreateMapiUtils();
  utils->HrSetOneProp(mail, kPrFlagStatus, Variant(int32_t{2}), false);
  EXPECT_FALSE(world.store.FindItem(id)->mapi_props.count(kPrFlagStatus));
  utils->HrSetOneProp(mail, kPrFlagIcon, Variant(int32_t{6}), true);
  const ItemNode& stored = *world.store.FindItem(id);
  EXPECT_EQ(stored.mapi_props.at(kPrFlagStatus), Variant(int32_t{2}));
  EXPECT_EQ(stored.mapi_props.at(kPrFlagIcon), Variant(int32_t{6}));
  EXPECT_TRUE(stored.user_props.empty());  // still the item's own to save
  EXPECT_FALSE(mail->Saved());
  // A CDO message keeps its fields until Update; a failed Update stores none.
  auto session = world.objects->CreateCdoSession();
  session->Logon(false, false);
  auto message = session->GetMessage(id, "");
  message->Fields()->Add("ZPNTitle", 8, Variant("title"));
  EXPECT_FALSE(world.store.FindItem(id)->FindProp("ZPNTitle"));
  world.faults.FailMember("Message.Update", errors::kOperationFailed, 1);
  EXPECT_THROW(message->Update(), HostError);
  world.faults.Clear();
  EXPECT_FALSE(world.store.FindItem(id)->FindProp("ZPNTitle"));
  message->Update();
  EXPECT_EQ(world.store.FindItem(id)->FindProp("ZPNTitle")->value, Variant("title"));
}

}  // namespace
}  // namespace pinlet::sim
