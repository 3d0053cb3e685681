#include "rtf/rtf2html_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pinlet {
namespace {

struct Result {
  int status = 0;
  std::string out;
  std::string err;
};

Result RunCommand(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  Result result;
  result.status = RunRtf2HtmlCommand(args, in, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

class Rtf2HtmlCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("pinlet_rtf2html_" +
            std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string WriteFile(const std::string& name, const std::string& content) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  std::filesystem::path dir_;
};

void ExpectOneLineError(const Result& result) {
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(result.err.starts_with("pinlet rtf2html: ")) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

TEST_F(Rtf2HtmlCommandTest, ReadsStandardInputWithTheNotePrintingOptions) {
  const Result result = RunCommand({}, "{\\rtf1 a\\par\\b b}");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "a<br>\r\n<b>b</b>");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(RunCommand({"-"}, "{\\rtf1 a\\par b}").out, "a<br>\r\nb");
}

TEST_F(Rtf2HtmlCommandTest, OptionsReplaceTheDefault) {
  EXPECT_EQ(RunCommand({"--options", "", "-"}, "a\\par b").out, "a<br>b");
  EXPECT_EQ(RunCommand({"--options=+F=2"}, "\\fs20 a\\fs24 b").out,
            "a<font size=3>b</font>");
}

TEST_F(Rtf2HtmlCommandTest, ReadsAFile) {
  const std::string path = WriteFile("note.rtf", "{\\rtf1 caf\\'e9 < 1}\r\n");
  const Result result = RunCommand({path});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "caf&eacute; &lt; 1");
}

TEST_F(Rtf2HtmlCommandTest, MissingOrUnreadableFile) {
  ExpectOneLineError(RunCommand({(dir_ / "absent.rtf").string()}));
  ExpectOneLineError(RunCommand({dir_.string()}));
}

TEST_F(Rtf2HtmlCommandTest, BadArguments) {
  ExpectOneLineError(RunCommand({"--options"}));
  ExpectOneLineError(RunCommand({"--verbose", "-"}));
  ExpectOneLineError(RunCommand({"a.rtf", "b.rtf"}));
}

}  // namespace
}  // namespace pinlet
