// Fixtures for tests of the simulated host itself: a bare simulated machine,
// and a simulated Outlook on an empty default store.
#ifndef PINLET_TESTS_PLATFORM_SIM_FIXTURE_H_
#define PINLET_TESTS_PLATFORM_SIM_FIXTURE_H_

#include <gtest/gtest.h>

#include "platform/host_error.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {

class WorldTest : public ::testing::Test {
 protected:
  // A defect the host had to stop fails the test that caused it; a test that
  // expects one takes it with TakeDefects.
  void TearDown() override {
    for (const std::string& defect : world.defects())
      ADD_FAILURE() << "defect: " << defect;
  }
  std::vector<std::string> TakeDefects() {
    std::vector<std::string> defects = world.defects();
    world.ClearDefects();
    return defects;
  }

  World world;
};

class SimTest : public WorldTest {
 protected:
  SimTest() : outlook(std::make_shared<SimOutlook>(&world, std::vector<std::string>{})) {
    world.store.AddStore("Mailbox", true);
    ns = outlook->GetNameSpace("MAPI");
  }
  ol::FolderPtr Default(int number) { return ns->GetDefaultFolder(number); }
  ol::ItemPtr NewMail(const std::string& subject, int folder = ol::kFolderInbox) {
    auto item = Default(folder)->Items()->Add(ol::kMailItem);
    item->SetSubject(subject);
    item->Save();
    return item;
  }

  std::shared_ptr<SimOutlook> outlook;
  ol::NameSpacePtr ns;
};

}  // namespace pinlet::sim

#endif  // PINLET_TESTS_PLATFORM_SIM_FIXTURE_H_
