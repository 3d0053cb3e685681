// The HTML stays balanced whatever order formatting, groups, paragraphs, lists and
// alignment come in.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "html_balance.h"
#include "rtf/rtf2html.h"

namespace pinlet {
namespace {

using testing::HtmlBalanceError;

TEST(HtmlBalanceCheckerTest, FindsFaults) {
  EXPECT_EQ(HtmlBalanceError("<b>a<i>b</i></b><br>"), "");
  EXPECT_NE(HtmlBalanceError("<b><i>a</b></i>"), "");
  EXPECT_NE(HtmlBalanceError("<b>a"), "");
  EXPECT_NE(HtmlBalanceError("<li>a</li>"), "");
  EXPECT_NE(HtmlBalanceError("<ul>a</ul>"), "");
}

TEST(Rtf2HtmlBalanceTest, NestedFormatting) {
  const std::string html = RTF2HTML(
      "\\b a\\i b\\ul c\\b0 d{\\strike\\super e\\i0 f}\\sub g\\plain h\\cf0\\fs20 i", "");
  EXPECT_EQ(HtmlBalanceError(html), "") << html;
}

TEST(Rtf2HtmlBalanceTest, FormattingAcrossListsAndAlignment) {
  const std::string html = RTF2HTML(
      "\\b a\\par\\qc{\\pntext x}\\i b\\par{\\pntext x}\\b0 c\\qr d\\par\\pard e"
      "{\\pntext x}f\\pard\\i0 g\\par\\qc h{\\pntext x}i",
      "+CR");
  EXPECT_EQ(HtmlBalanceError(html), "") << html;
  EXPECT_EQ(html,
            "<b>a<br>\r\n</b><ul><li><table width=100%><tr><td align=\"center\"><b><i>b"
            "</i></b></td></tr></table></li><li><table width=100%><tr><td "
            "align=\"center\"><i>c</i></td></tr></table><table width=100%><tr><td "
            "align=\"right\"><i>d</i></td></tr></table></li></ul><i>e</i><ul><li><i>f"
            "</i></li></ul>g<br>\r\n<table width=100%><tr><td align=\"center\">h"
            "</td></tr></table><ul><li><table width=100%><tr><td align=\"center\">i"
            "</td></tr></table></li></ul>");
}

// Random sequences drawn from every token the converter acts on.
TEST(Rtf2HtmlBalanceTest, RandomTokenSequences) {
  static constexpr std::array<const char*, 34> kTokens = {
      "\\b ",        "\\b0 ",        "\\i ",       "\\i0 ",  "\\ul ",         "\\ulnone ",
      "\\strike ",   "\\strike0 ",   "\\super ",   "\\sub ", "\\nosupersub ", "\\plain ",
      "\\cf1 ",      "\\cf2 ",       "\\cf0 ",     "\\f0 ",  "\\f1 ",         "\\fs20 ",
      "\\fs48 ",     "\\par ",       "\\pard ",    "\\qc ",  "\\qr ",         "\\bullet ",
      "\\pnlvlblt ", "{\\pntext x}", "{",          "}",      "text ",         "  ",
      "\\'e9",       "\\'99",        "{\\*\\x y}", "\\tab "};
  const std::string header =
      "{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}{\\colortbl;\\red1;\\red2;}";
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::size_t> pick(0, kTokens.size() - 1);
  for (int round = 0; round < 3000; ++round) {
    std::string rtf = header;
    const int length = 1 + round % 40;
    for (int i = 0; i < length; ++i) rtf += kTokens[pick(random)];
    for (const char* options : {"+CR+I", "-FF+F=3"}) {
      const std::string html = RTF2HTML(rtf, options);
      ASSERT_EQ(HtmlBalanceError(html), "") << rtf << "\n" << html;
    }
  }
}

}  // namespace
}  // namespace pinlet
