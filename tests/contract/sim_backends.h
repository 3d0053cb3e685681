// The simulated machine as the backend of the contracts: a fresh machine for
// each test, whose defects (a fault of ours that it had to stop) fail the
// test.
#ifndef PINLET_TESTS_CONTRACT_SIM_BACKENDS_H_
#define PINLET_TESTS_CONTRACT_SIM_BACKENDS_H_

#include <gtest/gtest.h>

#include <string>

#include "sim/machine/fault_injector.h"
#include "sim/machine/sim_clipboard.h"
#include "sim/machine/sim_registry.h"
#include "sim/machine/sim_windows.h"
#include "sim/machine/world.h"

namespace pinlet::contract {

class SimMachine {
 public:
  ~SimMachine() {
    for (const std::string& defect : world.defects()) ADD_FAILURE() << "defect: " << defect;
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
