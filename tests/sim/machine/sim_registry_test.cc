#include "sim/machine/sim_registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "sim/machine/fault_injector.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

using namespace std::string_view_literals;

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
  // Types of 0xA and up are written in hexadecimal, as regedit reads them.
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Big",
               {11, std::string("\x01\0\0\0\0\0\0\x80", 8)});
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Odd", {0x12345, "x"});
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "None", {kRegNone, ""});
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Multi",
               {kRegMultiSz, std::string("a\0\xCE\xB2\0\0", 6)});
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Path", {kRegExpandSz, "%TEMP%\\x"});
  // A name that looks like the start of a hex list, and text ending in "\".
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "x=hex\"", RegValue::Text("C:\\"));
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "Tab", RegValue::Text("a\tb\x1b[0m"));
  std::string text = reg.Export();
  EXPECT_NE(text.find("Windows Registry Editor Version 5.00\r\n"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Zarvo\\Pinlet\\Note]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"InstDir\"=\"C:\\\\Program Files\\\\\\\"Z\\\"\\\\\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"FlagIndex\"=dword:0000000a\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Blob\"=hex:00,ff\r\n"), std::string::npos);
  EXPECT_NE(text.find("@=\"default\""), std::string::npos);
  EXPECT_NE(text.find("\"Big\"=hex(b):01,00,00,00,00,00,00,80\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Odd\"=hex(12345):78\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"None\"=hex(0):\r\n"), std::string::npos);
  SimRegistry copy;
  std::string error;
  ASSERT_TRUE(copy.Import(text, &error)) << error;
  for (std::string name : {"FlagIndex", "Zero", "Lines", "Blob", "Big", "Odd", "None",
                           "Multi", "Path", "x=hex\"", "Tab"})
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

// Regedit's own exports are UTF-16LE with a byte-order mark; older tools write
// UTF-8, and REGEDIT4 files are in the ANSI code page with single-byte hex text.
TEST(SimRegistryTest, ImportReadsEveryFormRegeditFilesComeIn) {
  const std::string v5 =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n"
      "\"Greek\"=\"\xCE\xA9\"\r\n\"Exp\"=hex(2):25,00,41,00,00,00\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char16_t unit : Utf8ToUtf16(v5)) {
    utf16 += static_cast<char>(unit & 0xFF);
    utf16 += static_cast<char>(unit >> 8);
  }
  for (const std::string& file : {utf16, "\xEF\xBB\xBF" + v5, v5}) {
    SimRegistry reg;
    std::string error;
    ASSERT_TRUE(reg.Import(file, &error)) << error;
    EXPECT_EQ(reg.QueryValue("Software\\X", "Greek")->data, "\xCE\xA9");
    EXPECT_EQ(*reg.QueryValue("Software\\X", "Exp"),
              (RegValue{kRegExpandSz, std::string("%A\0", 3)}));
  }
  SimRegistry reg;
  std::string error;
  ASSERT_TRUE(
      reg.Import("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n"
                 "\"Caf\xE9\"=\"\x80 5\"\r\n\"Exp\"=hex(2):25,41,e9,00\r\n"
                 "\"Multi\"=hex(7):61,00,62,00,00\r\n",
                 &error))
      << error;
  EXPECT_EQ(reg.QueryValue("Software\\X", "Caf\xC3\xA9")->data, "\xE2\x82\xAC 5");
  EXPECT_EQ(reg.QueryValue("Software\\X", "Exp")->data, std::string("%A\xC3\xA9\0", 5));
  EXPECT_EQ(reg.QueryValue("Software\\X", "Multi")->data, std::string("a\0b\0\0", 5));
}

// What the file could not hold exactly is refused when it is written, so every
// saved registry loads again.
TEST(SimRegistryTest, NamesAndTextTheFileCannotHoldAreRefused) {
  SimRegistry reg;
  EXPECT_FALSE(reg.SetValue("A", "two\nlines", RegValue::Text("x")));
  EXPECT_FALSE(reg.SetValue("A", "cr\r", RegValue::Text("x")));
  EXPECT_FALSE(reg.SetValue("A", std::string("nul\0", 4), RegValue::Text("x")));
  EXPECT_FALSE(reg.SetValue("A\nB\\C", "n", RegValue::Text("x")));
  EXPECT_FALSE(reg.SetValue("A", "\xFF", RegValue::Text("x")));
  EXPECT_FALSE(reg.SetValue("A", "n", RegValue::Text("caf\xE9")));
  EXPECT_FALSE(reg.SetValue("A", "n", {kRegMultiSz, "\xC0\xAF"}));
  std::string deep = "K";
  for (size_t i = 1; i < SimRegistry::kMaxDepth; ++i) deep += "\\K";
  EXPECT_FALSE(reg.SetValue(deep + "\\K", "n", RegValue::Text("x")));
  EXPECT_TRUE(reg.AllKeys().empty());
  // Bytes that are not text are fine where the type is not text.
  EXPECT_TRUE(reg.SetValue("A", "n", {kRegBinary, "\xFF\n"}));
  EXPECT_TRUE(reg.SetValue(deep, "n", RegValue::Text("512 levels")));
  SimRegistry copy;
  std::string error;
  ASSERT_TRUE(copy.Import(reg.Export(), &error)) << error;
  EXPECT_EQ(copy.QueryValue(deep, "n")->data, "512 levels");
  EXPECT_EQ(copy.Export(), reg.Export());
}

