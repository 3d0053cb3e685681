#include "platform/file_names.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/win_paths.h"

namespace pinlet {
namespace {

TEST(SafeFileNameTest, OrdinaryNamesStayExactlyAsTheyAre) {
  for (const char* name : {"relaybook.mdb", "Pat Kelly Outlook relaybook.mdb", ".profile",
                           "a..b.txt", "Résumé – draft.doc", "x", "CONSOLE.log", "COM0",
                           "LPT10", "  leading blanks.txt", "tab-free {braces} [x] #1"})
    EXPECT_EQ(SafeFileName(name, "fallback"), name);
}

TEST(SafeFileNameTest, CharactersNoFileNameHoldsBecomeUnderscores) {
  EXPECT_EQ(SafeFileName("..\\..\\Windows\\win.ini", "f"), ".._.._Windows_win.ini");
  EXPECT_EQ(SafeFileName("C:/Temp/a<b>c\"d|e?f*g", "f"), "C__Temp_a_b_c_d_e_f_g");
  EXPECT_EQ(SafeFileName(std::string("a\x01") + "b\tc\x1F", "f"), "a_b_c_");
}

TEST(SafeFileNameTest, NamesOfOnlyDotsAndBlanksGiveTheFallback) {
  for (const char* name : {"", ".", "..", "...", "   ", ". .", " .. "})
    EXPECT_EQ(SafeFileName(name, "relaybook.mdb"), "relaybook.mdb") << "'" << name << "'";
  // The fallback is made safe the same way, and "_" is the last resort.
  EXPECT_EQ(SafeFileName("..", "a/b"), "a_b");
  EXPECT_EQ(SafeFileName("", ".."), "_");
}

TEST(SafeFileNameTest, TrailingDotsAndBlanksAreDroppedAsWindowsWould) {
  EXPECT_EQ(SafeFileName("notes. . ", "f"), "notes");
  EXPECT_EQ(SafeFileName("a.txt.", "f"), "a.txt");
}

TEST(SafeFileNameTest, DeviceNamesAloneOrWithAnExtensionGetAPrefix) {
  EXPECT_EQ(SafeFileName("CON", "f"), "_CON");
  EXPECT_EQ(SafeFileName("nul.txt", "f"), "_nul.txt");
  EXPECT_EQ(SafeFileName("Lpt1 .log", "f"), "_Lpt1 .log");
  EXPECT_EQ(SafeFileName("com9", "f"), "_com9");
  EXPECT_EQ(SafeFileName("aux.", "f"), "_aux");
}

TEST(SafeFileNameTest, OverLongNamesAreShortenedBeforeTheirExtension) {
  std::string name = SafeFileName(std::string(300, 'a') + ".txt", "f");
  EXPECT_EQ(name.size(), kMaxFileNameLength);
  EXPECT_EQ(name.substr(name.size() - 4), ".txt");
  // Counted in UTF-16 units, never cutting a character.
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "\xF0\x9F\x93\x8C";  // U+1F4CC, two units
  std::string cut = SafeFileName(wide, "f");
  std::u16string units = Utf8ToUtf16(cut);
  EXPECT_LE(units.size(), kMaxFileNameLength);
  EXPECT_EQ(Utf16ToUtf8(units), cut);
  EXPECT_EQ(cut.size() % 4, 0u);
  // A cut that leaves dots or blanks at the end of the stem drops them.
  EXPECT_EQ(SafeFileName(std::string(250, 'b') + std::string(20, '.') + ".txt", "f"),
            std::string(250, 'b') + ".txt");
}

TEST(SafeFileNameTest, ANameForAShorterRoomIsCutToItKeepingItsExtension) {
  EXPECT_EQ(SafeFileName("report.txt", "f", 8), "repo.txt");
  EXPECT_EQ(SafeFileName("report.txt", "f", 200), "report.txt");
  // No room for the extension: the name is cut like any other text.
  EXPECT_EQ(SafeFileName("report.txt", "f", 3), "rep");
  EXPECT_EQ(SafeFileName("report.txt", "f", 0), "r");
  EXPECT_EQ(SafeFileName("..", "fallback", 4), "fall");
}

TEST(SafeFileNameTest, TheResultAlwaysNamesAFileInTheFolderItIsJoinedTo) {
  for (const char* hostile : {"..", "..\\x", "../../etc", "C:", "\\\\server\\share",
                              "CON", "a:b", " ", "x. ", "PRN.txt", "?*", "|"}) {
    std::string name = SafeFileName(hostile, "fallback");
    auto path = ParseWinPath("C:\\Folder\\" + name);
    ASSERT_TRUE(path) << hostile << " -> " << name;
    EXPECT_EQ(path->Parent().ToString(), "C:\\Folder") << hostile;
    EXPECT_EQ(path->names.back(), name) << hostile;
  }
}

}  // namespace
}  // namespace pinlet
