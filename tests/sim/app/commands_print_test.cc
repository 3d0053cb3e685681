// The commands that show and open what the note window printed.
#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/script.h"
#include "notewindow/print_page.h"

namespace pinlet::app {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class PrintCommandsTest : public ::testing::Test {
 protected:
  PrintCommandsTest() : driver(out, err, {}) {
    std::string error;
    EXPECT_TRUE(driver.Open(error)) << error;
  }
  void TearDown() override {
    for (const std::string& defect : driver.world().defects()) ADD_FAILURE() << defect;
  }
  std::string Run(const std::string& line) {
    std::vector<std::string> words;
    std::string message;
    EXPECT_TRUE(SplitWords(line, words, message)) << message;
    out.str("");
    int status = driver.Execute(words, message);
    return status == 0 ? out.str() : "error: " + message;
  }

  std::ostringstream out, err;
  Driver driver;
};

TEST_F(PrintCommandsTest, ThePrintedPageIsShownOpenedAndGoneWithItsWindow) {
  EXPECT_EQ(Run("show printed"), "(nothing was printed)\n");
  EXPECT_EQ(Run("open printed"), "error: nothing was printed (note click imgTextPrint)");
  Run("start");
  Run("note open Inbox \"Board slides\"");
  Run("note type \"<b>x</b>\"");
  Run("note click imgTextPrint");
  std::string page = driver.world().shell.TempFolder() + "pnl1.htm";
  EXPECT_THAT(Run("show printed"), StartsWith("printed \"" + page + "\" -> 42\n  "));
  EXPECT_THAT(Run("show printed"), HasSubstr("\n  &lt;b&gt;x&lt;/b&gt;\n  </pre>"));

  // Without a browser the copy's place is said, and the copy is the page.
  std::string saved_path = std::getenv("PATH") ? std::getenv("PATH") : "";
  std::string saved_browser = std::getenv("BROWSER") ? std::getenv("BROWSER") : "";
  setenv("PATH", "/nonexistent", 1);
  unsetenv("BROWSER");
  std::string opened = Run("open printed");
  setenv("PATH", saved_path.c_str(), 1);
  if (!saved_browser.empty()) setenv("BROWSER", saved_browser.c_str(), 1);
  const std::string said = "no browser is installed; the page is at ";
  ASSERT_THAT(opened, StartsWith(said));
  std::filesystem::path copy =
      opened.substr(said.size(), opened.size() - said.size() - 1);
  EXPECT_EQ(copy.filename(), "pnl1.htm");
  EXPECT_THAT(copy.parent_path().filename().string(), StartsWith("pinlet-print-"));
  std::ifstream in(copy, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), driver.world().files.Peek(page).value_or(""));
  EXPECT_THAT(content.str(), StartsWith(std::string(kPrintPageStart)));
  std::filesystem::remove_all(copy.parent_path());

  Run("note key Ctrl+F4");
  EXPECT_THAT(Run("show printed"), HasSubstr("the page is gone"));
  EXPECT_EQ(Run("open printed"),
            "error: the printed page is gone (its note window closed)");
}

}  // namespace
}  // namespace pinlet::app
