#include "platform/sim/sim_registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/sim/fault_injector.h"

namespace pinlet::sim {
namespace {

TEST(SimRegistryTest, KeysAndNamesIgnoreCaseAndParentsExist) {
  SimRegistry reg;
  ASSERT_TRUE(
      reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "ItemOpen", RegValue::Text("1")));
  EXPECT_EQ(reg.QueryValue("software\\ZARVO\\pinlet\\note", "itemopen")->data, "1");
  EXPECT_TRUE(reg.KeyExists("Software\\Zarvo"));
  EXPECT_EQ(*reg.EnumSubkeys("Software\\Zarvo"), std::vector<std::string>{"Pinlet"});
  EXPECT_FALSE(reg.QueryValue("Software\\Zarvo", "ItemOpen"));
  EXPECT_FALSE(reg.EnumValueNames("Software\\Other"));
  EXPECT_TRUE(reg.DeleteValue("Software\\Zarvo\\Pinlet\\Note", "ITEMOPEN"));
  EXPECT_FALSE(reg.DeleteValue("Software\\Zarvo\\Pinlet\\Note", "ItemOpen"));
}

TEST(SimRegistryTest, ExportAndImportKeepEveryTypeExactly) {
  SimRegistry reg;
  reg.SetValue("Software\\Zarvo\\Pinlet", "InstDir",
               RegValue::Text("C:\\Program Files\\\"Z\"\\"));
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "FlagIndex", RegValue::Dword(10));
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Zero", {kRegSz, std::string("ab\0", 3)});
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Lines", RegValue::Text("one\r\ntwo"));
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Blob",
               {kRegBinary, std::string("\0\xff", 2)});
  reg.SetValue("Software\\Zarvo\\Pinlet\\folders", "0000ABCD", RegValue::Text("Προβολή"));
  reg.SetValue("Software\\Zarvo\\Pinlet\\folders", "", RegValue::Text("default"));
  std::string text = reg.Export();
  EXPECT_NE(text.find("Windows Registry Editor Version 5.00\r\n"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Zarvo\\Pinlet\\Note]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"InstDir\"=\"C:\\\\Program Files\\\\\\\"Z\\\"\\\\\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"FlagIndex\"=dword:0000000a\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Blob\"=hex:00,ff\r\n"), std::string::npos);
  EXPECT_NE(text.find("@=\"default\""), std::string::npos);
  SimRegistry copy;
  std::string error;
  ASSERT_TRUE(copy.Import(text, &error)) << error;
  for (std::string name : {"FlagIndex", "Zero", "Lines", "Blob"})
    EXPECT_EQ(copy.QueryValue("Software\\Zarvo\\Pinlet\\Note", name),
              reg.QueryValue("Software\\Zarvo\\Pinlet\\Note", name))
        << name;
  EXPECT_EQ(copy.QueryValue("Software\\Zarvo\\Pinlet\\folders", "0000ABCD")->data,
            "Προβολή");
  EXPECT_EQ(copy.Export(), text);
}

TEST(SimRegistryTest, ImportReadsRegeditsLineContinuations) {
  SimRegistry reg;
  std::string error;
  ASSERT_TRUE(
      reg.Import("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
                 "; a comment\n[HKEY_CURRENT_USER\\Software\\X]\n"
                 "\"Big\"=hex:01,02,\\\n  03,04\n\"S\"=hex(1):41,00,42,00,00,00\n",
                 &error))
      << error;
  EXPECT_EQ(reg.QueryValue("Software\\X", "Big")->data, "\x01\x02\x03\x04");
  EXPECT_EQ(reg.QueryValue("Software\\X", "S")->data, std::string("AB\0", 3));
}

TEST(SimRegistryTest, MalformedFilesAreRefusedWholeNamingTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"", "line 1: empty file"},
      {"REGEDIT5\n", "line 1: expected \"Windows Registry Editor Version 5.00\""},
      {"REGEDIT4\n\"a\"=\"b\"\n", "line 2: a value before any [key] line"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n",
       "line 2: only keys under HKEY_CURRENT_USER"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", "line 2: a key line must end with ]"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123\n",
       "line 3: a dword needs exactly 8"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n", "line 3: unterminated"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:1,zz\n",
       "line 3: malformed hexadecimal"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\na=\"b\"\n",
       "line 3: a value name must be quoted"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\"\n\"c\"=wat\n",
       "line 4: unknown value"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n", "line 2: key deletion"},
  };
  for (const Case& c : cases) {
    SimRegistry reg;
    reg.SetValue("Keep", "me", RegValue::Text("1"));
    std::string error;
    EXPECT_FALSE(reg.Import(c.text, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    EXPECT_TRUE(reg.QueryValue("Keep", "me")) << "a refused file changes nothing";
  }
}

TEST(SimRegistryTest, SaveReplacesTheFileThroughATemporaryOne) {
  std::string path = testing::TempDir() + "/pinlet_registry_test.reg";
  SimRegistry reg;
  reg.SetValue("Software\\Zarvo\\Pinlet", "MyDir", RegValue::Text("D:\\"));
  std::string error;
  ASSERT_TRUE(reg.Save(path, &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  SimRegistry loaded;
  ASSERT_TRUE(loaded.Load(path, &error)) << error;
  EXPECT_EQ(loaded.QueryValue("Software\\Zarvo\\Pinlet", "MyDir")->data, "D:\\");
  std::ofstream(path) << "garbage\n";
  EXPECT_FALSE(loaded.Load(path, &error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  std::remove(path.c_str());
}

TEST(SimRegistryTest, FaultsMakeCallsFailWithoutChangingAnything) {
  FaultInjector faults;
  SimRegistry reg(&faults);
  faults.FailCall(1);
  EXPECT_FALSE(reg.SetValue("A", "b", RegValue::Text("c")));
  EXPECT_TRUE(reg.AllKeys().empty());
  EXPECT_TRUE(reg.SetValue("A", "b", RegValue::Text("c")));
  faults.FailMember("RegQueryValueEx");
  EXPECT_FALSE(reg.QueryValue("A", "b"));
}

}  // namespace
}  // namespace pinlet::sim
