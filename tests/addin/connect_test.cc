#include <gmock/gmock.h>

#include "addin/outlook_connect.h"
#include "addin/word_connect.h"
#include "addin_fixture.h"
#include "sim/machine/sample_mailbox.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class ConnectTest : public AddinTest {
 protected:
  void SetUp() override { sim::BuildSampleMailbox(world.store, world.clock.now()); }
  std::shared_ptr<Connector> Active() {
    for (auto& [key, connector] : connect().connectors().entries())
      if (key != "Default" && connector->IsInitialized()) return connector;
    return nullptr;
  }
};

TEST_F(ConnectTest, OutlookStartUpRunsEveryStepInOrder) {
  StartHost();
  EXPECT_THAT(log, ElementsAre("PrepareSharing", "AssignItems", "NotesFolder",
                               "Create_Explorers", "SetInspectors"));
  auto outlook =
      std::dynamic_pointer_cast<COutlookConnect>(connect().FindConnector("Outlook"));
  ASSERT_TRUE(outlook);
  EXPECT_TRUE(outlook->IsInitialized());
  EXPECT_EQ(ctx().install_dir, world.install_dir);
  EXPECT_EQ(ctx().user_dir, world.user_dir);
  EXPECT_TRUE(ctx().support);
  EXPECT_EQ(world.support->calls().front(), "Init 2 14");
  EXPECT_EQ(world.support->module(), kModuleHandle);
  ASSERT_TRUE(ctx().note_windows && ctx().reply_forwards && ctx().inspector_wrappers);
  EXPECT_EQ(outlook->out_addin()->ProgId(), "Pinlet.Connect");
  // The registered class is published through COMAddIns for other hosts.
  EXPECT_EQ(session->application()->GetCOMAddIns()->Item("Pinlet.Connect")->Object(),
            addin);
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ConnectTest, ConnectorsAreCreatedWhateverTheHostIsAndDefaultAnswersOthers) {
  StartHost({.host_name = "Microsoft Excel"});
  std::vector<std::string> keys;
  for (auto& [key, connector] : connect().connectors().entries()) keys.push_back(key);
  EXPECT_THAT(keys, ElementsAre("Default", "Outlook", "Microsoft Word"));
  EXPECT_EQ(Active(), nullptr);
  EXPECT_TRUE(log.empty());  // nothing of the add-in runs in a foreign host
  EXPECT_FALSE(ctx().note_windows);
  session->Stop();
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ConnectTest, OutlookWithoutWindowsCachesTheFolderButAddsNoInterface) {
  StartHost({.with_windows = false});
  EXPECT_THAT(log, ElementsAre("PrepareSharing", "AssignItems", "NotesFolder"));
  EXPECT_FALSE(connect().FindConnector("Outlook")->IsInitialized());
  EXPECT_FALSE(ctx().support);  // start-up complete went to the do-nothing connector
  ASSERT_TRUE(ctx().note_windows);
  EXPECT_TRUE(ctx().note_windows->empty());
  session->Stop();
  // Shut-down went to "Default" too: the lists are left as they were, empty.
  EXPECT_TRUE(ctx().note_windows && ctx().note_windows->empty());
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ConnectTest, ACallbackWithoutAHostApplicationDoesNothing) {
  Connect connect(world.platform(), RecordingSubsystems());
  auto shared = std::shared_ptr<Connect>(&connect, [](Connect*) {});
  Custom custom;
  shared->OnConnection(nullptr, kConnectStartup, nullptr, custom);
  shared->OnStartupComplete(custom);
  shared->OnBeginShutdown(custom);
  shared->OnDisconnection(kDisconnectHostShutdown, custom);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(shared->host_application(), nullptr);
}

TEST_F(ConnectTest, SecondConnectionReusesTheConnectors) {
  StartHost();
  auto outlook = connect().FindConnector("Outlook");
  session->Reconnect();
  EXPECT_EQ(connect().connectors().size(), 3u);
  EXPECT_EQ(connect().FindConnector("Outlook"), outlook);
  EXPECT_TRUE(outlook->IsInitialized());
  EXPECT_TRUE(ctx().support);
}

TEST_F(ConnectTest, ShutDownUnloadsNoteWindowsLastOpenedFirstThenReleasesEverything) {
  StartHost();
  for (const char* name : {"first", "second", "third"})
    ctx().note_windows->push_back(std::make_shared<FakeNoteWindow>(&log, name));
  log.clear();
  session->Stop();
  EXPECT_THAT(log, ElementsAre("third Unload", "second Unload", "first Unload"));
  EXPECT_THAT(session->callbacks(),
              ElementsAre("OnConnection", "OnAddInsUpdate", "OnStartupComplete",
                          "OnBeginShutdown", "OnDisconnection"));
  EXPECT_FALSE(ctx().note_windows);
  EXPECT_FALSE(ctx().reply_forwards);
  EXPECT_FALSE(ctx().inspector_wrappers);
  EXPECT_FALSE(ctx().support);
  EXPECT_FALSE(ctx().name_space);
  EXPECT_FALSE(ctx().application);
  EXPECT_FALSE(connect().FindConnector("Outlook")->IsInitialized());
}

