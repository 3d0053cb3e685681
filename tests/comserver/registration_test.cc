// Registration of pinlet.dll, as it ships, for the current user: exactly the
// keys and values it promises, and unregistration back to the branch as it
// was, keeping what others registered beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "comserver/registry_tree.h"
#include "platform/com/com_ptr.h"
#include "server_support.h"

namespace pinlet::com {
namespace {

const std::string kClsid = "{01425611-89AD-454B-9F43-92F7B98B88FC}";
const std::string kClassKey = "Software\\Classes\\CLSID\\" + kClsid;

void CreateKey(const std::wstring& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// The lines registration adds to a snapshot of HKCU\Software taken before:
// its own keys and values, and the parents that were missing.
std::set<std::string> ExpectedAdditions(const std::set<std::string>& before,
                                        const std::string& dll_path) {
  std::set<std::string> lines = {
      "K " + kClassKey,
      "V " + kClassKey + "|=sz:Pinlet.Connect",
      "K " + kClassKey + "\\InprocServer32",
      "V " + kClassKey + "\\InprocServer32|=sz:" + dll_path,
      "V " + kClassKey + "\\InprocServer32|ThreadingModel=sz:Apartment",
      "K " + kClassKey + "\\ProgID",
      "V " + kClassKey + "\\ProgID|=sz:Pinlet.Connect",
      "K Software\\Classes\\Pinlet.Connect",
      "K Software\\Classes\\Pinlet.Connect\\CLSID",
      "V Software\\Classes\\Pinlet.Connect\\CLSID|=sz:" + kClsid,
  };
  std::set<std::string> parents = {"K Software\\Classes\\CLSID"};
  for (std::string host : {"Outlook", "Word"}) {
    std::string office = "Software\\Microsoft\\Office\\" + host;
    std::string key = office + "\\Addins\\Pinlet.Connect";
    lines.insert(
        {"K " + key, "V " + key + "|FriendlyName=sz:Pinlet",
         "V " + key + "|Description=sz:Pinlet: sticky notes attached to Outlook items",
         "V " + key + "|LoadBehavior=dword:3"});
    parents.insert({"K " + office, "K " + office + "\\Addins"});
  }
  for (const std::string& parent : parents)
    if (!before.count(parent)) lines.insert(parent);
  return lines;
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Windows always has Software\Classes, and a machine with Office has
    // Software\Microsoft\Office; registration never removes either.
    CreateKey(L"Software\\Classes");
    CreateKey(L"Software\\Microsoft\\Office");
    // Once round first: unregistration removes the parents it leaves empty,
    // whoever made them, so empty keys an earlier run left go here.
    ASSERT_EQ(dll_.Register(), S_OK);
    ASSERT_EQ(dll_.Unregister(), S_OK);
  }

  ServerDll& dll_ = ServerDll::Get(kShippedDll);
};

TEST_F(RegistrationTest, WritesExactlyItsKeysAndRemovesThemToTheLastOne) {
  std::set<std::string> before = RegistrySnapshot(L"Software");
  ASSERT_EQ(dll_.Register(), S_OK);
  std::set<std::string> registered = RegistrySnapshot(L"Software");
  EXPECT_EQ(Added(before, registered), ExpectedAdditions(before, Narrow(dll_.path())));
  EXPECT_TRUE(Added(registered, before).empty()) << "registration removed something";

  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(RegistrySnapshot(L"Software"), before);
}

TEST_F(RegistrationTest, RegisteringAgainOrUnregisteringAgainChangesNothing) {
  ASSERT_EQ(dll_.Register(), S_OK);
  std::set<std::string> registered = RegistrySnapshot(L"Software");
  ASSERT_EQ(dll_.Register(), S_OK);
  EXPECT_EQ(RegistrySnapshot(L"Software"), registered);

  ASSERT_EQ(dll_.Unregister(), S_OK);
  std::set<std::string> unregistered = RegistrySnapshot(L"Software");
  EXPECT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(RegistrySnapshot(L"Software"), unregistered);
}

TEST_F(RegistrationTest, KeepsWhatOthersRegisteredAndTheParentsTheyNeed) {
  const std::wstring other_addin =
      L"Software\\Microsoft\\Office\\Outlook\\Addins\\Other.Addin";
  const std::wstring other_class =
      L"Software\\Classes\\CLSID\\{0A1B2C3D-0000-4000-8000-000000000001}";
  std::set<std::string> initial = RegistrySnapshot(L"Software");
  WriteDwordValue(other_addin, L"LoadBehavior", 3);
  WriteTextValue(other_class, L"", L"Other.Class");
  std::set<std::string> before = RegistrySnapshot(L"Software");

  ASSERT_EQ(dll_.Register(), S_OK);
  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(RegistrySnapshot(L"Software"), before);

  DeleteKeyTree(other_addin, L"Software\\Microsoft\\Office");
  DeleteKeyTree(other_class, L"Software\\Classes");
  EXPECT_EQ(RegistrySnapshot(L"Software"), initial);
}

}  // namespace
}  // namespace pinlet::com
