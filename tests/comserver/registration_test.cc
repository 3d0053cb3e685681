// Registration of pinlet.dll, as it ships: exactly the keys and values it
// promises, under HKEY_CLASSES_ROOT, the current user's Office branch and
// the add-in's settings, and unregistration back to all three as they were,
// keeping what others registered beside it and the add-in's own settings.
// The list here is written out on purpose, apart from the one the DLL and
// the installer package share: it checks that list too.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <set>
#include <string>

#include "comserver/pinlet_addin.h"  // CLSID_Connect
#include "comserver/registry_tree.h"
#include "install/registry_rows.h"
#include "platform/wide_text.h"
#include "server_support.h"

namespace pinlet::com {
namespace {

const std::string kClsid = "{01425611-89AD-454B-9F43-92F7B98B88FC}";
const std::string kClassKey = "CLSID\\" + kClsid;
const std::wstring kOffice = L"Software\\Microsoft\\Office";
const std::wstring kSettings = L"Software\\Zarvo\\Pinlet";

std::string AppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
  return Narrow(path);
}

void CreateKey(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// What registration may touch: the class's and the ProgID's keys of
// HKEY_CLASSES_ROOT, and the current user's Office branch, each line
// prefixed with its root.
std::set<std::string> Snapshot() {
  std::set<std::string> lines;
  auto add = [&](const char* root_name, HKEY root, const std::wstring& path) {
    for (const std::string& line : RegistrySnapshot(root, path))
      lines.insert(line.substr(0, 2) + root_name + "\\" + line.substr(2));
  };
  add("HKCR", HKEY_CLASSES_ROOT, Wide(kClassKey));
  add("HKCR", HKEY_CLASSES_ROOT, L"Pinlet.Connect");
  add("HKCU", HKEY_CURRENT_USER, kOffice);
  add("HKCU", HKEY_CURRENT_USER, L"Software\\Zarvo");
  return lines;
}

// The lines registration adds to a snapshot taken before: its own keys and
// values, and the Office parents that were missing.
std::set<std::string> ExpectedAdditions(const std::set<std::string>& before,
                                        const std::string& dll_path) {
  const std::string key = "HKCR\\" + kClassKey;
  std::set<std::string> lines = {
      "K " + key,
      "V " + key + "|=sz:Pinlet.Connect",
      "K " + key + "\\InprocServer32",
      "V " + key + "\\InprocServer32|=sz:" + dll_path,
      "V " + key + "\\InprocServer32|ThreadingModel=sz:Apartment",
      "K " + key + "\\ProgID",
      "V " + key + "\\ProgID|=sz:Pinlet.Connect",
      "K HKCR\\Pinlet.Connect",
      "K HKCR\\Pinlet.Connect\\CLSID",
      "V HKCR\\Pinlet.Connect\\CLSID|=sz:" + kClsid,
  };
  std::set<std::string> parents;
  for (std::string host : {"Outlook", "Word"}) {
    std::string office = "HKCU\\Software\\Microsoft\\Office\\" + host;
    std::string addin = office + "\\Addins\\Pinlet.Connect";
    lines.insert(
        {"K " + addin, "V " + addin + "|FriendlyName=sz:Pinlet",
         "V " + addin + "|Description=sz:Pinlet: sticky notes attached to Outlook items",
         "V " + addin + "|LoadBehavior=dword:3"});
    parents.insert({"K " + office, "K " + office + "\\Addins"});
  }
  std::string folder = dll_path.substr(0, dll_path.rfind('\\') + 1);
  lines.insert({"V HKCU\\Software\\Zarvo\\Pinlet|InstDir=sz:" + folder,
                "V HKCU\\Software\\Zarvo\\Pinlet|MyDir=sz:" + AppDataFolder() +
                    "\\Zarvo\\Pinlet\\"});
  parents.insert({"K HKCU\\Software\\Zarvo", "K HKCU\\Software\\Zarvo\\Pinlet"});
  for (const std::string& parent : parents)
    if (!before.count(parent)) lines.insert(parent);
  return lines;
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A machine with Office has Software\Microsoft\Office; registration
    // never removes it.
    CreateKey(HKEY_CURRENT_USER, kOffice);
    // Once round first: unregistration removes the parents it leaves empty,
    // whoever made them, so empty keys an earlier run left go here.
    ASSERT_EQ(dll_.Register(), S_OK);
    ASSERT_EQ(dll_.Unregister(), S_OK);
  }

  ServerDll& dll_ = ServerDll::Get(kShippedDll);
};

TEST_F(RegistrationTest, WritesExactlyItsKeysAndRemovesThemToTheLastOne) {
  std::set<std::string> before = Snapshot();
  ASSERT_EQ(dll_.Register(), S_OK);
  std::set<std::string> registered = Snapshot();
  EXPECT_EQ(Added(before, registered), ExpectedAdditions(before, Narrow(dll_.path())));
  EXPECT_TRUE(Added(registered, before).empty()) << "registration removed something";

  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(RegistrationTest, RegisteringAgainOrUnregisteringAgainChangesNothing) {
  ASSERT_EQ(dll_.Register(), S_OK);
  std::set<std::string> registered = Snapshot();
  ASSERT_EQ(dll_.Register(), S_OK);
  EXPECT_EQ(Snapshot(), registered);

  ASSERT_EQ(dll_.Unregister(), S_OK);
  std::set<std::string> unregistered = Snapshot();
  EXPECT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(Snapshot(), unregistered);
}

TEST_F(RegistrationTest, KeepsWhatOthersRegisteredAndTheParentsTheyNeed) {
  const std::wstring other_addin = kOffice + L"\\Outlook\\Addins\\Other.Addin";
  const std::wstring other_class = L"CLSID\\{0A1B2C3D-0000-4000-8000-000000000001}";
  auto other = [&] {
    std::set<std::string> lines = RegistrySnapshot(HKEY_CLASSES_ROOT, other_class);
    for (const std::string& line : RegistrySnapshot(HKEY_CURRENT_USER, kOffice))
      lines.insert(line);
    return lines;
  };
  std::set<std::string> initial = other();
  WriteDwordValue(HKEY_CURRENT_USER, other_addin, L"LoadBehavior", 3);
  WriteTextValue(HKEY_CLASSES_ROOT, other_class, L"", L"Other.Class");
  std::set<std::string> before = other();

  ASSERT_EQ(dll_.Register(), S_OK);
  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(other(), before);

  DeleteKeyTree(HKEY_CURRENT_USER, other_addin, kOffice);
  DeleteKeyTree(HKEY_CLASSES_ROOT, other_class, L"CLSID");
  EXPECT_EQ(other(), initial);
}

// The add-in's settings beside the two folders are the user's: they stay,
// and so does their key.
TEST_F(RegistrationTest, UnregisteringKeepsTheAddinsOwnSettings) {
  WriteTextValue(HKEY_CURRENT_USER, kSettings + L"\\Note", L"FontName", L"Tahoma");
  ASSERT_EQ(dll_.Register(), S_OK);
  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(ReadTextValue(HKEY_CURRENT_USER, kSettings + L"\\Note", L"FontName"), L"Tahoma");
  EXPECT_EQ(ReadTextValue(HKEY_CURRENT_USER, kSettings, L"InstDir"), std::nullopt);
  DeleteKeyTree(HKEY_CURRENT_USER, kSettings, L"Software");
}

// The user's data folder that registration made goes with it when empty;
// with the add-in's log in it, it stays.
TEST_F(RegistrationTest, UnregisteringRemovesTheUsersFolderOnlyWhenEmpty) {
  const std::wstring folder = Wide(AppDataFolder()) + L"\\Zarvo\\Pinlet";
  ASSERT_EQ(dll_.Register(), S_OK);
  EXPECT_NE(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_EQ(dll_.Register(), S_OK);
  const std::wstring log = folder + L"\\LibZarvo.log";
  HANDLE file = CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  ASSERT_EQ(dll_.Unregister(), S_OK);
  EXPECT_NE(GetFileAttributesW(log.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(log.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW((Wide(AppDataFolder()) + L"\\Zarvo").c_str());
}

TEST(RegistryRowsTest, NameTheClassOfTheTypeLibrary) {
  wchar_t text[40];
  StringFromGUID2(CLSID_Connect, text, 40);
  EXPECT_EQ(Narrow(text), install::kClsid);
}

}  // namespace
}  // namespace pinlet::com
