// The note block's style: only what is known, and only what the allow-list
// lets through.
#include "rtf/note_style.h"

#include <gmock/gmock.h>

namespace pinlet {
namespace {

TEST(NoteStyleTest, SizesArePlainNumbersOrLeftOut) {
  EXPECT_EQ(CssFontSize("10"), "10");
  EXPECT_EQ(CssFontSize("12,25"), "12.25");
  EXPECT_EQ(CssFontSize("8.5"), "8.5");
  for (const char* bad : {"", "0", "0.0", "pt", "10pt", "1e3", "-10", "10.", ".5", "1.2.3",
                          "10;x", " 10", "12345", "(10)", "10/2", "1*2"})
    EXPECT_EQ(CssFontSize(bad), "") << bad;
}

TEST(NoteStyleTest, FaceNamesKeepOnlyWhatANameNeeds) {
  EXPECT_EQ(CssFontFamily("Times New Roman"), "Times New Roman");
  EXPECT_EQ(CssFontFamily("MS_Gothic-2.0"), "MS_Gothic-2.0");
  EXPECT_EQ(CssFontFamily("Ｍｓ ゴシック"), "Ｍｓ ゴシック");
  // Nothing that opens a function, ends the declaration or the attribute.
  EXPECT_EQ(CssFontFamily("expression(alert(10))"), "expressionalert10");
  EXPECT_EQ(CssFontFamily("a/*x*/:url('j')\";}\\"), "axurlj");
  // Invalid UTF-8 and the invisible separators go too; blanks at the ends.
  EXPECT_EQ(CssFontFamily(" Arial\xE9\xE2\x80\xA8\xEF\xBB\xBF "), "Arial");
  EXPECT_EQ(CssFontFamily("();"), "");
}

TEST(NoteStyleTest, TheStyleLeavesOutWhatIsNotKnown) {
  EXPECT_EQ(NoteBlockStyle("10", "Arial", 0x123456u),
            "font-size:10pt;font-family:Arial;color:rgb(86,52,18)");
  EXPECT_EQ(NoteBlockStyle("", "", 0xFFu), "color:rgb(255,0,0)");
  EXPECT_EQ(NoteBlockStyle("9", "", std::nullopt), "font-size:9pt");
  EXPECT_EQ(NoteBlockStyle("x", "()", std::nullopt), "");
  EXPECT_EQ(NoteBlockStartTag("", "", std::nullopt), "<pre>");
  EXPECT_EQ(NoteBlockStartTag("", "Verdana", std::nullopt),
            "<pre style=\"font-family:Verdana\">");
}

}  // namespace
}  // namespace pinlet
