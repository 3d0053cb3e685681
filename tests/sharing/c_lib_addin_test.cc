#include "sharing/c_lib_addin.h"

#include <gmock/gmock.h>

#include "sharing_fixture.h"
#include "store/shared_folders.h"

namespace pinlet {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class ExtensionTest : public SharingTest {
 protected:
  void SetUp() override {
    SharingTest::SetUp();
    // A personal folders file: an item the product deletes keeps its
    // EntryID in Deleted Items, so each test follows one item there.
    world.store.default_store()->kind = sim::StoreKind::kPst;
    world.sharing.Install();
    Start();
  }
  ol::FolderPtr Default(int number) { return ns()->GetDefaultFolder(number); }
  ol::ItemPtr NewMail(const std::string& subject, int folder = ol::kFolderInbox) {
    auto mail = Default(folder)->Items()->Add(ol::kMailItem);
    mail->SetSubject(subject);
    mail->Save();
    return mail;
  }
  void Deleted(const ol::ItemPtr& item) {
    bool result = false;
    Extension().onItemDeleted(item, result);
  }
  std::string FolderOf(const ol::ItemPtr& item) {
    return sim::NodeOf(item)->folder->name;
  }
  std::string Entry(const ol::FolderPtr& folder) {
    return folder->EntryID() + "=" + folder->StoreID();
  }
  int NotesInFolder() { return NotesFolder(ctx())->Items()->Count(); }
};

TEST_F(ExtensionTest, TheNoteOfAnItemTheProductDeletedFollowsItIntoDeletedItems) {
  auto mail = InboxItem(2);
  auto note = AddNote(mail);
  ASSERT_TRUE(note);
  auto deletion = DeleteShared(mail);
  ASSERT_TRUE(deletion);
  EXPECT_EQ(deletion->extensions_called, 1);
  EXPECT_EQ(FolderOf(mail), "Deleted Items");
  EXPECT_EQ(FolderOf(note), "Deleted Items");
  EXPECT_EQ(NotesInFolder(), 0);
  EXPECT_EQ(Prop(note, "ZPNFolder"), "Deleted Items");
  EXPECT_EQ(Prop(note, "FolderPath"), "\\\\Mailbox - Pat Kelly\\Deleted Items");
  EXPECT_EQ(Prop(note, "ZPNTitle"), mail->Subject());
  // The item keeps its note, and its marking.
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "TRUE");
  // Deleted Items holds no shared items: nothing is recorded or reported.
  EXPECT_THAT(SharedEntries(), IsEmpty());
  EXPECT_THAT(Reported(), IsEmpty());
}

TEST_F(ExtensionTest, AnItemNotMarkedTrueIsLeftAlone) {
  auto plain = InboxItem(3);
  auto marked_false = InboxItem(4);
  auto note = AddNote(marked_false);
  sim::NodeOf(marked_false)->FindProp("ZPNHasNote")->value = Variant("FALSE");
  world.faults.set_logging(true);
  Deleted(plain);
  DeleteShared(marked_false);
  // Only the markers were read: nothing of the registry or the notes folder.
  std::vector<std::string_view> members;
  for (const auto& call : world.faults.calls()) members.push_back(call.member);
  EXPECT_EQ(FolderOf(note), "Pinlet");
  EXPECT_EQ(Prop(note, "ZPNFolder"), "Inbox");
  EXPECT_THAT(SharedEntries(), IsEmpty());
  EXPECT_THAT(members,
              testing::Each(testing::AnyOf("Item.Class", "Item.UserProperties",
                                           "UserProperties.Find", "UserProperty.Value")));
}

TEST_F(ExtensionTest, AFolderOfSharedItemsIsRecordedOnceAndReportedOnce) {
  auto first = NewMail("first");
  auto second = NewMail("second");
  auto note = AddNote(first);
  AddNote(second);
  Deleted(first);   // as the product reports an item it removed from its folder
  Deleted(second);  // another item of the same folder
  Deleted(first);
  EXPECT_THAT(SharedEntries(), ElementsAre(Entry(Inbox())));
  EXPECT_THAT(Reported(), ElementsAre(Entry(Inbox())));
  // Outside Deleted Items the note records the folder and stays.
  EXPECT_EQ(FolderOf(note), "Pinlet");
  EXPECT_EQ(Prop(note, "FolderPath"), "\\\\Mailbox - Pat Kelly\\Inbox");
}

TEST_F(ExtensionTest, OutboxDraftsAndDeletedItemsAreNeverRecorded) {
  for (int folder : {ol::kFolderOutbox, ol::kFolderDrafts, ol::kFolderDeletedItems}) {
    auto mail = NewMail("in " + std::to_string(folder), folder);
    auto note = AddNote(mail);
    Deleted(mail);
    EXPECT_EQ(FolderOf(note),
              folder == ol::kFolderDeletedItems ? "Deleted Items" : "Pinlet")
        << folder;
    EXPECT_EQ(Prop(note, "ZPNFolder"), Default(folder)->Name()) << folder;
  }
  EXPECT_THAT(SharedEntries(), IsEmpty());
  EXPECT_THAT(Reported(), IsEmpty());
  // Nor is any folder when the default folders cannot be told apart.
  auto mail = NewMail("unknown");
  AddNote(mail);
  world.faults.FailMember("NameSpace.GetDefaultFolder", errors::kOperationFailed, 1);
  Deleted(mail);
  EXPECT_THAT(SharedEntries(), IsEmpty());
}

