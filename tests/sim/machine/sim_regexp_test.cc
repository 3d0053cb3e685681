#include "sim/machine/sim_regexp.h"

#include <gtest/gtest.h>

#include "sim/machine/sim_mapi_helpers.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

class SimRegExpTest : public WorldTest {
 protected:
  RegExpPtr Make(const std::string& pattern, bool ignore_case = false) {
    RegExpPtr re = world.objects->CreateRegExp();
    re->SetPattern(pattern);
    re->SetIgnoreCase(ignore_case);
    return re;
  }
};

TEST_F(SimRegExpTest, IgnoreCaseAndTheDotMatchTheWayTheBlockedFileTestNeeds) {
  RegExpPtr exe = Make(".exe$", true);
  exe->SetGlobal(true);
  EXPECT_TRUE(exe->Test("setup.EXE"));
  EXPECT_TRUE(exe->Test("hexe"));  // the dot is any character
  EXPECT_FALSE(exe->Test("setup.exe.txt"));
  EXPECT_FALSE(exe->Test("exe"));
  EXPECT_TRUE(Make(".lnk$", true)->Test("Report.Lnk"));
  EXPECT_TRUE(Make(".ade$", true)->Test("lemonade"));
  EXPECT_FALSE(Make(".txt$")->Test("notes.TXT"));
  EXPECT_TRUE(Make("\u00e9t\u00e9", true)->Test("\u00c9T\u00c9"));  // "été", "ÉTÉ"
  EXPECT_TRUE(exe->Global());
  EXPECT_TRUE(exe->IgnoreCase());
  EXPECT_EQ(exe->Pattern(), ".exe$");
}

TEST_F(SimRegExpTest, TheDotTakesOneCharacterButNoLineFeed) {
  EXPECT_TRUE(Make("^a.b$")->Test("a\rb"));
  EXPECT_FALSE(Make("^a.b$")->Test("a\nb"));
  EXPECT_TRUE(Make("^a.b$")->Test("a\u20acb"));  // one character, three bytes
  EXPECT_TRUE(Make("[.]x")->Test(".x"));
  EXPECT_FALSE(Make("[.]x")->Test("ax"));
  EXPECT_TRUE(Make("a\\.b")->Test("a.b"));
  EXPECT_FALSE(Make("a\\.b")->Test("axb"));
  EXPECT_TRUE(Make("")->Test("anything"));
}

TEST_F(SimRegExpTest, AMalformedPatternRaisesWhenUsedNotWhenSet) {
  RegExpPtr re;
  ASSERT_NO_THROW(re = Make("(unclosed"));
  try {
    re->Test("x");
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kRegExpSyntax);
    EXPECT_EQ(e.description(), "Syntax error in regular expression");
  }
  EXPECT_THROW(Make("trailing\\")->Test("x"), HostError);
  re->SetPattern("closed");
  EXPECT_TRUE(re->Test("closed"));
}

TEST_F(SimRegExpTest, ATextTooLongForTheEngineRaisesInsteadOfCrashing) {
  std::string text(SimRegExp::kMaxText + 1, 'a');
  try {
    Make("^(a|b)*c")->Test(text);
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kOutOfStack);
  }
  EXPECT_FALSE(Make("^(a|b)*c")->Test(text.substr(0, SimRegExp::kMaxText)));
}

TEST_F(SimRegExpTest, CreationNeedsVBScriptAndEveryMemberIsAHostCall) {
  auto& factory = static_cast<SimObjectFactory&>(*world.objects);
  factory.vbscript_installed = false;
  try {
    world.objects->CreateRegExp();
    FAIL() << "created";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kCannotCreateObject);
  }
  factory.vbscript_installed = true;
  RegExpPtr re = Make("x");
  world.faults.FailMember("RegExp.Test");
  EXPECT_THROW(re->Test("x"), HostError);
  EXPECT_EQ(world.faults.call_count(), 5);  // two creations, Pattern, IgnoreCase, Test
}

}  // namespace
}  // namespace pinlet::sim
