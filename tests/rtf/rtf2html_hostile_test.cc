// Malformed and hostile RTF: the converter never crashes, hangs or throws, and still
// gives the HTML that the readable part allows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "html_balance.h"
#include "rtf/rtf2html.h"

namespace {

// Operator new fails once this many more allocations have been made; negative means
// never. Only the allocation test below sets it.
thread_local long allocations_left = -1;

}  // namespace

void* operator new(std::size_t size) {
  if (allocations_left == 0) throw std::bad_alloc();
  if (allocations_left > 0) --allocations_left;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace pinlet {
namespace {

using testing::HtmlBalanceError;

std::string Html(std::string_view rtf) { return RTF2HTML(rtf, "+CR+I"); }

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(Rtf2HtmlHostileTest, UnbalancedBraces) {
  EXPECT_EQ(Html("}}}a{{{b"), "ab");
  EXPECT_EQ(Html("{\\b a"), "<b>a</b>");
  EXPECT_EQ(Html("a}\\b b}c"), "a<b>bc</b>");
  // An ignorable destination outside any group runs to the next stray "}".
  EXPECT_EQ(Html("a\\*b}c"), "ac");
  EXPECT_EQ(Html("a{\\*b{c"), "a");
}

TEST(Rtf2HtmlHostileTest, LoneBackslashAtTheEnd) {
  EXPECT_EQ(Html("abc\\"), "abc");
  EXPECT_EQ(Html("\\"), "");
  EXPECT_EQ(Html("\\b\\"), "");
}

TEST(Rtf2HtmlHostileTest, ShortHexadecimalEscapes) {
  EXPECT_EQ(Html("a\\'"), "a");
  EXPECT_EQ(Html("a\\'e"), "a");
  EXPECT_EQ(Html("a\\'ex"), "ax");
  EXPECT_EQ(Html("a\\'zz"), "azz");
  EXPECT_EQ(Html("\\'\\'\\'e9"), "&eacute;");
}

TEST(Rtf2HtmlHostileTest, AbsurdParameters) {
  EXPECT_EQ(Html("\\fs99999999999999999999 a"), "<font size=8>a</font>");
  EXPECT_EQ(Html("\\fs-5 a\\fs-99999999999 b"), "<font size=1>ab</font>");
  EXPECT_EQ(Html("{\\colortbl;\\red9;}\\cf-5 a\\cf99999999999 b\\cf-99999999999 c"),
            "abc");
  EXPECT_EQ(Html("\\f-1 a\\f99999999999 b"), "ab");
  EXPECT_EQ(Html("\\b99999999999999 a\\b-0 b"), "<b>a</b>b");
  EXPECT_EQ(Html("{\\colortbl;\\red99999999999\\green-99999999999;}\\cf1 a"),
            "<font color=\"#FF0000\">a</font>");
}

TEST(Rtf2HtmlHostileTest, ColourTableThatNeverEndsEndsAfterItsLastEntry) {
  EXPECT_EQ(Html("{\\colortbl;\\red255\\green0\\blue0;\\cf1 red"),
            "<font color=\"#FF0000\">red</font>");
  EXPECT_EQ(Html("{\\colortbl\\red255 text"), "text");
}

TEST(Rtf2HtmlHostileTest, FontTableThatNeverEndsEndsAfterItsLastEntry) {
  EXPECT_EQ(Html("{\\rtf1{\\fonttbl{\\f0 Arial;}\\pard\\f0 Hello\\par"),
            "<font face=\"Arial\">Hello</font>");
  EXPECT_EQ(Html("{\\fonttbl{\\f0 Arial"), "Arial");
  // Tables opened inside tables that never end are read again only once.
  const std::string nested = Repeat("{\\fonttbl{\\f0 a;}", 20000) + "x";
  const std::string html = Html(nested);
  EXPECT_EQ(HtmlBalanceError(html), "");
}

TEST(Rtf2HtmlHostileTest, OverlongFontNameIsCutToWhatWindowsHolds) {
  const std::string name(100000, 'N');
  const std::string html = Html("{\\fonttbl{\\f0   " + name + ";}}\\f0 a\\f1 b\\f0 c");
  EXPECT_EQ(html, "<font face=\"" + name.substr(0, 31) + "\">a</font>b<font face=\"" +
                      name.substr(0, 31) + "\">c</font>");
}

TEST(Rtf2HtmlHostileTest, DeepNesting) {
  const std::size_t depth = 200000;
  EXPECT_EQ(Html(Repeat("{", depth) + "x" + Repeat("}", depth)), "x");
  const std::string html =
      Html(Repeat("{\\b\\i0 a\\i b", depth) + Repeat("}", depth) + "z");
  EXPECT_EQ(HtmlBalanceError(html), "");
  EXPECT_TRUE(html.ends_with("</i></b>z"));
  EXPECT_EQ(Html(Repeat("{\\*", depth) + "x"), "");
}

TEST(Rtf2HtmlHostileTest, ManyControlWordsAndEndlessNames) {
  EXPECT_EQ(Html(Repeat("\\b\\b0", 100000) + "x"), "x");
  EXPECT_EQ(Html("\\" + std::string(200000, 'q') + " x"), "x");
  EXPECT_EQ(Html("\\fs" + std::string(200000, '9') + " x"), "<font size=8>x</font>");
  EXPECT_EQ(Html(Repeat("\\'99", 1000)), "<sup>" + Repeat("TM", 1000) + "</sup>");
}

TEST(Rtf2HtmlHostileTest, ControlBytesNeverReachTheHtml) {
  using namespace std::string_view_literals;
  // Raw bytes are characters of the code page; controls other than tab are
  // dropped, whether written raw, as an escape or as a Unicode character.
  EXPECT_EQ(Html("a\0b\xff\x01\tc\x81"sv), "ab\xC3\xBF\tc");
  EXPECT_EQ(Html("\x1b]0;title\x07\x1b[2J\x7f!"), "]0;title[2J!");
  EXPECT_EQ(Html("a\\'1b\\'07\\'7f\\'81b\\u27?\\u155?\\u0?c"), "abc");
  // Text made only of controls opens no formatting.
  EXPECT_EQ(Html("\\b \x01\x02\\b0 x"), "x");
  EXPECT_EQ(Html("{\\fonttbl{\\f0 A\x1b[1mrial;}}\\f0 x"),
            "<font face=\"A[1mrial\">x</font>");
}

TEST(Rtf2HtmlHostileTest, MarkupInFontNamesIsDropped) {
  EXPECT_EQ(Html("{\\fonttbl{\\f0 x\"><script>alert(1)</script>&;}}\\f0 y"),
            "<font face=\"xscriptalert(1)/script\">y</font>");
}

// The largest output per byte of input: paragraph alignment switched before every
// character, under a list item, six character attributes and the longest face.
TEST(Rtf2HtmlHostileTest, OutputStaysWithinTheStatedBound) {
  const std::string face(40, 'W');
  const std::string setup = "{\\fonttbl{\\f1 " + face + ";}{\\f2 " + face +
                            "X;}}{\\colortbl;\\red1;\\red2;}"
                            "\\bullet\\qc\\f1\\cf1\\fs100\\b\\i\\ul\\strike\\super x";
  for (const char* cycle : {"\\qc&\\qr&", "\\f1 x\\f2 x", "\\f1&\\f2&", "{\\f2&}&",
                            "\\bullet&", "{\\pntext}&", "\\par  x"}) {
    const std::string rtf = setup + Repeat(cycle, 20000);
    const std::string html = Html(rtf);
    EXPECT_LE(html.size(),
              kRtf2HtmlMaxOutputPerInputByte * rtf.size() + kRtf2HtmlMaxOutputExtra)
        << cycle;
    EXPECT_EQ(HtmlBalanceError(html), "") << cycle;
  }
  EXPECT_GT(Html(setup + Repeat("\\qc&\\qr&", 20000)).size(), 44 * 20000 * 8);
}

// The output is allocated once, at its final size: no growing buffer doubles it.
TEST(Rtf2HtmlHostileTest, OutputIsAllocatedAtItsFinalSize) {
  const std::string html = Html(Repeat("\\b a&b\\b0 \\'e9\\par ", 50000));
  EXPECT_EQ(html.capacity(), html.size());
}

// What a conversion cut short by a failed allocation returns: a beginning of the full
// result, possibly followed by the closing tags of what was open.
TEST(Rtf2HtmlHostileTest, RunningOutOfMemoryReturnsWhatWasConverted) {
  const std::string rtf =
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255;}\\f0\\cf1\\b " +
      Repeat("some <text>\\par ", 200) + "}";
  const std::string full = Html(rtf);
  bool some_were_cut = false;
  for (long limit = 0; limit < 40; ++limit) {
    allocations_left = limit;
    std::string html = Html(rtf);
    allocations_left = -1;
    some_were_cut = some_were_cut || html.size() < full.size();
    while (html.ends_with(">") && html.rfind("</") != std::string::npos &&
           html.find('>', html.rfind("</")) == html.size() - 1) {
      html.resize(html.rfind("</"));
    }
    EXPECT_TRUE(full.starts_with(html)) << "limit " << limit << ": " << html;
  }
  EXPECT_TRUE(some_were_cut);
}

}  // namespace
}  // namespace pinlet
