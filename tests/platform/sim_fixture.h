// A simulated Outlook on an empty default store, for tests of the host itself.
#ifndef PINLET_TESTS_PLATFORM_SIM_FIXTURE_H_
#define PINLET_TESTS_PLATFORM_SIM_FIXTURE_H_

#include <gtest/gtest.h>

#include "platform/host_error.h"
#include "platform/sim/sim_outlook.h"

namespace pinlet::sim {

class SimTest : public ::testing::Test {
 protected:
  SimTest() : outlook(std::make_shared<SimOutlook>(&world, std::vector<std::string>{})) {
    world.store.AddStore("Mailbox", true);
    ns = outlook->GetNameSpace("MAPI");
  }
  // A defect the host had to stop fails the test that caused it.
  void TearDown() override {
    for (const std::string& defect : world.defects()) ADD_FAILURE() << "defect: " << defect;
  }
  ol::FolderPtr Default(int number) { return ns->GetDefaultFolder(number); }
  ol::ItemPtr NewMail(const std::string& subject, int folder = ol::kFolderInbox) {
    auto item = Default(folder)->Items()->Add(ol::kMailItem);
    item->SetSubject(subject);
    item->Save();
    return item;
  }

  World world;
  std::shared_ptr<SimOutlook> outlook;
  ol::NameSpacePtr ns;
};

}  // namespace pinlet::sim

#endif  // PINLET_TESTS_PLATFORM_SIM_FIXTURE_H_
