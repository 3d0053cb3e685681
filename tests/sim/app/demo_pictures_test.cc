// The tour's pictures: `pinlet demo --pictures DIR` writes one per step, and
// the pictures kept under docs/ are those the current code draws.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "sim/app/demo.h"
#include "sim/render/image.h"

namespace pinlet::app {
namespace {

namespace fs = std::filesystem;

render::Image ReadPicture(const fs::path& path) {
  std::string error;
  auto image = render::Image::ReadPng(path.string(), error);
  EXPECT_TRUE(image) << error;
  return image ? std::move(*image) : render::Image();
}

// Runs the tour once for every test here, writing its pictures.
class DemoPicturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new fs::path(fs::temp_directory_path() /
                          ("pinlet_demo_pictures_" + std::to_string(::getpid())));
    fs::remove_all(*folder);
    std::string command = std::string(PINLET_BINARY) + " demo --pictures '" +
                          folder->string() + "' > '" + folder->string() + ".out' 2>&1";
    int status = std::system(command.c_str());
    exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static void TearDownTestSuite() {
    fs::remove_all(*folder);
    fs::remove(folder->string() + ".out");
    delete folder;
  }
  static render::Image Read(const fs::path& path) { return ReadPicture(path); }

  static inline fs::path* folder = nullptr;
  static inline int exit_status = -1;
};

TEST_F(DemoPicturesTest, TheTourWritesOneNumberedPicturePerStep) {
  ASSERT_EQ(exit_status, 0);
  int steps = 0;
  std::istringstream script(DemoScript());
  for (std::string line; std::getline(script, line);)
    if (line.rfind("say \"-- ", 0) == 0) ++steps;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(*folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(static_cast<int>(names.size()), steps);
  for (int i = 0; i < steps; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", i + 1);
    EXPECT_EQ(names[i].rfind(number, 0), 0u) << names[i];
    render::Image image = Read(*folder / names[i]);
    EXPECT_EQ(image.width(), 1024);
    EXPECT_EQ(image.height(), 768);
  }
}

// A step's picture is the screen as its last show command saw it: the note
// window the step shows in its view state, though the step closes it after.
TEST_F(DemoPicturesTest, AStepsPictureIsTheScreenAtItsLastShow) {
  ASSERT_EQ(exit_status, 0);
  render::Image image = Read(*folder / "07-kept-on-top-once-the.png");
  int note_colour = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.Pixel(x, y) == 0xCCFFCC) ++note_colour;
  EXPECT_GT(note_colour, 10000);
}

// A picture kept under docs/ that the tour no longer draws the same way has
// gone stale: tools/refresh_pictures.sh draws it anew. Compares every PNG
// of `folder` with the tour's picture of the same name; answers how many.
int ExpectKeptPicturesAreDrawn(const fs::path& folder, const fs::path& tour) {
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".png") continue;
    SCOPED_TRACE(entry.path().string());
    fs::path fresh = tour / entry.path().filename();
    if (!fs::exists(fresh)) {
      ADD_FAILURE() << "the tour has no such step any more";
      continue;
    }
    render::Image kept = ReadPicture(entry.path());
    render::Image drawn = ReadPicture(fresh);
    if (kept.width() != drawn.width() || kept.height() != drawn.height()) {
      ADD_FAILURE() << "the sizes differ";
      continue;
    }
    // Every fourth pixel each way; a few may differ by a shade where the
    // font library smooths an edge differently.
    int samples = 0, differing = 0;
    for (int y = 0; y < kept.height(); y += 4) {
      for (int x = 0; x < kept.width(); x += 4) {
        uint32_t a = kept.Pixel(x, y), b = drawn.Pixel(x, y);
        bool far = false;
        for (int shift : {0, 8, 16})
          far |= std::abs(static_cast<int>(a >> shift & 0xFF) -
                          static_cast<int>(b >> shift & 0xFF)) > 40;
        ++samples;
        if (far) ++differing;
      }
    }
    EXPECT_LE(differing, samples / 200) << differing << " of " << samples << " differ";
    ++compared;
  }
  return compared;
}

TEST_F(DemoPicturesTest, ThePicturesUnderDocsAreThoseTheCurrentCodeDraws) {
  ASSERT_EQ(exit_status, 0);
  EXPECT_GE(ExpectKeptPicturesAreDrawn(fs::path(PINLET_SOURCE_DIR) / "docs" / "pictures",
                                       *folder),
            3);
  // Every picture the README shows is one of them.
  std::ifstream readme(fs::path(PINLET_SOURCE_DIR) / "README.md");
  std::stringstream text;
  text << readme.rdbuf();
  std::string s = text.str();
  std::regex shown(R"(\]\((docs/pictures/[^)]+\.png)\))");
  int pictures = 0;
  for (std::sregex_iterator it(s.begin(), s.end(), shown), end; it != end;
       ++it, ++pictures)
    EXPECT_TRUE(fs::exists(fs::path(PINLET_SOURCE_DIR) / (*it)[1].str())) << (*it)[1];
  EXPECT_EQ(pictures, 3);
}

// The help pages show steps of the tour too (docs/help/pictures).
TEST_F(DemoPicturesTest, TheHelpPagesPicturesAreThoseTheCurrentCodeDraws) {
  ASSERT_EQ(exit_status, 0);
  EXPECT_GE(ExpectKeptPicturesAreDrawn(
                fs::path(PINLET_SOURCE_DIR) / "docs" / "help" / "pictures", *folder),
            5);
}

}  // namespace
}  // namespace pinlet::app
