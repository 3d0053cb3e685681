#include "platform/win32/win32_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/wide_text.h"
#include "platform/win32/registry_keys.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

constexpr char kKey[] = "Software\\Zarvo\\Pinlet";

class Win32RegistryTest : public ::testing::Test {
 protected:
  // The raw bytes and type the system holds for a value of `path`.
  std::pair<DWORD, std::string> Raw(const std::string& path, const wchar_t* name) {
    OwnedKey key;
    if (key.Open(HKEY_CURRENT_USER, Wide(path), KEY_QUERY_VALUE) != ERROR_SUCCESS)
      return {REG_NONE, "<no key>"};
    std::string data(1024, '\0');
    DWORD type = REG_NONE, size = static_cast<DWORD>(data.size());
    if (RegQueryValueExW(key.get(), name, nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
      return {REG_NONE, "<no value>"};
    data.resize(size);
    return {type, data};
  }
  // Stores a value as another program would, bytes as given.
  void SetRaw(const std::string& path, const wchar_t* name, DWORD type,
              std::string_view bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }

  testing::TestCurrentUser user;
  Win32Registry registry;
};

// What the values are in the system's own terms: text as UTF-16 without a
// terminating zero of its own, a DWORD as four little-endian bytes, the
// default value under no name.
TEST_F(Win32RegistryTest, ValuesAreStoredAsTheSystemStoresThem) {
  ASSERT_TRUE(registry.SetValue(kKey, "Text",
                                RegValue::Text("Gr\xC3\xBC\xC3\x9F"
                                               "e \xE2\x82\xAC")));  // Grüße €
  ASSERT_TRUE(registry.SetValue(kKey, "Number", RegValue::Dword(0x12345678)));
  ASSERT_TRUE(registry.SetValue(kKey, "Empty", RegValue::Text("")));
  // The check box options are one character: text short enough to live
  // inside its string object.
  ASSERT_TRUE(registry.SetValue(kKey, "Option", RegValue::Text("1")));
  ASSERT_TRUE(registry.SetValue(kKey, "", RegValue::Text("default")));
  EXPECT_EQ(
      Raw(kKey, L"Text"),
      std::pair(DWORD{REG_SZ}, std::string("G\0r\0\xFC\0\xDF\0e\0 \0\xAC\x20", 14)));
  EXPECT_EQ(Raw(kKey, L"Number"),
            std::pair(DWORD{REG_DWORD}, std::string("\x78\x56\x34\x12", 4)));
  EXPECT_EQ(Raw(kKey, L"Empty"), std::pair(DWORD{REG_SZ}, std::string()));
  EXPECT_EQ(Raw(kKey, L"Option"), std::pair(DWORD{REG_SZ}, std::string("1\0", 2)));
  EXPECT_EQ(Raw(kKey, nullptr).second, std::string("d\0e\0f\0a\0u\0l\0t\0", 14));
}

TEST_F(Win32RegistryTest, ABranchThatCannotBeReadFailsRatherThanLooksEmpty) {
  // A branch deleted while it is the current user's cannot be read at all.
  HKEY doomed;
  ASSERT_EQ(RegCreateKeyExW(user.key(), L"Doomed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &doomed, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, doomed), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyW(user.key(), L"Doomed"), ERROR_SUCCESS);
  RegValue value;
  EXPECT_EQ(registry.ReadValue("Software", "x", &value), Registry::Read::kFailed);
  EXPECT_FALSE(registry.SetValue("Software", "x", RegValue::Dword(1)));
  RegOverridePredefKey(HKEY_CURRENT_USER, user.key());
  RegCloseKey(doomed);
}

TEST_F(Win32RegistryTest, ATerminatingZeroAnotherProgramStoredIsKept) {
  SetRaw(kKey, L"InstDir", REG_SZ, std::string("C\0:\0\\\0\0\0", 8));
  SetRaw(kKey, L"Odd", REG_SZ, std::string("A\0B", 3));  // half a unit at the end
  EXPECT_EQ(registry.QueryValue(kKey, "InstDir"),
            RegValue::Text(std::string("C:\\\0", 4)));
  EXPECT_EQ(registry.QueryValue(kKey, "Odd"), RegValue::Text("A"));
}

// --- Deleting key trees and emptied keys ---

class RegistryKeysTest : public Win32RegistryTest {
 protected:
  bool Exists(const std::string& path) { return registry.KeyExists(path); }
};

TEST_F(RegistryKeysTest, ATreeGoesWithEverythingBelowItAndNothingBeside) {
  std::string deep = "Software\\Classes\\CLSID\\{GUID}";
  for (int level = 0; level < 40; ++level) deep += "\\Level" + std::to_string(level);
  ASSERT_TRUE(registry.SetValue(deep, "", RegValue::Text("leaf")));
  ASSERT_TRUE(registry.SetValue("Software\\Classes\\CLSID\\{GUID}\\InprocServer32", "",
                                RegValue::Text("pinlet.dll")));
  ASSERT_TRUE(
      registry.SetValue("Software\\Classes\\CLSID\\{GUID}", "", RegValue::Text("x")));
  ASSERT_TRUE(
      registry.SetValue("Software\\Classes\\CLSID\\{OTHER}", "", RegValue::Text("y")));

  EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, "software\\classes\\clsid\\{guid}"));
  EXPECT_FALSE(Exists("Software\\Classes\\CLSID\\{GUID}"));
  EXPECT_TRUE(Exists("Software\\Classes\\CLSID\\{OTHER}"));
  // Gone already is gone; the root is never deleted, nor a path no key has.
  EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{GUID}"));
  EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, ""));
  EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Bad\xFF"));
  EXPECT_TRUE(Exists("Software"));
}

