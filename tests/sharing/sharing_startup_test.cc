// The sharing product at start-up: what is placed for it, when, and what it
// is told.
#include "sharing/sharing_startup.h"

#include <gmock/gmock.h>

#include "sharing/bas_relaybook.h"
#include "sharing_fixture.h"

namespace pinlet {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class SharingStartupTest : public SharingTest {
 protected:
  int CallsOf(std::string_view member) {
    int count = 0;
    for (const auto& call : world.faults.calls()) count += call.member == member;
    return count;
  }
};

TEST_F(SharingStartupTest, WithoutTheProductNothingIsPlacedAndNothingIsShown) {
  Start();
  EXPECT_FALSE(world.files.IsFolder(kPersonal));
  EXPECT_THAT(MessagesShown(), IsEmpty());
  ASSERT_TRUE(ctx().sharing_extension);
  EXPECT_EQ(ctx().sharing_extension->DatabasePath(), kDatabase);
  EXPECT_FALSE(ctx().sharing_product);
  EXPECT_FALSE(ctx().sharing_registration);
  EXPECT_TRUE(ctx().note_windows);  // the connection went on as always
}

TEST_F(SharingStartupTest, WithTheProductTheDatabaseIsPlacedAndTheExtensionRegistered) {
  world.sharing.Install();
  world.faults.set_logging(true);
  Start();
  EXPECT_EQ(world.files.Peek(kDatabase),
            world.files.Peek(world.install_dir + "relaybook.mdb"));
  ASSERT_EQ(world.sharing.registrations().size(), 1u);
  EXPECT_EQ(world.sharing.registrations()[0]->product_code, "Pinlet");
  EXPECT_EQ(world.sharing.registrations()[0]->database_path, kDatabase);
  EXPECT_EQ(world.sharing.live_registrations(), 1);
  EXPECT_EQ(CallsOf("CreateObject Relaybook.Engine"), 1);
  // Stopping releases the registration, and a new start makes a new one.
  session->Stop();
  EXPECT_EQ(world.sharing.live_registrations(), 0);
  session->Start();
  EXPECT_EQ(world.sharing.registrations().size(), 2u);
  EXPECT_EQ(world.sharing.live_registrations(), 1);
  session->Reconnect();
  EXPECT_EQ(world.sharing.registrations().size(), 3u);
  EXPECT_EQ(world.sharing.live_registrations(), 1);
}

TEST_F(SharingStartupTest, AnExistingDatabaseIsNeverReplacedAndTheProductsFolderIsUsed) {
  world.sharing.Install();
  world.files.Store(kDatabase, "the user's shared items");
  Start();
  EXPECT_EQ(world.files.Peek(kDatabase), "the user's shared items");
  session->Stop();
  // The product's own folder, made when missing.
  WriteText(world.registry, basRelaybook::kRelaybookKey, "MyDir",
            "C:\\Shared\\Relaybook");
  session->Start();
  EXPECT_TRUE(world.files.IsFile("C:\\Shared\\Relaybook\\UserOutlookrelaybook.mdb"));
  EXPECT_EQ(world.sharing.registrations().back()->database_path,
            "C:\\Shared\\Relaybook\\UserOutlookrelaybook.mdb");
}

TEST_F(SharingStartupTest, AFailedCopyIsShownOnceAndTheStartGoesOn) {
  world.sharing.Install();
  world.faults.FailMember("CopyFile");
  world.message_boxes.QueueAnswer(mb::kOk);
  Start();
  EXPECT_THAT(MessagesShown(), ElementsAre("Unable to copy database to proper location"));
  EXPECT_EQ(world.sharing.live_registrations(), 1);
  EXPECT_TRUE(ctx().note_windows);
}

TEST_F(SharingStartupTest, WithoutAPersonalFolderNoDatabaseIsPlaced) {
  world.sharing.Install();
  world.faults.FailMember("SHGetSpecialFolderPath");
  Start();
  EXPECT_THAT(MessagesShown(), IsEmpty());
  EXPECT_EQ(ctx().sharing_extension->DatabasePath(), "");
  EXPECT_EQ(world.sharing.live_registrations(), 1);
}

TEST_F(SharingStartupTest, ALongLogIsTrimmedAtStart) {
  world.files.Store(std::string(kPersonal) + "Relaybook.log",
                    std::string(600000, 'x') + "\r\nlast\r\n");
  world.files.Store(std::string(kPersonal) + "Other.log", std::string(600000, 'x'));
  Start();
  EXPECT_EQ(world.files.Peek(std::string(kPersonal) + "Relaybook.log"), "last\r\n");
  EXPECT_EQ(world.files.Peek(std::string(kPersonal) + "Other.log")->size(), 600000u);
}

TEST_F(SharingStartupTest, AFailureOtherThanNotInstalledIsTriedOnceMore) {
  world.sharing.Install();
  world.faults.FailMember("Relaybook.AddExtension", errors::kOperationFailed, 1);
  world.faults.set_logging(true);
  Start();
  EXPECT_EQ(world.sharing.live_registrations(), 1);
  EXPECT_EQ(CallsOf("Relaybook.AddExtension"), 2);
  EXPECT_EQ(CallsOf("CreateObject Relaybook.Engine"), 1);
}

TEST_F(SharingStartupTest, TheRecordedFoldersAreReportedToEachNewRegistration) {
  world.sharing.Install();
  WriteText(world.registry, kSharedKey, "00AA", "S1");
  WriteText(world.registry, kSharedKey, "00BB", "S2");
  WriteText(world.registry, kSharedKey, "", "the key's default value");
  world.faults.FailMember("RelaybookEngine.AddSharedFolder", errors::kOperationFailed, 1);
  Start();
  // The first report failed; the second entry is still reported.
  EXPECT_THAT(Reported(), ElementsAre("00BB=S2"));
  session->Reconnect();
  EXPECT_THAT(Reported(), ElementsAre("00BB=S2", "00AA=S1", "00BB=S2"));
  // Without a registration nothing is reported.
  ctx().sharing_registration.reset();
  AssignItems(ctx());
  EXPECT_EQ(Reported().size(), 3u);
}

TEST_F(SharingStartupTest, EveryHostCallOfTheStartFailingInTurnStillConnects) {
  world.sharing.Install();
  Start();
  session->Stop();
  world.files.RemoveFile(kDatabase);
  world.files.Store(std::string(kPersonal) + "Relaybook.log", std::string(600000, 'x'));
  int64_t before = world.faults.call_count();
  session->Start();
  int64_t calls = world.faults.call_count() - before;
  session->Stop();
  for (int64_t n = 1; n <= calls; ++n) {
    world.files.RemoveFile(kDatabase);
    world.files.Store(std::string(kPersonal) + "Relaybook.log", std::string(600000, 'x'));
    world.message_boxes.QueueAnswer(mb::kOk, "Unable to");
    world.faults.FailCall(world.faults.call_count() + n);
    session->Start();
    world.faults.Clear();
    auto log = world.files.Peek(std::string(kPersonal) + "Relaybook.log");
    ASSERT_TRUE(log) << n;
    EXPECT_TRUE(log->empty() || log->size() == 600000u) << n;
    session->Stop();
  }
}

}  // namespace
}  // namespace pinlet
