// The simulated machine as the backend of the contracts: a fresh machine for
// each test, whose defects (a fault of ours that it had to stop) fail the
// test.
#ifndef PINLET_TESTS_CONTRACT_SIM_BACKENDS_H_
#define PINLET_TESTS_CONTRACT_SIM_BACKENDS_H_

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "sim/machine/fault_injector.h"
#include "sim/machine/sim_clipboard.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_registry.h"
#include "sim/machine/sim_windows.h"
#include "sim/machine/world.h"

namespace pinlet::contract {

class SimMachine {
 public:
  ~SimMachine() {
    for (const std::string& defect : world.defects())
      ADD_FAILURE() << "defect: " << defect;
  }

  sim::World world;
};

class SimFilesBackend : public SimMachine {
 public:
  FileSystem& files() { return world.files; }
  // A new folder in the user's temporary folder.
  std::string Root() {
    std::string root = world.shell.TempFolder() + "Contract";
    EXPECT_TRUE(world.files.CreateFolder(root));
    return root;
  }
};

// The machine's message boxes and common dialogs, answered from its own
// queue, over its files.
class SimDialogsBackend : public SimFilesBackend {
 public:
  MessageBoxes& boxes() { return world.message_boxes; }
  CommonDialogs& dialogs() { return world.dialogs; }
  sim::World& user() { return world; }
};

// The machine's shell over its files.
class SimShellBackend : public SimFilesBackend {
 public:
  Shell& shell() { return world.shell; }
};

// The machine's forms, acted on through its user, with its clipboard and
// its clock: time passes only as the test waits.
class SimFormsBackend : public SimMachine {
 public:
  ui::FormPtr NewForm(std::string_view design_name) {
    return world.ui.CreateForm(design_name);
  }
  bool Do(ui::Form& form, const sim::FormAction& action, std::string& error) {
    return world.ui.Perform(static_cast<sim::SimForm&>(form), action, error);
  }
  Clipboard& clipboard() { return world.clipboard; }
  void HoldClipboard(bool held) { world.clipboard.set_held_by_other(held); }
  bool WaitFor(int milliseconds, const std::function<bool()>& done) {
    for (int waited = 0; waited < milliseconds; waited += kStepMs) {
      if (done && done()) return true;
      world.ui.AdvanceTime(kStepMs);
    }
    return done && done();
  }

 private:
  static constexpr int kStepMs = 10;
};

// The machine's registry alone, empty.
class SimRegistryBackend {
 public:
  Registry& registry() { return registry_; }

 private:
  sim::SimRegistry registry_;
};

// The machine's clipboard alone, empty.
class SimClipboardBackend {
 public:
  Clipboard& clipboard() { return clipboard_; }

 private:
  sim::FaultInjector faults_;
  sim::SimClipboard clipboard_{&faults_};
};

// The machine's window manager alone, with no window yet.
class SimWindowManagerBackend {
 public:
  WindowManager& windows() { return windows_; }
  WindowHandle Make(const std::string& title) { return windows_.Create(title); }
  void Destroy(WindowHandle window) { windows_.Destroy(window); }

 private:
  sim::FaultInjector faults_;
  sim::SimWindowManager windows_{&faults_};
};

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_SIM_BACKENDS_H_
