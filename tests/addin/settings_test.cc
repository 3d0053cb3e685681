#include "addin/settings.h"

#include <gtest/gtest.h>

#include "sim/machine/fault_injector.h"
#include "sim/machine/sim_registry.h"

namespace pinlet {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  sim::SimRegistry registry;
};

TEST_F(SettingsTest, DwordStoredByAnotherToolReadsAsANumberEverywhere) {
  registry.SetValue(kNoteKey, "NotesInOneWindow", RegValue::Dword(1));
  registry.SetValue(kNoteKey, "BackColor", RegValue::Dword(0xFFFFFFFF));
  Variant value =
      ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "NotesInOneWindow");
  ASSERT_TRUE(value.IsLong());
  EXPECT_EQ(value.long_value(), 1);
  EXPECT_TRUE(ReadCheck(registry, kNoteKey, "NotesInOneWindow"));
  EXPECT_EQ(ReadNumber(registry, kNoteKey, "BackColor"), -1);  // signed 32-bit
  EXPECT_EQ(ReadText(registry, kNoteKey, "NotesInOneWindow"), "1");
}

TEST_F(SettingsTest, TerminatingZeroIsDroppedButInnerTextKept) {
  registry.SetValue(kNoteKey, "FontName", {kRegSz, std::string("Arial\0", 6)});
  registry.SetValue(kNoteKey, "Empty", {kRegSz, std::string("\0", 1)});
  EXPECT_EQ(ReadText(registry, kNoteKey, "FontName"), "Arial");
  EXPECT_EQ(ReadText(registry, kNoteKey, "Empty"), "");
}

TEST_F(SettingsTest, MissingKeyValueAndOtherTypesReadAsEmpty) {
  EXPECT_TRUE(
      ReadValue(registry, RootKey::kCurrentUser, "Software\\Nowhere", "X").IsEmpty());
  registry.SetValue(kNoteKey, "Blob", {kRegBinary, "\x01\x02"});
  registry.SetValue(kNoteKey, "Short", {kRegDword, "\x01"});
  EXPECT_TRUE(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "Missing").IsEmpty());
  EXPECT_TRUE(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "Blob").IsEmpty());
  EXPECT_TRUE(ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "Short").IsEmpty());
  EXPECT_EQ(ReadNumber(registry, kNoteKey, "Blob"), 0);
}

TEST_F(SettingsTest, TextThatIsNotANumberReadsAsOff) {
  for (const char* text : {"yes", "", "on", "0x1", "-1"}) {
    WriteText(registry, kNoteKey, "ItemOpen", text);
    EXPECT_FALSE(ReadCheck(registry, kNoteKey, "ItemOpen")) << text;
  }
  WriteText(registry, kNoteKey, "FlagIndex", " 3 ");
  EXPECT_EQ(ReadNumber(registry, kNoteKey, "FlagIndex"), 3);
  WriteText(registry, kNoteKey, "FontSize", "99999999999999999999");
  EXPECT_EQ(ReadNumber(registry, kNoteKey, "FontSize"), INT32_MAX);
}

TEST_F(SettingsTest, LeadingBackslashSectionIsWrittenDirectlyUnderTheRoot) {
  EXPECT_TRUE(WriteValue(registry, RootKey::kCurrentUser, "\\Note", "X", Variant("1"),
                         kWriteText));
  EXPECT_TRUE(registry.QueryValue("Note", "X"));
  EXPECT_FALSE(registry.QueryValue(kNoteKey, "X"));
  EXPECT_FALSE(
      WriteValue(registry, RootKey::kCurrentUser, "\\", "X", Variant("1"), kWriteText));
  EXPECT_FALSE(
      WriteValue(registry, RootKey::kCurrentUser, "", "X", Variant("1"), kWriteText));
  EXPECT_EQ(registry.AllKeys().size(), 1u);
}

TEST_F(SettingsTest, TextOutsideAnyCodePageReadsBackAsWritten) {
  for (const char* text :
       {"Προβολή σημειώσεων", "Представление", "我的视图", "Ünïcødé ✓ 😀"}) {
    ASSERT_TRUE(WriteText(registry, kFoldersKey, "00000000AB", text));
    EXPECT_EQ(ReadText(registry, kFoldersKey, "00000000AB"), text);
  }
}

TEST_F(SettingsTest, DwordWritesAndUnknownTypesAreRefused) {
  EXPECT_TRUE(WriteValue(registry, RootKey::kCurrentUser, kNoteKey, "N", Variant("42"),
                         kWriteDword));
  EXPECT_EQ(registry.QueryValue(kNoteKey, "N")->dword(), 42u);
  EXPECT_FALSE(
      WriteValue(registry, RootKey::kCurrentUser, kNoteKey, "N", Variant("x"), 3));
}

TEST_F(SettingsTest, InstallAndUserFoldersComeFromTheRootKey) {
  WriteText(registry, kPinletKey, "InstDir", "C:\\Pinlet\\");
  WriteText(registry, kPinletKey, "MyDir", "D:\\Me\\");
  EXPECT_EQ(GetInstallDir(registry), "C:\\Pinlet\\");
  EXPECT_EQ(GetMyDir(registry), "D:\\Me\\");
}

TEST_F(SettingsTest, EnumerateValuesListsNamesInWriteOrder) {
  cRegistry reg(registry);
  reg.SectionKey = std::string(kSharedKey);
  std::vector<std::string> names;
  int count = -1;
  EXPECT_FALSE(reg.EnumerateValues(names, count));
  EXPECT_EQ(count, -1);
  WriteText(registry, kSharedKey, "b", "1");
  WriteText(registry, kSharedKey, "a", "2");
  WriteText(registry, kSharedKey, "B", "3");  // same name, other case
  ASSERT_TRUE(reg.EnumerateValues(names, count));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"b", "a"}));
}

TEST_F(SettingsTest, RegistryFailuresNeverReachTheReader) {
  sim::FaultInjector faults;
  sim::SimRegistry failing(&faults);
  faults.FailMember("RegQueryValueEx");
  faults.FailMember("RegSetValueEx");
  EXPECT_FALSE(WriteText(failing, kNoteKey, "X", "1"));
  EXPECT_EQ(ReadNumber(failing, kNoteKey, "X"), 0);
}

}  // namespace
}  // namespace pinlet