TEST_F(RegistryKeysTest, EmptiedParentsGoUpToTheAncestor) {
  const std::string addins = "Software\\Microsoft\\Office\\Outlook\\Addins";
  ASSERT_TRUE(
      registry.SetValue(addins + "\\Pinlet.Connect", "LoadBehavior", RegValue::Dword(3)));
  ASSERT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, addins + "\\Pinlet.Connect"));
  // The add-in's key is gone already; Addins and Outlook are left empty.
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, addins + "\\Pinlet.Connect",
                            "Software\\Microsoft\\Office"),
            2);
  EXPECT_FALSE(Exists("Software\\Microsoft\\Office\\Outlook"));
  EXPECT_TRUE(Exists("Software\\Microsoft\\Office"));
}

TEST_F(RegistryKeysTest, AKeyThatHoldsSomethingEndsTheWalk) {
  ASSERT_TRUE(registry.SetValue("Software\\A\\B\\C", "", RegValue::Text("default")));
  ASSERT_TRUE(registry.SetValue("Software\\A", "kept", RegValue::Dword(1)));
  // C holds its default value: nothing goes.
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\A\\B\\C", ""), 0);
  ASSERT_TRUE(registry.DeleteValue("Software\\A\\B\\C", ""));
  // C and B go; A holds a value.
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\A\\B\\C", ""), 2);
  EXPECT_TRUE(Exists("Software\\A"));
  EXPECT_FALSE(Exists("Software\\A\\B"));
}

TEST_F(RegistryKeysTest, AnAncestorThatDoesNotHoldThePathDeletesNothing) {
  ASSERT_TRUE(registry.SetValue("Software\\A\\B", "x", RegValue::Dword(1)));
  ASSERT_TRUE(registry.DeleteValue("Software\\A\\B", "x"));
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\A\\B", "Software\\Other"), 0);
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\A\\B", "Software\\A\\B"), 0);
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\A", "Software\\A\\B"), 0);
  EXPECT_TRUE(Exists("Software\\A\\B"));
  EXPECT_EQ(DeleteEmptyKeys(HKEY_CURRENT_USER, "Software\\A\\B", "SOFTWARE"), 2);
  EXPECT_TRUE(Exists("Software"));
}

}  // namespace
}  // namespace pinlet
