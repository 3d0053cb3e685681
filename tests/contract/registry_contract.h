// The contract of Registry (platform/registry.h), one suite for every
// backend. A backend is a type with
//   Registry& registry();  // an empty current user's branch of its own
// instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, RegistryContract, Backend).
#ifndef PINLET_TESTS_CONTRACT_REGISTRY_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_REGISTRY_CONTRACT_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/registry.h"

namespace pinlet::contract {

inline constexpr char kRegistryKey[] = "Software\\Zarvo\\Pinlet";

template <typename Backend>
class RegistryContract : public ::testing::Test {
 protected:
  Registry& registry() { return backend_.registry(); }

 private:
  Backend backend_;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, ValuesKeepTheirTypeAndBytes) {
  Registry& registry = this->registry();
  const RegValue text = RegValue::Text(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC");  // Grüße €
  const RegValue dword = RegValue::Dword(0x12345678);
  const RegValue binary{kRegBinary, std::string("\x00\x01\xFF\x00", 4)};
  const RegValue multi{kRegMultiSz, std::string("one\0two\0\0", 9)};
  const RegValue empty = RegValue::Text("");
  const RegValue option = RegValue::Text("1");
  const RegValue big = RegValue::Text(std::string(100000, 'b'));
  for (auto& [name, value] :
       {std::pair{"Text", text}, std::pair{"Number", dword}, std::pair{"Bytes", binary},
        std::pair{"List", multi}, std::pair{"Empty", empty}, std::pair{"Option", option},
        std::pair{"Big", big}}) {
    ASSERT_TRUE(registry.SetValue(kRegistryKey, name, value)) << name;
    EXPECT_EQ(registry.QueryValue(kRegistryKey, name), value) << name;
  }
  // A value written again takes its new type and bytes.
  ASSERT_TRUE(registry.SetValue(kRegistryKey, "Number", RegValue::Text("seven")));
  EXPECT_EQ(registry.QueryValue(kRegistryKey, "number"), RegValue::Text("seven"));
}

TYPED_TEST_P(RegistryContract, FoundAndAbsentAreToldApart) {
  Registry& registry = this->registry();
  RegValue value;
  EXPECT_EQ(registry.ReadValue(kRegistryKey, "MyDir", &value), Registry::Read::kAbsent);
  ASSERT_TRUE(registry.SetValue(kRegistryKey, "Other", RegValue::Dword(1)));
  EXPECT_EQ(registry.ReadValue(kRegistryKey, "MyDir", &value), Registry::Read::kAbsent);
  EXPECT_EQ(registry.ReadValue(kRegistryKey, "other", &value), Registry::Read::kFound);
  EXPECT_EQ(value, RegValue::Dword(1));
  EXPECT_EQ(registry.ReadValue("Software\\Zarvo", "Other", &value), Registry::Read::kAbsent);
}

TYPED_TEST_P(RegistryContract, AnEmptyNameIsTheDefaultValue) {
  Registry& registry = this->registry();
  ASSERT_TRUE(registry.SetValue(kRegistryKey, "", RegValue::Text("default")));
  EXPECT_EQ(registry.QueryValue(kRegistryKey, ""), RegValue::Text("default"));
  EXPECT_TRUE(registry.DeleteValue(kRegistryKey, ""));
  EXPECT_FALSE(registry.QueryValue(kRegistryKey, ""));
  EXPECT_TRUE(registry.KeyExists(kRegistryKey));
}

TYPED_TEST_P(RegistryContract, PathsAndNamesIgnoreCaseAndStraySeparators) {
  Registry& registry = this->registry();
  ASSERT_TRUE(registry.SetValue("\\Software\\\\Zarvo\\Pinlet\\", "MyDir",
                                RegValue::Text("C:\\Notes\\")));
  EXPECT_EQ(registry.QueryValue("SOFTWARE\\zarvo\\PINLET", "mydir"),
            RegValue::Text("C:\\Notes\\"));
  EXPECT_TRUE(registry.KeyExists("software\\ZARVO"));  // parents are made
  EXPECT_FALSE(registry.KeyExists("Software\\Zarvo\\Missing"));
  EXPECT_FALSE(registry.KeyExists(""));
  EXPECT_THAT(*registry.EnumSubkeys("Software"), ::testing::ElementsAre("Zarvo"));
  EXPECT_THAT(*registry.EnumSubkeys(""), ::testing::ElementsAre("Software"));
}

TYPED_TEST_P(RegistryContract, WhatNoKeyOrValueCanBeCalledIsRefusedAndAbsent) {
  Registry& registry = this->registry();
  const std::string key = kRegistryKey;
  const std::string too_long(256, 'k');
  const std::string invalid = "Bad\xFF";
  const std::string with_nul("Bad\0Name", 8);
  RegValue value;
  for (const std::string& path : {key + "\\" + too_long, key + "\\" + invalid,
                                  key + "\\" + with_nul, std::string(""), std::string("\\\\")}) {
    EXPECT_FALSE(registry.SetValue(path, "v", RegValue::Dword(1))) << path;
    EXPECT_EQ(registry.ReadValue(path, "v", &value), Registry::Read::kAbsent) << path;
    EXPECT_FALSE(registry.EnumValueNames(path)) << path;
  }
  EXPECT_FALSE(registry.SetValue(key, invalid, RegValue::Dword(1)));
  EXPECT_FALSE(registry.SetValue(key, with_nul, RegValue::Dword(1)));
  // Text that is not UTF-8, and a DWORD of other than four bytes.
  EXPECT_FALSE(registry.SetValue(key, "Text", RegValue::Text("caf\xE9")));
  EXPECT_FALSE(registry.SetValue(key, "List", {kRegMultiSz, "\xC3\0\0"}));
  EXPECT_FALSE(registry.SetValue(key, "Number", {kRegDword, "abc"}));
  // Nothing was made on the way.
  EXPECT_FALSE(registry.KeyExists("Software"));
}

TYPED_TEST_P(RegistryContract, ValuesAndSubkeysAreListedAndValuesDeleted) {
  Registry& registry = this->registry();
  const std::string key = kRegistryKey;
  for (const char* name : {"Zeta", "alpha", "Mid"})
    ASSERT_TRUE(registry.SetValue(key, name, RegValue::Text(name)));
  ASSERT_TRUE(registry.SetValue(key, "ALPHA", RegValue::Text("again")));
  ASSERT_TRUE(registry.SetValue(key + "\\Notes\\Colours", "x", RegValue::Dword(0)));
  ASSERT_TRUE(registry.SetValue(key + "\\Options", "x", RegValue::Dword(0)));
  // The first spelling stays; the order is the backend's own.
  EXPECT_THAT(*registry.EnumValueNames(key),
              ::testing::UnorderedElementsAre("Zeta", "alpha", "Mid"));
  EXPECT_THAT(*registry.EnumSubkeys(key), ::testing::UnorderedElementsAre("Notes", "Options"));
  EXPECT_FALSE(registry.EnumValueNames("Software\\Missing"));
  EXPECT_FALSE(registry.EnumSubkeys("Software\\Missing"));
  const std::string long_name(1000, 'n');
  ASSERT_TRUE(registry.SetValue(key + "\\Options", long_name, RegValue::Dword(7)));
  EXPECT_THAT(*registry.EnumValueNames(key + "\\Options"),
              ::testing::UnorderedElementsAre("x", long_name));

  EXPECT_TRUE(registry.DeleteValue(key, "MID"));
  EXPECT_FALSE(registry.DeleteValue(key, "Mid"));
  EXPECT_FALSE(registry.DeleteValue("Software\\Missing", "Mid"));
  EXPECT_THAT(*registry.EnumValueNames(key), ::testing::UnorderedElementsAre("Zeta", "alpha"));
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, ValuesKeepTheirTypeAndBytes,
                            FoundAndAbsentAreToldApart, AnEmptyNameIsTheDefaultValue,
                            PathsAndNamesIgnoreCaseAndStraySeparators,
                            WhatNoKeyOrValueCanBeCalledIsRefusedAndAbsent,
                            ValuesAndSubkeysAreListedAndValuesDeleted);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_REGISTRY_CONTRACT_H_