TEST_F(ExtensionTest, ADocumentIsReadThroughTheOneSharedCdoSession) {
  auto doc = NewDocument("Budget.doc");
  auto note = AddNote(doc);
  ASSERT_TRUE(note);
  int sessions = Factory().cdo_sessions_created;
  DeleteShared(doc);
  ASSERT_TRUE(ctx().cdo_session);
  EXPECT_EQ(FolderOf(note), "Deleted Items");
  EXPECT_EQ(ToText(sim::NodeOf(note)->FindProp("ZPNFolder")->value), "Deleted Items");
  // One session for the marker, the marking and the note's fields.
  EXPECT_EQ(Factory().cdo_sessions_created, sessions + 1);
  // A document whose marker field is missing is not marked.
  auto other = NewDocument("Other.doc");
  AddNote(other);
  sim::NodeOf(other)->user_props.clear();
  auto before = world.sharing.deletions().size();
  DeleteShared(other);
  EXPECT_EQ(world.sharing.deletions().size(), before + 1);
  EXPECT_EQ(NotesInFolder(), 1);
}

TEST_F(ExtensionTest, ANoteNotFoundAtFirstIsLookedUpAgain) {
  auto mail = InboxItem(5);
  auto note = AddNote(mail);
  world.faults.FailMember("Items.Item", errors::kNotFound, 1);
  DeleteShared(mail);
  EXPECT_EQ(world.faults.failures_raised(), 1);
  EXPECT_EQ(FolderOf(note), "Deleted Items");
  // A note that is not there at all is simply not found.
  auto lone = InboxItem(6);
  lone->UserProperties()->Add("ZPNHasNote", ol::kOlText, true)->SetValue(Variant("TRUE"));
  lone->Save();
  DeleteShared(lone);
  EXPECT_EQ(FolderOf(lone), "Deleted Items");
}

TEST_F(ExtensionTest, EveryHostCallOfADeletionFailingInTurnKeepsTheNote) {
  auto probe = NewMail("probe");
  AddNote(probe);
  int64_t before = world.faults.call_count();
  DeleteShared(probe);
  int64_t calls = world.faults.call_count() - before;
  ASSERT_GT(calls, 10);
  for (int64_t n = 1; n <= calls; ++n) {
    auto mail = NewMail("mail " + std::to_string(n));
    auto note = AddNote(mail);
    ASSERT_TRUE(note) << n;
    world.faults.FailCall(world.faults.call_count() + n);
    DeleteShared(mail);
    world.faults.Clear();
    // Wherever it lies, the note is whole.
    std::string folder = FolderOf(note);
    EXPECT_TRUE(folder == "Pinlet" || folder == "Deleted Items") << n << " " << folder;
    EXPECT_FALSE(sim::NodeOf(note)->gone) << n;
    EXPECT_EQ(Prop(note, "ZPNTitle"), "mail " + std::to_string(n)) << n;
    std::string recorded = Prop(note, "ZPNFolder");
    EXPECT_TRUE(recorded == "Inbox" || recorded == "Deleted Items")
        << n << " " << recorded;
  }
}

TEST_F(ExtensionTest, TheOtherMembersKeepNothingAndAnswerTrue) {
  EXPECT_EQ(Extension().ProductCode(), "Pinlet");
  EXPECT_EQ(Extension().DatabasePath(), kDatabase);
  auto mail = InboxItem(1);
  auto inbox = Inbox();
  int64_t calls = world.faults.call_count();
  bool added = false, changed = false, received = false, resent = false;
  Extension().onItemAdded(mail, added);
  Extension().onItemChanged(mail, changed);
  Extension().onItemReceived(mail, "from Ravi", received);
  Extension().onItemResend(mail, "to Ravi", resent);
  Extension().onFolderReceived(inbox, "info");
  Extension().onPostprocess("a", "b");
  EXPECT_TRUE(added && changed && received && resent);
  EXPECT_EQ(world.faults.call_count(), calls);
  // Nothing at all is not even looked at.
  bool result = false;
  Extension().onItemDeleted(nullptr, result);
  EXPECT_FALSE(result);
}

TEST_F(ExtensionTest, TheSharedBookkeepingWritesOnlyWhatItKnowsToBeNew) {
  auto inbox = Inbox();
  std::string id = inbox->EntryID(), store = inbox->StoreID();
  EXPECT_FALSE(RecordSharedFolder(ctx(), "", store));
  // An unreadable registry says nothing of what is recorded: nothing is written.
  world.faults.FailMember("RegQueryValueEx", errors::kOperationFailed, 1);
  EXPECT_FALSE(RecordSharedFolder(ctx(), id, store));
  // A failed write is not reported to the engine, so it is tried again later.
  world.faults.FailMember("RegSetValueEx", errors::kOperationFailed, 1);
  EXPECT_FALSE(RecordSharedFolder(ctx(), id, store));
  EXPECT_THAT(Reported(), IsEmpty());
  // A failing report keeps the entry, which the next start reports again.
  world.faults.FailMember("RelaybookEngine.AddSharedFolder", errors::kOperationFailed, 1);
  EXPECT_TRUE(RecordSharedFolder(ctx(), id, store));
  EXPECT_FALSE(RecordSharedFolder(ctx(), id, store));
  EXPECT_THAT(SharedEntries(), ElementsAre(id + "=" + store));
  EXPECT_THAT(Reported(), IsEmpty());
  // Without the product the entry is only written.
  ctx().sharing_registration.reset();
  auto drafts = Default(ol::kFolderDrafts);
  EXPECT_TRUE(RecordSharedFolder(ctx(), drafts->EntryID(), drafts->StoreID()));
  EXPECT_THAT(Reported(), IsEmpty());
}

}  // namespace
}  // namespace pinlet
