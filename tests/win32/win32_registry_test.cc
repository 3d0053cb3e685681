#include "platform/win32/win32_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/wide_text.h"
#include "platform/win32/registry_keys.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

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

TEST_F(Win32RegistryTest, ValuesKeepTheirTypeAndBytes) {
  const RegValue text = RegValue::Text(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC");  // Grüße €
  const RegValue dword = RegValue::Dword(0x12345678);
  const RegValue binary{kRegBinary, std::string("\x00\x01\xFF\x00", 4)};
  const RegValue multi{kRegMultiSz, std::string("one\0two\0\0", 9)};
  const RegValue empty = RegValue::Text("");
  // The check box options are one character: text short enough to live
  // inside its string object.
  const RegValue option = RegValue::Text("1");
  for (auto& [name, value] : {std::pair{"Text", text}, std::pair{"Number", dword},
                              std::pair{"Bytes", binary}, std::pair{"List", multi},
                              std::pair{"Empty", empty}, std::pair{"Option", option}}) {
    ASSERT_TRUE(registry.SetValue(kKey, name, value)) << name;
    EXPECT_EQ(registry.QueryValue(kKey, name), value) << name;
  }
  // Text is UTF-16 in the registry, stored without a terminating zero of
  // its own; a DWORD is four little-endian bytes.
  EXPECT_EQ(
      Raw(kKey, L"Text"),
      std::pair(DWORD{REG_SZ}, std::string("G\0r\0\xFC\0\xDF\0e\0 \0\xAC\x20", 14)));
  EXPECT_EQ(Raw(kKey, L"Number"),
            std::pair(DWORD{REG_DWORD}, std::string("\x78\x56\x34\x12", 4)));
  EXPECT_EQ(Raw(kKey, L"Empty"), std::pair(DWORD{REG_SZ}, std::string()));
  EXPECT_EQ(Raw(kKey, L"Option"), std::pair(DWORD{REG_SZ}, std::string("1\0", 2)));
}

TEST_F(Win32RegistryTest, ATerminatingZeroAnotherProgramStoredIsKept) {
  SetRaw(kKey, L"InstDir", REG_SZ, std::string("C\0:\0\\\0\0\0", 8));
  SetRaw(kKey, L"Odd", REG_SZ, std::string("A\0B", 3));  // half a unit at the end
  EXPECT_EQ(registry.QueryValue(kKey, "InstDir"),
            RegValue::Text(std::string("C:\\\0", 4)));
  EXPECT_EQ(registry.QueryValue(kKey, "Odd"), RegValue::Text("A"));
}

TEST_F(Win32RegistryTest, FoundAbsentAndFailedAreToldApart) {
  RegValue value;
  EXPECT_EQ(registry.ReadValue(kKey, "MyDir", &value), Registry::Read::kAbsent);
  ASSERT_TRUE(registry.SetValue(kKey, "Other", RegValue::Dword(1)));
  EXPECT_EQ(registry.ReadValue(kKey, "MyDir", &value), Registry::Read::kAbsent);
  EXPECT_EQ(registry.ReadValue(kKey, "other", &value), Registry::Read::kFound);
  EXPECT_EQ(value, RegValue::Dword(1));

  // A branch deleted while it is the current user's cannot be read at all.
  HKEY doomed;
  ASSERT_EQ(RegCreateKeyExW(user.key(), L"Doomed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &doomed, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, doomed), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyW(user.key(), L"Doomed"), ERROR_SUCCESS);
  EXPECT_EQ(registry.ReadValue("Software", "x", &value), Registry::Read::kFailed);
  EXPECT_FALSE(registry.SetValue("Software", "x", RegValue::Dword(1)));
  RegOverridePredefKey(HKEY_CURRENT_USER, user.key());
  RegCloseKey(doomed);
}

TEST_F(Win32RegistryTest, AnEmptyNameIsTheDefaultValue) {
  ASSERT_TRUE(registry.SetValue(kKey, "", RegValue::Text("default")));
  EXPECT_EQ(Raw(kKey, nullptr).second, std::string("d\0e\0f\0a\0u\0l\0t\0", 14));
  EXPECT_EQ(registry.QueryValue(kKey, ""), RegValue::Text("default"));
  EXPECT_TRUE(registry.DeleteValue(kKey, ""));
  EXPECT_FALSE(registry.QueryValue(kKey, ""));
}

TEST_F(Win32RegistryTest, PathsAndNamesIgnoreCaseAndStraySeparators) {
  ASSERT_TRUE(registry.SetValue("\\Software\\\\Zarvo\\Pinlet\\", "MyDir",
                                RegValue::Text("C:\\Notes\\")));
  EXPECT_EQ(registry.QueryValue("SOFTWARE\\zarvo\\PINLET", "mydir"),
            RegValue::Text("C:\\Notes\\"));
  EXPECT_TRUE(registry.KeyExists("software\\ZARVO"));
  EXPECT_FALSE(registry.KeyExists("Software\\Zarvo\\Missing"));
  EXPECT_FALSE(registry.KeyExists(""));
  EXPECT_THAT(*registry.EnumSubkeys("Software"), ElementsAre("Zarvo"));
  EXPECT_THAT(*registry.EnumSubkeys(""), ElementsAre("Software"));
}

TEST_F(Win32RegistryTest, WhatNoKeyOrValueCanBeCalledIsRefusedAndAbsent) {
  const std::string too_long(256, 'k');
  const std::string invalid = "Bad\xFF";
  const std::string with_nul("Bad\0Name", 8);
  RegValue value;
  for (const std::string& path :
       {kKey + ("\\" + too_long), kKey + ("\\" + invalid), kKey + ("\\" + with_nul),
        std::string(""), std::string("\\\\")}) {
    EXPECT_FALSE(registry.SetValue(path, "v", RegValue::Dword(1))) << path;
    EXPECT_EQ(registry.ReadValue(path, "v", &value), Registry::Read::kAbsent) << path;
    EXPECT_FALSE(registry.EnumValueNames(path)) << path;
  }
  EXPECT_FALSE(registry.SetValue(kKey, invalid, RegValue::Dword(1)));
  EXPECT_FALSE(registry.SetValue(kKey, with_nul, RegValue::Dword(1)));
  // Text that is not UTF-8, and a DWORD of other than four bytes.
  EXPECT_FALSE(registry.SetValue(kKey, "Text", RegValue::Text("caf\xE9")));
  EXPECT_FALSE(registry.SetValue(kKey, "List", {kRegMultiSz, "\xC3\0\0"}));
  EXPECT_FALSE(registry.SetValue(kKey, "Number", {kRegDword, "abc"}));
  // Nothing was made on the way.
  EXPECT_FALSE(registry.KeyExists("Software"));
}

TEST_F(Win32RegistryTest, ValuesAndSubkeysAreListedAndValuesDeleted) {
  for (const char* name : {"Zeta", "alpha", "Mid"})
    ASSERT_TRUE(registry.SetValue(kKey, name, RegValue::Text(name)));
  ASSERT_TRUE(registry.SetValue(kKey, "ALPHA", RegValue::Text("again")));
  ASSERT_TRUE(
      registry.SetValue(std::string(kKey) + "\\Notes\\Colours", "x", RegValue::Dword(0)));
  ASSERT_TRUE(
      registry.SetValue(std::string(kKey) + "\\Options", "x", RegValue::Dword(0)));
  // The system keeps the order (Wine sorts), and the first spelling.
  EXPECT_THAT(*registry.EnumValueNames(kKey),
              UnorderedElementsAre("Zeta", "alpha", "Mid"));
  EXPECT_THAT(*registry.EnumSubkeys(kKey), UnorderedElementsAre("Notes", "Options"));
  EXPECT_FALSE(registry.EnumValueNames("Software\\Missing"));
  EXPECT_FALSE(registry.EnumSubkeys("Software\\Missing"));

  EXPECT_TRUE(registry.DeleteValue(kKey, "MID"));
  EXPECT_FALSE(registry.DeleteValue(kKey, "Mid"));
  EXPECT_FALSE(registry.DeleteValue("Software\\Missing", "Mid"));
  EXPECT_THAT(*registry.EnumValueNames(kKey), UnorderedElementsAre("Zeta", "alpha"));
}

TEST_F(Win32RegistryTest, AValueNameLongerThanTheFirstGuessIsListed) {
  const std::string long_name(1000, 'n');
  ASSERT_TRUE(registry.SetValue(kKey, long_name, RegValue::Dword(7)));
  EXPECT_THAT(*registry.EnumValueNames(kKey), ElementsAre(long_name));
  const std::string big(100000, 'b');
  ASSERT_TRUE(registry.SetValue(kKey, "Big", RegValue::Text(big)));
  EXPECT_EQ(registry.QueryValue(kKey, "Big"), RegValue::Text(big));
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
