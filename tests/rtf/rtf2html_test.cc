#include "rtf/rtf2html.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/text.h"

namespace pinlet {
namespace {

using namespace std::string_view_literals;

std::string Html(std::string_view rtf, std::string_view options = "") {
  return RTF2HTML(rtf, options);
}

// A document as a rich-edit control writes it.
constexpr std::string_view kRichEditDocument =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 Hello \\cf1\\b World\\cf0\\b0\\par\r\n"
    "Second line\\par\r\n}\r\n";

TEST(Rtf2HtmlTest, RichEditDocument) {
  EXPECT_EQ(Html(kRichEditDocument, "+CR+I"),
            "<font face=\"Arial\" size=2>Hello </font>"
            "<font face=\"Arial\" color=\"#FF0000\" size=2><b>World<br>\r\n</b></font>"
            "<font face=\"Arial\" size=2>Second line</font>");
}

TEST(Rtf2HtmlTest, EmptyAndBlankInputsGiveNothing) {
  EXPECT_EQ(Html(""), "");
  EXPECT_EQ(Html(" \r\n  \n"), "");
  EXPECT_EQ(Html("{}"), "");
  EXPECT_EQ(Html("{\\rtf1\\ansi\\par\\par}"), "");
}

TEST(Rtf2HtmlTest, TrimsInputAndStripsOuterBraces) {
  EXPECT_EQ(Html("  \r\n{\\rtf1 Hi}\r\n \n"), "Hi");
  EXPECT_EQ(Html("{\\rtf1 Hi}\r\n\0"sv), "Hi");
  // Line breaks inside the input carry no meaning.
  EXPECT_EQ(Html("Hel\r\nlo\\b\r\n x"), "Hello<b> x</b>");
  // Nor does a backslash before one, which RTF reads as \par.
  EXPECT_EQ(Html("Hel\\\r\nlo"), "Hello");
}

TEST(Rtf2HtmlTest, ParagraphEndsAndLineEndingOption) {
  EXPECT_EQ(Html("a\\par b\\par\\par", "+CR"), "a<br>\r\nb");
  EXPECT_EQ(Html("a\\par\\par b", "+I"), "a<br><br>b");
}

TEST(Rtf2HtmlTest, LeadingBlanksOfAParagraphBecomeNonBreakingSpaces) {
  EXPECT_EQ(Html("a\\par\r\n  Two blanks"), "a<br>&nbsp;&nbsp;Two blanks");
  // The input itself is trimmed first.
  EXPECT_EQ(Html("  a"), "a");
  // A control word's delimiting blank is not text; blanks inside a line stay.
  EXPECT_EQ(Html("a\\par\\b  x  y"), "a<br><b>&nbsp;x  y</b>");
}

TEST(Rtf2HtmlTest, TextIsEscaped) {
  EXPECT_EQ(Html("a < b & c > d"), "a &lt; b &amp; c &gt; d");
  EXPECT_EQ(Html("<script>alert(1)</script>"), "&lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_EQ(Html("\\{ \\} \\\\ \\tab x"), "{ } \\ \tx");
}

TEST(Rtf2HtmlTest, CharacterFormatting) {
  EXPECT_EQ(Html("\\b b\\b0 \\i i\\i0 \\ul u\\ulnone \\strike s\\strike0 n"),
            "<b>b</b><i>i</i><u>u</u><s>s</s>n");
  EXPECT_EQ(Html("\\ul u\\ul0 \\b1 b\\b0 n"), "<u>u</u><b>b</b>n");
  EXPECT_EQ(Html("\\super a\\sub b\\nosupersub c"), "<sup>a</sup><sub>b</sub>c");
  EXPECT_EQ(Html("\\b\\i a\\plain b"), "<b><i>a</i></b>b");
  // Formatting that never reaches text writes nothing.
  EXPECT_EQ(Html("\\b\\i\\b0\\i0 x\\b"), "x");
}

TEST(Rtf2HtmlTest, GroupsScopeCharacterFormatting) {
  EXPECT_EQ(Html("{\\b bold} plain"), "<b>bold</b> plain");
  EXPECT_EQ(Html("\\b a{\\b0 b}c"), "<b>a</b>b<b>c</b>");
  EXPECT_EQ(Html("{\\b a{\\i b}c}d"), "<b>a<i>b</i>c</b>d");
}

TEST(Rtf2HtmlTest, SwitchingOffAnOuterAttributeReopensTheInnerOnes) {
  EXPECT_EQ(Html("\\b a\\i b\\b0 c\\i0 d"), "<b>a<i>b</i></b><i>c</i>d");
}

constexpr std::string_view kColours =
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}";

TEST(Rtf2HtmlTest, Colours) {
  const std::string rtf = std::string(kColours) + "\\cf2 x\\cf1 y\\cf0 z";
  EXPECT_EQ(Html(rtf),
            "<font color=\"#0080FF\">x</font><font color=\"#FF0000\">y</font>z");
  // An index beyond the table, or negative, leaves the colour as it was.
  EXPECT_EQ(Html(std::string(kColours) + "\\cf1 a\\cf3 b\\cf-5 c"),
            "<font color=\"#FF0000\">abc</font>");
}

TEST(Rtf2HtmlTest, NoColourTableMakesColoursIneffective) {
  EXPECT_EQ(Html("\\cf1 red \\cf2 x\\cf0 y"), "red xy");
}

TEST(Rtf2HtmlTest, ColourComponentsAreClampedAndPadded) {
  EXPECT_EQ(
      Html("{\\colortbl;\\red300\\green-5\\blue1000;\\red1\\blue10;}\\cf1 a\\cf2 b"),
      "<font color=\"#FF00FF\">a</font><font color=\"#01000A\">b</font>");
}

TEST(Rtf2HtmlTest, ColourTableWithoutSeparatorHasNoEntries) {
  EXPECT_EQ(Html("{\\colortbl\\red255\\green0\\blue0}\\cf1 x\\cf0 y"), "xy");
}

TEST(Rtf2HtmlTest, FontSizes) {
  EXPECT_EQ(Html("\\fs20 a"), "<font size=2>a</font>");
  EXPECT_EQ(Html("\\fs24 a"), "<font size=3>a</font>");
  EXPECT_EQ(Html("\\fs100 a"), "<font size=8>a</font>");
  EXPECT_EQ(Html("\\fs6 a"), "<font size=1>a</font>");
  EXPECT_EQ(Html("\\fs27 a\\fs28 b"), "<font size=3>a</font><font size=4>b</font>");
}

TEST(Rtf2HtmlTest, DefaultFontSizeIsNotWritten) {
  EXPECT_EQ(Html("\\fs24 a\\fs20 b", "+CR+F=3"), "a<font size=2>b</font>");
  EXPECT_EQ(Html("\\fs120 a", "+F=12"), "<font size=8>a</font>");
}

constexpr std::string_view kFonts =
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\froman\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
    "{\\f2\\fnil Bad\"<b>;}}";

TEST(Rtf2HtmlTest, FontFaces) {
  const std::string fonts(kFonts);
  EXPECT_EQ(Html(fonts + "\\f1\\fs20 a\\f0 b"),
            "<font face=\"Times New Roman\" size=2>a</font>"
            "<font face=\"Arial\" size=2>b</font>");
  // Characters that HTML would need escaped are no part of a face name.
  EXPECT_EQ(Html(fonts + "\\f2 x"), "<font face=\"Badb\">x</font>");
  // An unknown font number has no face.
  EXPECT_EQ(Html(fonts + "\\f7 x"), "x");
  EXPECT_EQ(Html("{\\fonttbl\\f0\\fswiss Arial;\\f1 Courier New;}\\f1 x"),
            "<font face=\"Courier New\">x</font>");
}

TEST(Rtf2HtmlTest, FontFacesCanBeSwitchedOff) {
  EXPECT_EQ(Html(std::string(kFonts) + "\\f0\\fs20 a", "+CR-FF"),
            "<font size=2>a</font>");
}

TEST(Rtf2HtmlTest, FontTagCombinesFaceColourAndSize) {
  const std::string rtf =
      std::string(kFonts) + std::string(kColours) + "\\f0\\cf1\\fs32 a";
  EXPECT_EQ(Html(rtf), "<font face=\"Arial\" color=\"#FF0000\" size=4>a</font>");
}

TEST(Rtf2HtmlTest, HexadecimalEscapesInEitherCase) {
  EXPECT_EQ(Html("caf\\'e9"), "caf&eacute;");
  EXPECT_EQ(Html("caf\\'E9 \\'C6\\'Ae"), "caf&eacute; &AElig;&reg;");
  EXPECT_EQ(Html("\\'a1\\'a9\\'df\\'f7\\'ff\\'c6"),
            "&iexcl;&copy;&szlig;&divide;&yuml;&AElig;");
  // The codes with a text of their own keep it.
  EXPECT_EQ(Html("\\'00|\\'85|\\'9a|\\'9e"), "&nbsp;|...|\xC5\xA1|\xC5\xBE");
}

TEST(Rtf2HtmlTest, EveryWindows1252CodeGivesItsCharacter) {
  EXPECT_EQ(
      Html("\\'80\\'82\\'83\\'84\\'86\\'87\\'88\\'89\\'8a\\'8b\\'8c"),
      "&euro;&sbquo;&fnof;&bdquo;&dagger;&Dagger;&circ;&permil;&Scaron;&lsaquo;&OElig;");
  EXPECT_EQ(
      Html("\\'91\\'92\\'93\\'94\\'95\\'96\\'97\\'98\\'9b\\'9c\\'9f"),
      "&lsquo;&rsquo;&ldquo;&rdquo;&bull;&ndash;&mdash;&tilde;&rsaquo;&oelig;&Yuml;");
  // HTML 4 has no name for a capital Z with caron.
  EXPECT_EQ(Html("\\'8e"), "&#381;");
  EXPECT_EQ(Html("\\'a0\\'ae"), "&nbsp;&reg;");
  // Printable ASCII is itself, escaped where HTML needs it; tab stays a tab.
  EXPECT_EQ(Html("\\'41\\'3c\\'26\\'09"), "A&lt;&amp;\t");
  // Every code from 80 to ff gives something, except the five the code page leaves
  // undefined, which are controls.
  for (int code = 0x80; code <= 0xff; ++code) {
    char rtf[8];
    std::snprintf(rtf, sizeof rtf, "\\'%02x", code);
    const bool undefined =
        code == 0x81 || code == 0x8d || code == 0x8f || code == 0x90 || code == 0x9d;
    EXPECT_EQ(Html(rtf).empty(), undefined) << rtf;
  }
}

TEST(Rtf2HtmlTest, RawBytesAreCharactersOfTheDocumentsCodePage) {
  // Windows-1252 without a declaration, and when declared.
  EXPECT_EQ(Html("caf\xe9 \x80\x93"), "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C");
  EXPECT_EQ(Html("\\ansi\\ansicpg1252 caf\xe9"), "caf\xC3\xA9");
  // Another single-byte code page, in the text and in face names.
  EXPECT_EQ(Html("\\ansicpg1251{\\fonttbl{\\f0 \xc0rial;}}\\f0 \xcf\xf0\xe8"),
            "<font face=\"\xD0\x90rial\">\xD0\x9F\xD1\x80\xD0\xB8</font>");
  EXPECT_EQ(Html("\\ansicpg1253 \xc1\xaa"), "\xCE\x91\xEF\xBF\xBD");
  // A code page without a table here gives the replacement character.
  EXPECT_EQ(Html("\\ansicpg932 \x82\xa0."), "\xEF\xBF\xBD\xEF\xBF\xBD.");
  // Whatever the bytes, the HTML is UTF-8, and a face stays within 31 bytes.
  std::string all = "\\ansicpg1250 ";
  for (int b = 0x80; b <= 0xff; ++b) all += static_cast<char>(b);
  EXPECT_EQ(FindInvalidUtf8(Html(all)), std::string::npos);
  EXPECT_EQ(Html("{\\fonttbl{\\f0 " + std::string(30, 'a') + "\xe9;}}\\f0 x"),
            "<font face=\"" + std::string(30, 'a') + "\">x</font>");
}

TEST(Rtf2HtmlTest, UnicodeCharactersAndTheirFallbacks) {
  // Greek, Cyrillic, Chinese; each "?" is the fallback a reader without Unicode shows.
  EXPECT_EQ(Html("\\u915?\\u945? \\u1046?\\u20013?"),
            "\xCE\x93\xCE\xB1 \xD0\x96\xE4\xB8\xAD");
  // Negative numbers are the upper half of the 16-bit range; a surrogate pair is one
  // character, a lone surrogate the replacement character.
  EXPECT_EQ(Html("\\u-255?"), "\xEF\xBC\x81");
  EXPECT_EQ(Html("\\u-10179?\\u-8704?!"), "\xF0\x9F\x98\x80!");
  EXPECT_EQ(Html("\\u-10179?x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Html("\\u-8704?x"), "\xEF\xBF\xBDx");
  // \\ucN gives the length of the fallback: an escape counts as one character, a
  // group's brace ends it, and the length is scoped by groups.
  EXPECT_EQ(Html("\\uc2\\u233\\'e9\\'e9x"), "\xC3\xA9x");
  EXPECT_EQ(Html("\\uc0\\u233 x"), "\xC3\xA9x");
  EXPECT_EQ(Html("\\uc3\\u233{\\b x}"), "\xC3\xA9<b>x</b>");
  EXPECT_EQ(Html("{\\uc0 a}\\u233??"), "a\xC3\xA9?");
  // Markup characters are escaped like any text.
  EXPECT_EQ(Html("\\u60?\\u38?"), "&lt;&amp;");
}

TEST(Rtf2HtmlTest, LineBreaksAndTypographicWords) {
  EXPECT_EQ(Html("one\\line two\\line  three", "+CR"), "one<br>two<br>&nbsp;three");
  EXPECT_EQ(Html("\\bullet a\\line b\\par\\pard c"), "<ul><li>a<br>b</li></ul>c");
  EXPECT_EQ(
      Html("\\lquote a\\rquote  \\ldblquote b\\rdblquote  1\\endash 2\\emdash x\\~y"),
      "&lsquo;a&rsquo; &ldquo;b&rdquo; 1&ndash;2&mdash;x&nbsp;y");
}

TEST(Rtf2HtmlTest, TrademarkEscapeIsASuperscript) {
  EXPECT_EQ(Html("Brand\\'99 rocks"), "Brand<sup>TM</sup> rocks");
  EXPECT_EQ(Html("\\b Brand\\'99\\b0 x"), "<b>Brand<sup>TM</sup></b>x");
  EXPECT_EQ(Html("\\super 2\\'99 x"), "<sup>2TM</sup> x");
}

TEST(Rtf2HtmlTest, IgnorableAndPictureGroupsVanishWithTheirNestedGroups) {
  EXPECT_EQ(Html("a{\\*\\foo b{c}{d{e}}\\'99}f"), "af");
  EXPECT_EQ(Html("a{\\pict\\wmetafile8{\\x y}0a0b{}ff}g"), "ag");
  EXPECT_EQ(Html("{\\b x{\\*\\y z}y}z"), "<b>xy</b>z");
  EXPECT_EQ(Html("{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}a"), "a");
}

TEST(Rtf2HtmlTest, AlignmentTable) {
  EXPECT_EQ(Html("\\qc Centred\\par"),
            "<table width=100%><tr><td align=\"center\">Centred</td></tr></table>");
  EXPECT_EQ(Html("\\qr R"),
            "<table width=100%><tr><td align=\"right\">R</td></tr></table>");
  // Alignment lasts until \pard; the paragraph end stays inside the table.
  EXPECT_EQ(Html("\\qc A\\par B\\par\\pard C", "+CR"),
            "<table width=100%><tr><td align=\"center\">A<br>\r\nB<br>\r\n"
            "</td></tr></table>C");
}

constexpr std::string_view kBulletList =
    "Intro\\par\r\n"
    "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
    "\\fi-720\\li720 One\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}Two\\par\r\n"
    "\\pard After\\par\r\n";

TEST(Rtf2HtmlTest, BulletList) {
  EXPECT_EQ(Html(kBulletList, "+CR"),
            "Intro<br>\r\n<ul><li>One</li><li>Two</li></ul>After");
}

TEST(Rtf2HtmlTest, ListItemsFromBulletWords) {
  EXPECT_EQ(Html("\\bullet a\\par\\pnlvlblt b\\par\\pard c"),
            "<ul><li>a</li><li>b</li></ul>c");
}

TEST(Rtf2HtmlTest, ListTextGroupsMakeItemsOnlyInListMode) {
  const std::string items =
      "{\\listtext\\'b7\\tab}One\\par{\\listtext\\'b7\\tab}Two\\par";
  EXPECT_EQ(Html("{\\*\\listtable{\\list\\listtemplateid1{\\listlevel}}}" + items),
            "<ul><li>One</li><li>Two</li></ul>");
  EXPECT_EQ(Html(items), "&middot;\tOne<br>&middot;\tTwo");
  // An escaped "\list\" in the text is not a list definition.
  EXPECT_EQ(Html("\\\\list\\\\ " + items), "\\list\\ &middot;\tOne<br>&middot;\tTwo");
}

}  // namespace
}  // namespace pinlet
