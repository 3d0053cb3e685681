// The add-in's calls of its support library, watched as the test host
// watches pinlet.dll's: here the test program's own, which the platform's
// loader below makes as the DLL does.
#include "sim/comhost/watched_support_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "platform/host_error.h"
#include "platform/wide_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_support_library.h"
#include "win32/win32_fixture.h"

namespace pinlet::comhost {
namespace {

using ::testing::ElementsAre;

constexpr int32_t kModule = 0x11000000;

class WatchedSupportLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(files.CreateFolder(user_folder));
    ASSERT_TRUE(Win32Registry().SetValue("Software\\Zarvo\\Pinlet", "MyDir",
                                         RegValue::Text(user_folder + "\\")));
    library_module =
        LoadLibraryW(Wide(testing::ProgramFolder() + "LibZarvo.dll").c_str());
    ASSERT_TRUE(library_module);
    watched.emplace(GetModuleHandleW(nullptr), library_module, world);
    ASSERT_EQ(watched->error(), "");
    library = Win32SupportLibrary::Load(testing::ProgramFolder());
  }
  void TearDown() override {
    library.reset();
    watched.reset();
    if (library_module) FreeLibrary(library_module);
  }
  // The lines the real library logged.
  size_t LogLines() {
    std::string log = files.ReadFile(user_folder + "\\LibZarvo.log").value_or("");
    return std::count(log.begin(), log.end(), '\n');
  }
  int32_t Init() {
    return library->Init(kModule, 2, nullptr, 14, [this] {
      ++quick_starts;
      return 0;
    });
  }

  testing::TestCurrentUser user;
  testing::TestFolder dir;
  Win32FileSystem files;
  const std::string user_folder = dir / "My Notes";
  sim::World world;
  HMODULE library_module = nullptr;
  std::optional<WatchedSupportLibrary> watched;
  std::shared_ptr<Win32SupportLibrary> library;
  int quick_starts = 0;
};

// Every call is recorded as the simulated library records it, and then the
// real library does its work.
TEST_F(WatchedSupportLibraryTest, CallsAreRecordedAsLinkedInAndReachTheLibrary) {
  EXPECT_EQ(Init(), 0);
  EXPECT_EQ(quick_starts, 1);
  EXPECT_EQ(library->LogMsg(kModule, "Not saved", 5, "frmNote.Save", 3, 1), 0);
  EXPECT_THAT(
      world.support->calls(),
      ElementsAre("Init 2 14", "LogMsg 285212672 frmNote.Save | Not saved | 5 | 3 1"));
  EXPECT_EQ(LogLines(), 1u);
}

// A call the fault injector fails answers its number and never reaches the
// library: no callback, no log line.
TEST_F(WatchedSupportLibraryTest, TheFaultInjectorFailsACallBeforeTheLibrarySeesIt) {
  world.faults.FailMember("LibZarvoInit", 7);
  EXPECT_EQ(Init(), 7);
  EXPECT_EQ(quick_starts, 0);
  world.faults.Clear();
  EXPECT_EQ(Init(), 0);
  world.faults.FailMember("LibZarvoLogMsg", -1);
  EXPECT_EQ(library->LogMsg(kModule, "refused", 1, "t", 3, 1), -1);
  EXPECT_EQ(LogLines(), 0u);
  EXPECT_THAT(world.support->calls(), ElementsAre("Init 2 14"));
}

}  // namespace
}  // namespace pinlet::comhost
