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

TEST(SafeFileNameTest, EveryDeviceNameWindowsKnowsGetsAPrefix) {
  // The console names and the ports numbered with superscript digits.
  EXPECT_EQ(SafeFileName("CONIN$", "f"), "_CONIN$");
  EXPECT_EQ(SafeFileName("conout$.log", "f"), "_conout$.log");
  EXPECT_EQ(SafeFileName("LPT\xC2\xB9.txt", "f"), "_LPT\xC2\xB9.txt");  // LPT¹
  EXPECT_EQ(SafeFileName("com\xC2\xB2", "f"), "_com\xC2\xB2");          // com²
  EXPECT_EQ(SafeFileName("COM\xC2\xB3 .x", "f"), "_COM\xC2\xB3 .x");    // COM³
  // Other superscripts and longer names are ordinary.
  for (const char* name : {"COM\xE2\x81\xB4", "LPT\xC2\xB9\xC2\xB9", "CONIN", "CONIN$x"})
    EXPECT_EQ(SafeFileName(name, "f"), name);
}

TEST(SafeFileNameTest, AShortenedNameNeverBecomesADeviceName) {
  // The cut drops the blanks before "abc.txt" and would leave "NUL.txt".
  EXPECT_EQ(SafeFileName("NUL" + std::string(250, ' ') + "abc.txt", "f"), "_NUL.txt");
  EXPECT_EQ(SafeFileName("con" + std::string(300, ' ') + "x", "f"), "_con");
  EXPECT_EQ(SafeFileName("NUL      abc.txt", "f", 7), "_NU.txt");
}

TEST(SafeFileNameTest, BidirectionalControlsAreRemovedSoTheNameShownIsTheNameUsed) {
  // "inv", RIGHT-TO-LEFT OVERRIDE, "txt.exe" would show as "invexe.txt".
  EXPECT_EQ(SafeFileName("inv\xE2\x80\xAEtxt.exe", "f"), "invtxt.exe");
  const char* kControls[] = {"\xD8\x9C",     "\xE2\x80\x8E", "\xE2\x80\x8F",
                             "\xE2\x80\xAA", "\xE2\x80\xAB", "\xE2\x80\xAC",
                             "\xE2\x80\xAD", "\xE2\x81\xA6", "\xE2\x81\xA7",
                             "\xE2\x81\xA8", "\xE2\x81\xA9"};
  for (const char* control : kControls)
    EXPECT_EQ(SafeFileName(std::string("a") + control + "b.doc" + control, "f"), "ab.doc");
  // Removing them can uncover what the other rules take care of.
  EXPECT_EQ(SafeFileName("NUL\xE2\x80\xAE.txt", "f"), "_NUL.txt");
  EXPECT_EQ(SafeFileName("x.exe.\xE2\x80\x8F", "f"), "x.exe");
  EXPECT_EQ(SafeFileName("\xE2\x80\xAE", "fallback"), "fallback");
  // Neighbouring characters that are not controls stay.
  const std::string kNotControls = "a\xE2\x80\x90" "b\xE2\x80\xAF" "c";  // hyphen, narrow space
  EXPECT_EQ(SafeFileName(kNotControls, "f"), kNotControls);
}

TEST(TextWindowsReadsTest, EndsAtTheFirstNul) {
  using namespace std::string_literals;
  EXPECT_EQ(TextWindowsReads("C:\\evil\\run.exe\0.txt"s), "C:\\evil\\run.exe");
  EXPECT_EQ(TextWindowsReads("\0x"s), "");
  EXPECT_EQ(TextWindowsReads("plain.txt"), "plain.txt");
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
