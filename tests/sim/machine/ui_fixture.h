// A world with no Outlook, for tests of the simulated windows and forms.
#ifndef PINLET_TESTS_PLATFORM_UI_FIXTURE_H_
#define PINLET_TESTS_PLATFORM_UI_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>

#include "sim/machine/sim_form.h"
#include "sim/machine/world.h"
#include "platform/ui_controls.h"

namespace pinlet::sim {

class UiTest : public ::testing::Test {
 protected:
  // A defect the host had to stop fails the test that caused it.
  void TearDown() override {
    for (const std::string& defect : world.defects())
      ADD_FAILURE() << "defect: " << defect;
  }
  ui::FormPtr NewForm(const std::string& name = "frmTest") {
    return world.ui.CreateForm(name);
  }
  static SimForm& Sim(const ui::FormPtr& form) { return static_cast<SimForm&>(*form); }
  // The user acts on the form; an action the user could not do fails the test.
  void Do(const ui::FormPtr& form, const FormAction& action) {
    std::string error;
    EXPECT_TRUE(world.ui.Perform(Sim(form), action, error))
        << action.ToString() << ": " << error;
  }
  // Takes the defects recorded so far, so that a test expecting them passes.
  std::vector<std::string> TakeDefects() {
    std::vector<std::string> defects = world.defects();
    world.ClearDefects();
    return defects;
  }

  World world;
};

}  // namespace pinlet::sim

#endif  // PINLET_TESTS_PLATFORM_UI_FIXTURE_H_
