#include "sharing/bas_relaybook.h"

#include <gmock/gmock.h>

#include "platform/win_paths.h"
#include "sharing_fixture.h"

namespace pinlet {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using namespace basRelaybook;

class RelaybookTest : public SharingTest {
 protected:
  void SetUp() override {
    SharingTest::SetUp();
    Start();
  }
};

TEST_F(RelaybookTest, FileExistsOnlyForAFileAndNeverForAnEmptyPathOrAFolder) {
  world.files.Store("C:\\Data\\a.txt", "x");
  EXPECT_TRUE(FileExists(ctx(), "C:\\Data\\a.txt"));
  EXPECT_FALSE(FileExists(ctx(), ""));
  EXPECT_FALSE(FileExists(ctx(), "C:\\Data\\"));
  EXPECT_FALSE(FileExists(ctx(), "C:\\Data/"));
  EXPECT_FALSE(FileExists(ctx(), "C:\\Data"));
  EXPECT_FALSE(FileExists(ctx(), "C:\\Data\\b.txt"));
}

TEST_F(RelaybookTest, CopyFileNeverReplacesAFileAndSaysSoWhenItFails) {
  world.files.Store("C:\\Data\\a.mdb", "template");
  world.files.Store("C:\\Data\\b.mdb", "the user's data");
  world.message_boxes.QueueAnswer(mb::kOk);
  world.message_boxes.QueueAnswer(mb::kOk);
  EXPECT_FALSE(CopyFile(ctx(), "C:\\Data\\a.mdb", "C:\\Data\\b.mdb"));
  EXPECT_FALSE(CopyFile(ctx(), "C:\\Data\\missing.mdb", "C:\\Data\\c.mdb"));
  EXPECT_EQ(world.files.Peek("C:\\Data\\b.mdb"), "the user's data");
  EXPECT_THAT(MessagesShown(), ElementsAre("Unable to copy database to proper location",
                                           "Unable to copy database to proper location"));
  EXPECT_EQ(world.message_boxes.shown()[0].title, "Pinlet");
  EXPECT_TRUE(CopyFile(ctx(), "C:\\Data\\a.mdb", "C:\\Data\\c.mdb"));
  EXPECT_EQ(world.files.Peek("C:\\Data\\c.mdb"), "template");
  EXPECT_EQ(MessagesShown().size(), 2u);
}

TEST_F(RelaybookTest, ThePersonalFolderInItsThreeModes) {
  EXPECT_EQ(GetPersonalDir(ctx(), 1, "Pinlet"), kPersonal);
  // Mode 2 without the product's own folder falls back to mode 1.
  EXPECT_EQ(GetPersonalDir(ctx(), 2, "Pinlet"), kPersonal);
  WriteText(world.registry, kRelaybookKey, "MyDir", "D:\\Relaybook");
  EXPECT_EQ(GetPersonalDir(ctx(), 2, "Pinlet"), "D:\\Relaybook\\");
  // Mode 3 stores mode 1's folder and the log's name for the product.
  EXPECT_EQ(GetPersonalDir(ctx(), 3, "Pinlet"), kPersonal);
  EXPECT_EQ(ReadText(world.registry, kRelaybookKey, "MyDir"), kPersonal);
  EXPECT_EQ(ReadText(world.registry, "Software\\Zarvo\\Relaybook\\1.0\\Settings\\Pinlet",
                     "LogFile"),
            "Relaybook.log");
  EXPECT_EQ(GetPersonalDir(ctx(), 0, "Pinlet"), "");
  EXPECT_EQ(GetPersonalDir(ctx(), 4, "Pinlet"), "");
  // No special folder, no personal folder.
  world.faults.FailMember("SHGetSpecialFolderPath");
  EXPECT_EQ(GetPersonalDir(ctx(), 1, "Pinlet"), "");
}

TEST_F(RelaybookTest, TheInstallFolderDefaultsToTheDriveRoot) {
  EXPECT_EQ(GetInstallDir(ctx()), world.install_dir);
  WriteText(world.registry, kPinletKey, "InstDir", "D:\\Apps\\Pinlet");
  EXPECT_EQ(GetInstallDir(ctx()), "D:\\Apps\\Pinlet\\");
  world.registry.DeleteValue(kPinletKey, "InstDir");
  EXPECT_EQ(GetInstallDir(ctx()), "C:\\");
}

TEST_F(RelaybookTest, SetValueRefusesAnEmptyKeyNameThroughTheErrorReporter) {
  EXPECT_FALSE(SetValue(ctx(), "", "Name", kWriteText, Variant("x")));
  EXPECT_THAT(Logged().back(),
              HasSubstr("basRelaybook(Function SetValue) | Invalid KeyName value | " +
                        std::to_string(errors::kRegistryKeyName) + " | 3 1"));
  EXPECT_TRUE(SetValue(ctx(), "Software\\Test", "Name", kWriteText, Variant("x")));
  EXPECT_TRUE(
      SetValue(ctx(), "Software\\Test", "Count", kWriteDword, Variant(int32_t{7})));
  EXPECT_EQ(world.registry.QueryValue("Software\\Test", "Name"), RegValue::Text("x"));
  EXPECT_EQ(world.registry.QueryValue("Software\\Test", "Count"), RegValue::Dword(7));
}

TEST_F(RelaybookTest, IdentityAndSmallRoutines) {
  EXPECT_EQ(ExpandEnvStr(ctx(), "%USERNAME%\\db %NOPE%"), "User\\db %NOPE%");
  world.faults.FailMember("ExpandEnvironmentStrings", errors::kOperationFailed, 1);
  EXPECT_EQ(ExpandEnvStr(ctx(), "%USERNAME%"), "%USERNAME%");

  EXPECT_EQ(GetCurrentUserName(ctx()), "User");
  world.shell.set_user_name(std::string("pat\0junk", 8));
  EXPECT_EQ(GetCurrentUserName(ctx()), "pat");
  world.faults.FailMember("GetUserName", errors::kOperationFailed, 1);
  EXPECT_EQ(GetCurrentUserName(ctx()), "");

  world.profile_name = "Pat at work";
  EXPECT_EQ(GetProfileName(ctx()), "Pat at work");
  Factory().redemption_installed = false;
  EXPECT_EQ(GetProfileName(ctx()), "");
  EXPECT_THAT(Logged().back(), HasSubstr("basRelaybook(Function GetProfileName)"));

  EXPECT_EQ(SwapEndian(0x11223344), 0x44332211);
  EXPECT_EQ(SwapEndian(-2), static_cast<int32_t>(0xFEFFFFFF));
  EXPECT_EQ(SwapEndian(SwapEndian(123456789)), 123456789);
}

TEST_F(RelaybookTest, TheSharedCdoSessionIsMadeOnceAndOnlyKeptWhenLoggedOn) {
  world.faults.FailMember("Session.Logon", errors::kOperationFailed, 1);
  EXPECT_EQ(GetCDOObject(ctx()), nullptr);
  EXPECT_EQ(ctx().cdo_session, nullptr);
  EXPECT_THAT(Logged().back(), HasSubstr("basRelaybook(Function GetCDOObject)"));
  auto session = GetCDOObject(ctx());
  ASSERT_TRUE(session);
  EXPECT_EQ(GetCDOObject(ctx()), session);
  EXPECT_EQ(ctx().cdo_session, session);
}

TEST_F(RelaybookTest, TheDatabaseAlwaysLiesInThePersonalFolder) {
  SharingPlacement placement{kPersonal, "User", "Outlook"};
  EXPECT_EQ(DatabasePathFor(placement), kDatabase);
  placement.profile_name = "Pat Kelly (work)";
  EXPECT_EQ(DatabasePathFor(placement),
            std::string(kPersonal) + "UserPat Kelly (work)relaybook.mdb");
  for (const char* profile :
       {"..\\..\\..\\Windows\\", "C:\\Temp\\", "a/b", "..", ":", "\\\\server\\share\\"}) {
    placement.profile_name = profile;
    std::string path = DatabasePathFor(placement);
    auto parsed = ParseWinPath(path);
    ASSERT_TRUE(parsed) << profile << " -> " << path;
    EXPECT_EQ(parsed->Parent().ToString() + "\\", kPersonal) << profile;
    EXPECT_TRUE(path.ends_with("relaybook.mdb")) << profile;
  }
  placement.user_name = "";
  placement.profile_name = "CON.";
  EXPECT_EQ(DatabasePathFor(placement), std::string(kPersonal) + "_CON.relaybook.mdb");
  placement.personal_dir = "";
  EXPECT_EQ(DatabasePathFor(placement), "");
}

}  // namespace
}  // namespace pinlet