TEST_F(ConnectTest, AFailingConnectionStepLeavesTheConnectorUninitialised) {
  world.faults.FailMember("Application.Explorers");
  StartHost();
  EXPECT_FALSE(connect().FindConnector("Outlook")->IsInitialized());
  EXPECT_TRUE(Logged("NotesFolder"));
  EXPECT_FALSE(Logged("Create_Explorers"));
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(ConnectTest, NoHostCallFailureEverReachesTheHost) {
  // Count the calls of a clean start and stop, then fail each one in turn.
  StartHost();
  session->Stop();
  int64_t calls = world.faults.call_count();
  for (int64_t n = 1; n <= calls; ++n) {
    sim::World fresh;
    sim::BuildSampleMailbox(fresh.store, fresh.clock.now());
    fresh.Install("<view/>");
    fresh.faults.FailCall(n);
    sim::HostSession host(&fresh, [this](const Platform& p) {
      return std::make_shared<Connect>(p, RecordingSubsystems());
    });
    host.Start();
    host.Stop();
    EXPECT_TRUE(fresh.defects().empty()) << "call " << n;
  }
}

TEST_F(ConnectTest, ClosingAnItemWindowReportsItsItemToTheNoteWindows) {
  StartHost();
  auto item = world.store.default_store()->defaults[ol::kFolderInbox]->items.front();
  session->outlook()->OpenInspector(sim::WrapItem(&world, item));
  session->outlook()->CloseInspector(session->outlook()->inspectors().back());
  EXPECT_TRUE(Logged("ParentItemClosed " + item->entry_id));
}

TEST_F(ConnectTest, WordConnectorReachesTheRunningOutlooksConnector) {
  StartHost();
  // Word's own add-ins entry holds Word's instance, whose Outlook connector
  // never connected: the connector goes to the running Outlook instead.
  auto word_app = sim::MakeOtherHost(&world, "Microsoft Word");
  auto word =
      std::dynamic_pointer_cast<CWordConnect>(connect().FindConnector("Microsoft Word"));
  ASSERT_TRUE(word);
  EXPECT_FALSE(word->IsInitialized());
  Custom custom;
  word->OnConnection(word_app, kConnectStartup, nullptr, custom);
  EXPECT_TRUE(word->IsInitialized());
  EXPECT_EQ(word->outlook_connector(), connect().FindConnector("Outlook"));
  // An Outlook whose add-ins entry holds no Connect leaves it uninitialised.
  word->OnDisconnection(kDisconnectHostShutdown, custom);
  session->outlook()->GetCOMAddIns()->Item("Pinlet.Connect")->SetObject(nullptr);
  word->OnConnection(word_app, kConnectStartup, nullptr, custom);
  EXPECT_FALSE(word->IsInitialized());
  // So does an Outlook that cannot be found.
  session->outlook()->GetCOMAddIns()->Item("Pinlet.Connect")->SetObject(addin);
  world.faults.FailMember("GetActiveObject");
  word->OnConnection(word_app, kConnectStartup, nullptr, custom);
  EXPECT_FALSE(word->IsInitialized());
  world.faults.Clear();
}

class PinletClickTest : public ConnectTest {
 protected:
  COutlookConnect& outlook() {
    return *std::dynamic_pointer_cast<COutlookConnect>(
        connect().FindConnector("Outlook"));
  }
  void Click(const std::string& caption, const ol::ItemPtr& mail) {
    bool close = false;
    outlook().PinletClick(caption, true, mail, nullptr, close, nullptr);
  }
};

TEST_F(PinletClickTest, UnsavedMailAnsweredNoIsNeitherSavedNorShown) {
  StartHost();
  auto mail =
      session->outlook()->GetNameSpace("MAPI")->GetDefaultFolder(6)->Items()->Add(0);
  mail->SetSubject("Draft");
  log.clear();
  world.message_boxes.QueueAnswer(mb::kNo);
  Click("Add Note", mail);
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  const auto& box = world.message_boxes.shown()[0];
  EXPECT_EQ(box.text,
            "In order to add a new note to the 'Draft - Message (Plain Text)' item,you "
            "should first save this item.\n\rWould you like to do that now?");
  EXPECT_EQ(box.title, "Pinlet");
  EXPECT_EQ(box.style, mb::kYesNo | mb::kQuestion | mb::kSetForeground);
  EXPECT_EQ(mail->EntryID(), "");
  EXPECT_TRUE(log.empty());
}

TEST_F(PinletClickTest, UnsavedMailAnsweredYesIsSavedAndGetsANewNote) {
  StartHost();
  auto mail =
      session->outlook()->GetNameSpace("MAPI")->GetDefaultFolder(6)->Items()->Add(0);
  log.clear();
  world.message_boxes.QueueAnswer(mb::kYes);
  Click("Add Note", mail);
  ASSERT_FALSE(mail->EntryID().empty());
  EXPECT_THAT(log, ElementsAre("GetNoteForm " + mail->EntryID() + " new",
                               "DisplayNote " + mail->EntryID()));
}

TEST_F(PinletClickTest, ViewNoteWithoutANoteIsReportedWithTheConnectorTag) {
  StartHost();
  auto mail =
      session->outlook()->GetNameSpace("MAPI")->GetDefaultFolder(6)->Items()->Item(1);
  Click("View Note", mail);
  ASSERT_FALSE(world.support->calls().empty());
  EXPECT_EQ(
      world.support->calls().back(),
      "LogMsg " + std::to_string(kModuleHandle) +
          " Connect(Sub COutlookConnect), 10 | The operation failed. An object could not "
          "be found. | -2147221233 | 3 1");
}

}  // namespace
}  // namespace pinlet
