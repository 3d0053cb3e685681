// The help pages under docs/help, as they ship: the pages the installer
// puts into the install folder, each one a page Internet Explorer 6 opens
// from the disk without reaching for anything beyond its own folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sim/machine/sim_support_library.h"

namespace pinlet {
namespace {

namespace fs = std::filesystem;

const fs::path& HelpFolder() {
  static const fs::path folder = fs::path(PINLET_SOURCE_DIR) / "docs" / "help";
  return folder;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every href and src of a page, with the attribute's name, in order.
struct Reference {
  std::string attribute;  // "href" or "src", lower case
  std::string value;
};
std::vector<Reference> References(const std::string& page) {
  static const std::regex attribute(
      R"re(\b(href|src)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re", std::regex::icase);
  std::vector<Reference> found;
  for (std::sregex_iterator it(page.begin(), page.end(), attribute), end; it != end;
       ++it) {
    const std::smatch& m = *it;
    found.push_back({Lower(m[1]), m[2].matched ? m[2] : m[3].matched ? m[3] : m[4]});
  }
  return found;
}

// Whether a reference names a file of its own (not only a place on its
// page, nor a scheme such as "mailto:").
bool NamesAFile(const std::string& value) {
  return !value.empty() && value[0] != '#' && value.find(':') == std::string::npos;
}

std::string WithoutFragment(const std::string& value) {
  return value.substr(0, value.find('#'));
}

class HelpPagesTest : public ::testing::Test {
 protected:
  struct Page {
    std::string name;
    std::string text;
  };
  static std::vector<Page> Pages() {
    std::vector<Page> pages;
    for (const sim::HelpPage& page : sim::ShippedHelpPages()) {
      fs::path path = HelpFolder() / std::string(page.file);
      EXPECT_TRUE(fs::is_regular_file(path)) << path;
      pages.push_back({std::string(page.file), ReadText(path)});
    }
    return pages;
  }
};

TEST_F(HelpPagesTest, EveryInstalledPageShipsWithItsTitle) {
  for (const sim::HelpPage& page : sim::ShippedHelpPages()) {
    std::string text = ReadText(HelpFolder() / std::string(page.file));
    EXPECT_THAT(text,
                ::testing::HasSubstr("<title>" + std::string(page.title) + "</title>"))
        << page.file;
  }
}

// No script, no picture or style from the web: a page opened from the disk
// in Internet Explorer 6 would warn, or wait for the network.
TEST_F(HelpPagesTest, APageRunsNoScriptAndLoadsNothingFromTheWeb) {
  for (const Page& page : Pages()) {
    SCOPED_TRACE(page.name);
    const std::string text = Lower(page.text);
    EXPECT_EQ(text.find("<script"), std::string::npos);
    EXPECT_EQ(text.find("javascript:"), std::string::npos);
    EXPECT_EQ(text.find("@import"), std::string::npos);
    EXPECT_EQ(text.find("url("), std::string::npos);
    for (const Reference& ref : References(page.text)) {
      if (ref.attribute != "src") continue;
      const std::string value = Lower(ref.value);
      EXPECT_FALSE(value.starts_with("http:") || value.starts_with("https:") ||
                   value.starts_with("//"))
          << ref.value;
    }
  }
}

// Every file a page names is in the help folder, by a relative path that
// stays inside it, spelt as the file is (the pages are read on Windows and
// checked here, where names differ by case); a place on a page is there.
TEST_F(HelpPagesTest, EveryLinkAndPictureIsAFileOfTheHelpFolder) {
  const fs::path root = fs::canonical(HelpFolder());
  int pictures = 0;
  for (const Page& page : Pages()) {
    SCOPED_TRACE(page.name);
    int own_pictures = 0;
    for (const Reference& ref : References(page.text)) {
      if (!NamesAFile(ref.value)) {
        if (!ref.value.empty() && ref.value[0] == '#') {
          EXPECT_NE(page.text.find("name=\"" + ref.value.substr(1) + "\""),
                    std::string::npos)
              << ref.value;
        }
        continue;
      }
      const std::string file = WithoutFragment(ref.value);
      EXPECT_FALSE(file.starts_with("/") || file.find('\\') != std::string::npos)
          << ref.value;
      fs::path path = HelpFolder() / file;
      ASSERT_TRUE(fs::is_regular_file(path)) << ref.value;
      fs::path real = fs::canonical(path);
      EXPECT_TRUE(real.string().starts_with(root.string() + "/")) << ref.value;
      EXPECT_EQ(real.lexically_relative(root).generic_string(), file) << "spelling";
      if (ref.value.size() > file.size()) {
        const std::string fragment = ref.value.substr(file.size() + 1);
        EXPECT_NE(ReadText(path).find("name=\"" + fragment + "\""), std::string::npos)
            << ref.value;
      }
      if (ref.attribute == "src" && file.ends_with(".png")) ++own_pictures;
    }
    EXPECT_GE(own_pictures, 1) << "a page shows the user at least one picture";
    pictures += own_pictures;
  }
  EXPECT_GE(pictures, 5);
}

// The index reaches every other page; and no picture is shipped that no
// page shows.
TEST_F(HelpPagesTest, TheIndexLinksEveryPageAndEveryPictureIsShown) {
  std::vector<Page> pages = Pages();
  ASSERT_EQ(pages.front().name, "index.htm");
  std::set<std::string> linked, shown;
  for (const Reference& ref : References(pages.front().text))
    if (ref.attribute == "href") linked.insert(WithoutFragment(ref.value));
  for (size_t i = 1; i < pages.size(); ++i)
    EXPECT_TRUE(linked.count(pages[i].name)) << pages[i].name;
  for (const Page& page : pages)
    for (const Reference& ref : References(page.text))
      if (ref.attribute == "src") shown.insert(ref.value);
  for (const auto& entry : fs::directory_iterator(HelpFolder() / "pictures"))
    EXPECT_TRUE(shown.count("pictures/" + entry.path().filename().string()))
        << entry.path().filename();
}

}  // namespace
}  // namespace pinlet