TEST(SimRegistryTest, MalformedFilesAreRefusedWholeNamingTheLine) {
  std::string deep = "REGEDIT4\n[HKEY_CURRENT_USER";
  for (int i = 0; i < 20000; ++i) deep += "\\K";
  deep += "]\n";
  struct Case {
    std::string_view text;
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
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:01,\n",
       "line 3: malformed hexadecimal"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:000000001\n",
       "line 3: a dword needs"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex(1g):00\n",
       "line 3: malformed hex(type)"},
      {"Windows Registry Editor Version "
       "5.00\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex(7):61,00,62\n",
       "line 3: hex(7) needs an even number of bytes (UTF-16 text)"},
      {"Windows Registry Editor Version "
       "5.00\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex(2):00,d8,41,00\n",
       "line 3: hex(2) holds a lone UTF-16 surrogate"},
      {"Windows Registry Editor Version "
       "5.00\n[HKEY_CURRENT_USER\\A]\n\"caf\xE9\"=\"x\"\n",
       "line 3: invalid UTF-8"},
      {"\xFE\xFF\0W"sv, "line 1: a UTF-16 big-endian file"},
      {"W\0i\0n\0"sv, "line 1: a UTF-16 file without its byte-order mark"},
      {"\xFF\xFEW\0\n\0x"sv, "line 2: the file ends inside a UTF-16 character"},
      {"\xFF\xFEW\0\n\0\n\0\x00\xDC"sv, "line 3: a lone UTF-16 surrogate"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\0\"=\"b\"\n"sv,
       "line 3: a value name holding a NUL"},
      {deep, "line 2: a key more than 512 levels deep (Windows keeps 512)"},
  };
  for (const Case& c : cases) {
    SimRegistry reg;
    reg.SetValue("Keep", "me", RegValue::Text("1"));
    std::string error;
    EXPECT_FALSE(reg.Import(c.text, &error)) << c.text.substr(0, 80);
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    EXPECT_TRUE(reg.QueryValue("Keep", "me")) << "a refused file changes nothing";
  }
}

// A file cut anywhere but at the end of a line is refused: no value is read short.
TEST(SimRegistryTest, TruncatedFilesAreRefused) {
  SimRegistry reg;
  reg.SetValue("Software\\Zarvo\\Pinlet", "InstDir", RegValue::Text("C:\\Pin \"let\"\\"));
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "FlagIndex", RegValue::Dword(10));
  reg.SetValue("Software\\Zarvo\\Pinlet\\Note", "", RegValue::Text("default"));
  const std::string text = reg.Export();
  const size_t header_end = text.find('\r');
  for (size_t cut = 0; cut < text.size(); ++cut) {
    SimRegistry copy;
    std::string error;
    const bool at_line_end =
        text[cut] == '\r' || text[cut] == '\n' || (cut > 0 && text[cut - 1] == '\n');
    EXPECT_EQ(copy.Import(text.substr(0, cut), &error), cut >= header_end && at_line_end)
        << cut << ": " << text.substr(0, cut);
  }
}

TEST(SimRegistryTest, DeepWideAndHugeRegistriesLoadWhole) {
  SimRegistry reg;
  std::string deep = "D";
  for (size_t i = 1; i < SimRegistry::kMaxDepth; ++i) deep += "\\Level";
  ASSERT_TRUE(reg.SetValue(deep, "v", RegValue::Text("bottom")));
  for (int i = 0; i < 80000; ++i)
    reg.SetValue("Wide", "Value" + std::to_string(i),
                 RegValue::Dword(static_cast<uint32_t>(i)));
  const std::string huge(4 << 20, 'h');
  reg.SetValue("Huge", "Text", RegValue::Text(huge));
  reg.SetValue("Huge", "Bytes", {kRegBinary, std::string(1 << 20, '\x7f')});
  const std::string text = reg.Export();
  // Keys that have subkeys and no values exist through their subkeys.
  EXPECT_EQ(text.find("[HKEY_CURRENT_USER\\D]"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\" + deep + "]"), std::string::npos);
  SimRegistry copy;
  std::string error;
  ASSERT_TRUE(copy.Import(text, &error)) << error;
  EXPECT_TRUE(copy.KeyExists("D\\Level"));
  EXPECT_EQ(copy.QueryValue(deep, "v")->data, "bottom");
  EXPECT_EQ(copy.QueryValue("Wide", "value79999")->dword(), 79999u);
  EXPECT_EQ(copy.EnumValueNames("Wide")->size(), 80000u);
  EXPECT_EQ(copy.QueryValue("Huge", "Text")->data, huge);
  EXPECT_EQ(copy.Export(), text);
  EXPECT_TRUE(copy.DeleteValue("Wide", "Value0"));
  EXPECT_EQ(copy.QueryValue("Wide", "Value1")->dword(), 1u);
  EXPECT_EQ(copy.EnumValueNames("Wide")->front(), "Value1");
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
