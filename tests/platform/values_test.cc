#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/date.h"
#include "platform/text.h"
#include "platform/variant.h"

namespace pinlet {
namespace {

TEST(VariantTest, OnlyTextThatIsWhollyANumberIsANumber) {
  EXPECT_EQ(ParseNumber("  12 "), 12);
  EXPECT_EQ(ParseNumber("-3.5"), -3.5);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  EXPECT_EQ(ParseNumber("1e3"), 1000);
  for (const char* bad : {"1abc", "abc", "", " ", "-", "1 2", "1e", "0x10", "1,5"})
    EXPECT_FALSE(ParseNumber(bad)) << bad;
  EXPECT_FALSE(ParseNumber(std::string(400, '9')));  // too large to hold
  EXPECT_EQ(ToLong(Variant("1abc")), 0);
  EXPECT_EQ(ToLong(Variant(" 1 ")), 1);
  EXPECT_EQ(ToLong(Variant("1e309")), 0);
  EXPECT_EQ(ToLong(Variant("-99999999999")), INT32_MIN);
  EXPECT_EQ(ToLong(Variant(7.9)), 7);
  EXPECT_EQ(ToLong(Variant()), 0);
}

TEST(VariantTest, TextAndBooleansConvertBothWays) {
  EXPECT_EQ(ToText(Variant()), "");
  EXPECT_EQ(ToText(Variant(int32_t{-4})), "-4");
  EXPECT_EQ(ToText(Variant(true)), "True");
  EXPECT_EQ(ToText(Variant(10.5)), "10.5");
  EXPECT_TRUE(ToBool(Variant("TRUE")));
  EXPECT_TRUE(ToBool(Variant("True")));
  EXPECT_FALSE(ToBool(Variant("False")));
  EXPECT_FALSE(ToBool(Variant("nonsense")));
  EXPECT_TRUE(ToBool(Variant("1")));
}

TEST(VariantTest, DatesConvertToTextNumbersAndBack) {
  Date date = Date::FromParts(2026, 12, 8, 9, 30);
  EXPECT_EQ(ToText(Variant(date)), "12/8/2026 9:30:00 AM");
  EXPECT_EQ(ToDate(Variant("12/8/2026 9:30 AM")), date);
  EXPECT_EQ(ToDate(Variant(date.value())), date);
  EXPECT_EQ(ToDate(Variant("not a date")), Date());
  EXPECT_EQ(ToLong(Variant(date)), 46364);
}

TEST(DateTest, PartsAndTextsFollowTheHostsConventions) {
  Date date = Date::FromParts(2026, 12, 7, 15, 4, 5);
  Date::Parts p = date.ToParts();
  EXPECT_EQ(p.year, 2026);
  EXPECT_EQ(p.month, 12);
  EXPECT_EQ(p.day, 7);
  EXPECT_EQ(p.hour, 15);
  EXPECT_EQ(p.second, 5);
  EXPECT_EQ(date.ToGeneralString(), "12/7/2026 3:04:05 PM");
  EXPECT_EQ(date.ToShortString(), "12/7/26 3:04 PM");
  EXPECT_EQ(Date::FromParts(1899, 12, 30).value(), 0);
  EXPECT_EQ(Date::FromParts(2000, 1, 1).ToGeneralString(), "1/1/2000");
  EXPECT_EQ(Date::FromParts(2000, 1, 1, 0, 30).ToShortString(), "1/1/00 12:30 AM");
}

TEST(DateTest, TheHostsRangeAndValuesOutsideIt) {
  EXPECT_EQ(Date::FromParts(100, 1, 1).value(), Date::kMinValue);
  EXPECT_EQ(Date::FromParts(9999, 12, 31).value() + 1, Date::kEndValue);
  EXPECT_TRUE(Date::FromParts(9999, 12, 31, 23, 59, 59).InHostRange());
  EXPECT_TRUE(Date(Date::kMinValue).InHostRange());
  EXPECT_FALSE(Date(Date::kEndValue).InHostRange());
  EXPECT_FALSE(Date(Date::kMinValue - 1e-9).InHostRange());
  EXPECT_FALSE(Date(std::nan("")).InHostRange());
  // Outside the range, texts show the nearest end; converting never overflows.
  EXPECT_EQ(Date(1e308).ToGeneralString(), "12/31/9999 11:59:59 PM");
  EXPECT_EQ(ToDate(Variant(-1e308)).ToGeneralString(), "1/1/100");
  EXPECT_EQ(Date(std::numeric_limits<double>::infinity()).ToShortString(),
            "12/31/99 11:59 PM");
  EXPECT_EQ(Date(std::nan("")).ToGeneralString(), "12/30/1899");
}

TEST(DateTest, ParseAcceptsTheHostsFormsAndRefusesImpossibleDates) {
  EXPECT_EQ(Date::Parse("12/7/2026 3:04:05 PM"), Date::FromParts(2026, 12, 7, 15, 4, 5));
  EXPECT_EQ(Date::Parse("2/29/2024"), Date::FromParts(2024, 2, 29));
  EXPECT_EQ(Date::Parse("1/1/26 12:00 AM"), Date::FromParts(2026, 1, 1));
  for (const char* bad : {"2/29/2023", "13/1/2026", "1/1/2026 13:00 PM", "x",
                          "1/1/2026 9:61", "1/1/2026 9:00 XM"})
    EXPECT_FALSE(Date::Parse(bad)) << bad;
}

TEST(TextTest, Utf16RoundTripAndMalformedInput) {
  std::string text = "Grüße Ωμέγα 中文 😀";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("a\xFF"
                                    "b")),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xE4\xB8")),
            "\xEF\xBF\xBD\xEF\xBF\xBD");  // cut short
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xC0\xAF")),
            "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace pinlet
