// The test host's side of COM: the simulated registry kept in step with the
// real one, and the helper libraries' ProgIDs lent to the test host's
// classes and given back.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>

#include "sim/comhost/host_class_objects.h"
#include "sim/comhost/registry_mirror.h"
#include "platform/com/com_helpers.h"
#include "platform/com/late_bound.h"
#include "sim/machine/world.h"
#include "platform/wide_text.h"
#include "platform/win32/win32_registry.h"
#include "win32/win32_fixture.h"

namespace pinlet::comhost {
namespace {

constexpr const char* kBranch = "Software\\Zarvo";

TEST(RegistryMirrorTest, EachSideGetsTheOthersBranchExactly) {
  testing::TestCurrentUser user;
  Win32Registry real;
  sim::SimRegistry simulated;
  RegistryMirror mirror(kBranch, &real);
  simulated.SetValue("Software\\Zarvo\\Pinlet", "MyDir", RegValue::Text("C:\\Προβολή\\"));
  simulated.SetValue("Software\\Zarvo\\Pinlet\\Note", "FlagIndex", RegValue::Dword(3));
  // What the real branch held before is replaced, not merged.
  real.SetValue("Software\\Zarvo\\Old", "Left", RegValue::Text("behind"));
  real.SetValue("Software\\Other", "Kept", RegValue::Text("yes"));
  ASSERT_TRUE(mirror.Push(simulated));
  EXPECT_EQ(real.QueryValue("Software\\Zarvo\\Pinlet", "MyDir"),
            RegValue::Text("C:\\Προβολή\\"));
  EXPECT_EQ(real.QueryValue("Software\\Zarvo\\Pinlet\\Note", "FlagIndex"),
            RegValue::Dword(3));
  EXPECT_FALSE(real.KeyExists("Software\\Zarvo\\Old"));
  EXPECT_EQ(real.QueryValue("Software\\Other", "Kept"), RegValue::Text("yes"));

  // The add-in changes the real branch; the simulated one follows.
  real.SetValue("Software\\Zarvo\\Pinlet\\folders", "EntryID", RegValue::Text("00AB"));
  real.DeleteValue("Software\\Zarvo\\Pinlet\\Note", "FlagIndex");
  mirror.Pull(simulated);
  EXPECT_EQ(simulated.QueryValue("Software\\Zarvo\\Pinlet\\folders", "EntryID"),
            RegValue::Text("00AB"));
  EXPECT_FALSE(simulated.QueryValue("Software\\Zarvo\\Pinlet\\Note", "FlagIndex"));
  EXPECT_EQ(simulated.Export(kBranch), [&] {
    sim::SimRegistry copy;
    copy.SetValue("Software\\Zarvo\\Pinlet", "MyDir", RegValue::Text("C:\\Προβολή\\"));
    copy.SetValue("Software\\Zarvo\\Pinlet\\folders", "EntryID", RegValue::Text("00AB"));
    return copy.Export(kBranch);
  }());
  // Once both agree, a push writes nothing: a value set behind the
  // mirror's back stays.
  real.SetValue("Software\\Zarvo\\Pinlet", "Unseen", RegValue::Text("x"));
  ASSERT_TRUE(mirror.Push(simulated));
  EXPECT_TRUE(real.QueryValue("Software\\Zarvo\\Pinlet", "Unseen"));
}

// Between two syncs only one side changes (the test host's commands change
// the simulated one, the add-in the real one); the change goes across, the
// whole branch going too.
TEST(RegistryMirrorTest, AnEmptiedBranchEmptiesTheOtherSide) {
  testing::TestCurrentUser user;
  Win32Registry real;
  sim::SimRegistry simulated;
  RegistryMirror mirror(kBranch, &real);
  real.SetValue("Software\\Zarvo\\Pinlet", "InstDir", RegValue::Text("C:\\"));
  ASSERT_TRUE(mirror.Push(simulated));
  EXPECT_FALSE(real.KeyExists(kBranch));
  real.SetValue("Software\\Zarvo\\Pinlet", "InstDir", RegValue::Text("D:\\"));
  mirror.Pull(simulated);
  EXPECT_EQ(simulated.QueryValue("Software\\Zarvo\\Pinlet", "InstDir"),
            RegValue::Text("D:\\"));
  simulated.RemoveKey(kBranch);
  ASSERT_TRUE(mirror.Push(simulated));
  EXPECT_FALSE(real.KeyExists(kBranch));
}

std::string ClassOf(const wchar_t* prog_id) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(prog_id, &clsid))) return "(none)";
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return Narrow(text);
}

TEST(HostClassObjectsTest, TheProgIdsReachTheSimulatedMachineAndAreGivenBack) {
  CoInitialize(nullptr);
  std::string regexp_before = ClassOf(L"VBScript.RegExp");
  std::string mapi_before = ClassOf(L"Redemption.MAPIUtils");
  {
    sim::World world;
    HostClassObjects classes(world.objects.get());
    ASSERT_EQ(classes.error(), "");
    EXPECT_NE(ClassOf(L"VBScript.RegExp"), regexp_before);
    EXPECT_EQ(ClassOf(L"Outlook.Application"), "{0006F03A-0000-0000-C000-000000000046}");
    // The add-in creates the object by its ProgID, as from Windows, and gets
    // the simulated machine's.
    com::LateBound regexp(com::CreateObjectByProgId("VBScript.RegExp"), "RegExp");
    regexp.Put("Pattern", com::Arg("^Pin"));
    EXPECT_TRUE(regexp.Bool("Test", {com::Arg("Pinlet")}));
    EXPECT_FALSE(regexp.Bool("Test", {com::Arg("Notes")}));
    int64_t before = world.faults.call_count();
    com::CreateObjectByProgId("Redemption.MAPIUtils");
    EXPECT_EQ(world.faults.call_count(), before + 1);  // the machine counted it
    // A library the machine has not installed cannot be created.
    try {
      com::CreateObjectByProgId("Relaybook.Engine");
      ADD_FAILURE() << "the sharing product was created though not installed";
    } catch (const HostError& error) {
      EXPECT_EQ(error.number(), errors::kCannotCreateObject);
    }
  }
  // Wine's own VBScript.RegExp is its own again; the others are gone.
  EXPECT_EQ(ClassOf(L"VBScript.RegExp"), regexp_before);
  EXPECT_EQ(ClassOf(L"Redemption.MAPIUtils"), mapi_before);
  CoUninitialize();
}

}  // namespace
}  // namespace pinlet::comhost
