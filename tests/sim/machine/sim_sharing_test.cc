#include "sim/machine/sim_sharing.h"

#include <gmock/gmock.h>

#include "sim/machine/sim_mapi_helpers.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

// An extension that records what the product asked of it.
class RecordingExtension : public IRelaybookExt {
 public:
  std::string DatabasePath() override { return "C:\\Data\\relaybook.mdb"; }
  std::string ProductCode() override { return "Test"; }
  void onItemAdded(const ol::ItemPtr&, bool&) override {}
  void onItemChanged(const ol::ItemPtr&, bool&) override {}
  void onItemDeleted(const ol::ItemPtr& item, bool& result) override {
    if (throw_on_delete) throw std::runtime_error("broken extension");
    // An item deleted for good has no folder any more.
    std::string folder = TryGet([&] { return item->Parent()->Name(); });
    deleted.push_back(folder + ": " + TryGet([&] { return item->Subject(); }));
    result = true;
  }
  void onItemReceived(const ol::ItemPtr&, const std::string&, bool&) override {}
  void onItemResend(const ol::ItemPtr&, const std::string&, bool&) override {}
  void onFolderReceived(const ol::FolderPtr&, const std::string&) override {}
  void onPostprocess(const std::string&, const std::string&) override {}

  bool throw_on_delete = false;
  std::vector<std::string> deleted;
};

class SimSharingTest : public SimTest {
 protected:
  std::shared_ptr<SharingProduct> Create() {
    return world.objects->CreateSharingProduct();
  }
};

TEST_F(SimSharingTest, NotInstalledTheEngineCannotBeCreated) {
  try {
    Create();
    FAIL() << "created";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kCannotCreateObject);
    EXPECT_EQ(e.source(), "Relaybook.Engine");
  }
  EXPECT_FALSE(world.files.IsFile(world.install_dir + "relaybook.mdb"));
}

TEST_F(SimSharingTest, InstalledItLeavesItsTemplateAndRecordsEachRegistration) {
  world.sharing.Install();
  EXPECT_TRUE(world.files.IsFile(world.install_dir + "relaybook.mdb"));
  auto extension = std::make_shared<RecordingExtension>();
  auto engine = Create()->AddExtension(extension);
  ASSERT_EQ(world.sharing.registrations().size(), 1u);
  EXPECT_EQ(world.sharing.registrations()[0]->product_code, "Test");
  EXPECT_EQ(world.sharing.registrations()[0]->database_path, "C:\\Data\\relaybook.mdb");
  EXPECT_EQ(world.sharing.live_registrations(), 1);

  auto inbox = Default(ol::kFolderInbox);
  engine->AddSharedFolder(inbox->EntryID(), inbox->StoreID());
  engine->AddSharedFolder("0BAD", "");
  ASSERT_EQ(world.sharing.reported_folders().size(), 2u);
  EXPECT_EQ(world.sharing.reported_folders()[0].folder_path, "\\\\Mailbox\\Inbox");
  EXPECT_EQ(world.sharing.reported_folders()[1].folder_path, "");

  // Releasing the engine interface ends the registration.
  engine.reset();
  EXPECT_EQ(world.sharing.live_registrations(), 0);
  EXPECT_THROW(Create()->AddExtension(nullptr), HostError);
}

TEST_F(SimSharingTest, DeletingASharedItemMovesItAndTellsTheExtensionsInForce) {
  world.sharing.Install();
  auto extension = std::make_shared<RecordingExtension>();
  auto engine = Create()->AddExtension(extension);
  auto released = std::make_shared<RecordingExtension>();
  Create()->AddExtension(released);  // its engine interface is dropped at once
  auto mail = NewMail("Shared plan");
  int64_t calls = world.faults.call_count();

  auto deletion = world.sharing.DeleteSharedItem(NodeOf(mail));
  ASSERT_TRUE(deletion);
  EXPECT_EQ(deletion->folder_path, "\\\\Mailbox\\Deleted Items");
  EXPECT_EQ(deletion->extensions_called, 1);
  EXPECT_THAT(deletion->answers, testing::ElementsAre(true));
  EXPECT_THAT(extension->deleted, testing::ElementsAre("Deleted Items: Shared plan"));
  EXPECT_TRUE(released->deleted.empty());
  // The product's own work is no call of the add-in's; the extension's are.
  EXPECT_EQ(world.faults.call_count(), calls + 3);

  // From Deleted Items it goes for good; the extension still hears of it.
  extension->deleted.clear();
  deletion = world.sharing.DeleteSharedItem(NodeOf(mail));
  ASSERT_TRUE(deletion);
  EXPECT_EQ(deletion->folder_path, "");
  EXPECT_THAT(extension->deleted,
              testing::ElementsAre(": "));  // nothing of it can be read
  EXPECT_FALSE(world.sharing.DeleteSharedItem(NodeOf(mail)));
  EXPECT_EQ(world.sharing.deletions().size(), 2u);
  auto unsaved = Default(ol::kFolderInbox)->Items()->Add(ol::kMailItem);
  EXPECT_FALSE(world.sharing.DeleteSharedItem(NodeOf(unsaved)));
}

TEST_F(SimSharingTest, WhatAnExtensionLetsEscapeIsStoppedAtTheBoundary) {
  world.sharing.Install();
  auto extension = std::make_shared<RecordingExtension>();
  extension->throw_on_delete = true;
  auto engine = Create()->AddExtension(extension);
  auto deletion = world.sharing.DeleteSharedItem(NodeOf(NewMail("x")));
  ASSERT_TRUE(deletion);
  EXPECT_TRUE(deletion->answers.empty());
  EXPECT_THAT(TakeDefects(), testing::ElementsAre(
                                 "IRelaybookExt.onItemDeleted: broken extension reached "
                                 "the host"));
}

TEST_F(SimSharingTest, TheRdoSessionGivesTheProfileNameOnlyOnceLoggedOn) {
  auto rdo = world.objects->CreateRdoSession();
  EXPECT_THROW(rdo->ProfileName(), HostError);
  rdo->Logon(false, false);
  world.profile_name = "Pat at work";
  EXPECT_EQ(rdo->ProfileName(), "Pat at work");
  EXPECT_THROW(ns->CurrentProfileName(), HostError);  // not before Outlook 2007
  outlook->set_version("12.0.4518.1014");
  EXPECT_EQ(ns->CurrentProfileName(), "Pat at work");
}

}  // namespace
}  // namespace pinlet::sim
