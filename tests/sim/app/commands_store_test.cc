// The store commands: what `show items` tells about the items' notes.
#include <gmock/gmock.h>

#include <algorithm>
#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "started_driver.h"

namespace pinlet::app {
namespace {

using ::testing::HasSubstr;

class StoreCommandsTest : public StartedDriverTest {
 protected:
  std::shared_ptr<sim::ItemNode> Inbox(const std::string& which) {
    std::string error;
    return ResolveFolderItem(driver, "Inbox", which, error);
  }
};

TEST_F(StoreCommandsTest, ShowItemsMarksTheNoteNotTheMarking) {
  ASSERT_EQ(Run("note add Inbox 1"), 0);
  // The item's marking is lost: the item has its note all the same.
  auto first = Inbox("1");
  std::erase_if(first->user_props,
                [](const sim::PropNode& prop) { return prop.name == "ZPNHasNote"; });
  // Another item is marked but has no note: a stale marking.
  Inbox("2")->user_props.push_back({"ZPNHasNote", 1, Variant(std::string("TRUE"))});
  ASSERT_EQ(Run("show items Inbox"), 0);
  EXPECT_THAT(out.str(), HasSubstr("\n* 1. ["));
  EXPECT_THAT(out.str(), HasSubstr("\n! 2. ["));
  EXPECT_THAT(out.str(), HasSubstr("\n  3. ["));
}

}  // namespace
}  // namespace pinlet::app
