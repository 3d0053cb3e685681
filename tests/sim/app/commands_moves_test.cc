// The user's moves of items as commands: one at a time on a mailbox file,
// and what a mailbox written before notes kept keys shows.
#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/resolve.h"

namespace pinlet::app {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class MoveCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A file of its own: ctest runs the tests of this suite side by side.
    options.mailbox_path = testing::TempDir() + "/moves_" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() +
                           ".json";
    std::remove(options.mailbox_path.c_str());
  }
  void TearDown() override { std::remove(options.mailbox_path.c_str()); }
  // One command, run alone on the mailbox file.
  int OneShot(const std::vector<std::string>& words) {
    out.str("");
    err.str("");
    Driver driver(out, err, options);
    std::string error;
    if (!driver.Open(error)) return 2;
    int status = driver.RunOneShot(words);
    EXPECT_TRUE(driver.Close(error)) << error;
    return status;
  }
  int Script(const std::string& text) {
    out.str("");
    err.str("");
    Driver driver(out, err, options);
    std::string error;
    if (!driver.Open(error)) return 2;
    std::istringstream in(text);
    int status = driver.RunScript(in, "test");
    EXPECT_TRUE(driver.Close(error)) << error;
    return status;
  }
  DriverOptions options;
  std::ostringstream out, err;
};

TEST_F(MoveCommandsTest, EachMoveWorksOnAMailboxFileAndIsKept) {
  ASSERT_EQ(OneShot({"move", "item", "Inbox", "Board slides", "Inbox/Projects"}), 0)
      << err.str();
  EXPECT_THAT(out.str(),
              HasSubstr("to \\\\Mailbox - Pat Kelly\\Inbox\\Projects: new EntryID"));
  ASSERT_EQ(OneShot({"show", "item", "Inbox/Projects", "Board slides"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("EntryID: "));
  ASSERT_EQ(OneShot({"copy", "item", "Inbox/Projects", "Board slides", "Inbox"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("the copy's EntryID is"));
  ASSERT_EQ(OneShot({"delete", "item", "Inbox", "Board slides"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("to \\\\Mailbox - Pat Kelly\\Deleted Items"));
  ASSERT_EQ(OneShot({"delete", "item", "Deleted Items", "Board slides"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("for good"));
  ASSERT_EQ(OneShot({"archive", "--older-than", "1"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("'Weekly team meeting'"));
  ASSERT_EQ(OneShot({"show", "folders"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("\n  Calendar (2)\n"));  // in the archive
  ASSERT_EQ(OneShot({"migrate", "store", "Mailbox - Pat Kelly"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("every folder and item has a new EntryID"));
}

TEST_F(MoveCommandsTest, BadArgumentsAreRefusedAndChangeNothing) {
  EXPECT_EQ(OneShot({"move", "item", "Inbox", "Board slides", "Inbox"}), 2);
  EXPECT_THAT(err.str(), HasSubstr("is in \\\\Mailbox - Pat Kelly\\Inbox already"));
  EXPECT_EQ(OneShot({"move", "item", "Inbox", "Board slides", "Nowhere"}), 2);
  EXPECT_THAT(err.str(), HasSubstr("no folder 'Nowhere'"));
  EXPECT_EQ(OneShot({"archive", "--older-than", "-1"}), 2);
  EXPECT_THAT(err.str(), HasSubstr("--older-than DAYS"));
  EXPECT_EQ(OneShot({"migrate", "store", "Nothing"}), 2);
  EXPECT_EQ(Script("start\nmigrate store Archive\n"), 2);
  EXPECT_THAT(err.str(), HasSubstr("with Outlook closed"));
  ASSERT_EQ(OneShot({"show", "items", "Inbox"}), 0);
  EXPECT_THAT(out.str(), HasSubstr("12 items"));
}

// A mailbox as the version before keys wrote it: personal folders, no
// search keys or creation times, notes linked by EntryID alone.
TEST_F(MoveCommandsTest, AMailboxFromBeforeKeysShowsItsNotesAndRelinksNothing) {
  ASSERT_EQ(OneShot({"note", "add", "Inbox", "Board slides"}), 0);
  ASSERT_EQ(OneShot({"note", "add", "Contacts", "Ravi Menon"}), 0);
  nlohmann::json mailbox;
  std::ifstream(options.mailbox_path) >> mailbox;
  std::function<void(nlohmann::json&)> strip = [&](nlohmann::json& folder) {
    for (auto& item : folder["items"]) {
      item.erase("search_key");
      item.erase("created");
      auto& props = item["user_properties"];
      for (auto it = props.begin(); it != props.end();)
        it = (*it)["name"] == "ZPNKey" || (*it)["name"] == "ZPNStoreID" ? props.erase(it)
                                                                        : it + 1;
    }
    for (auto& child : folder["folders"]) strip(child);
  };
  for (auto& store : mailbox["stores"]) {
    store.erase("kind");
    strip(store["root"]);
  }
  std::ofstream(options.mailbox_path) << mailbox.dump(1);
  ASSERT_EQ(Script("start\n"
                   "select Inbox \"Board slides\"\n"
                   "expect 'Pinlet ToolBar: \"View Note\"'\n"
                   "select Contacts \"Ravi Menon\"\n"
                   "expect 'Pinlet ToolBar: \"View Note\"'\n"
                   "stop\n"
                   "show items Notes/Pinlet\n"),
            0)
      << err.str();
  nlohmann::json after;
  std::ifstream(options.mailbox_path) >> after;
  EXPECT_EQ(after["stores"][0]["kind"], "pst");
  // Each note still names its item's EntryID, and has its key now.
  ASSERT_EQ(Script("show item Notes/Pinlet 1\nshow item Inbox \"Board slides\"\n"), 0);
  std::string shown = out.str();
  size_t at = shown.find("EntryID: ", shown.find("EntryID: ") + 1);
  std::string item_id = shown.substr(at + 9, shown.find('\n', at) - at - 9);
  EXPECT_THAT(shown, HasSubstr("Subject: " + item_id));
  EXPECT_THAT(shown, HasSubstr("ZPNKey = " + item_id));
  EXPECT_THAT(shown,
              Not(HasSubstr("FolderPath = \\\\Mailbox - Pat Kelly\\Inbox\\Projects")));
}

}  // namespace
}  // namespace pinlet::app
