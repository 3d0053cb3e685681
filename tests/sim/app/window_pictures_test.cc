// Pictures of the add-in's own windows as the pinlet command draws them: the
// note window in both states, its picture buttons, the toolbar's masked
// faces, and a note window over Outlook's main window.
#include <gtest/gtest.h>

#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/pictures.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::app {
namespace {

constexpr uint32_t kFrameColour = 0xC0FFFF;  // the note window's edit state
constexpr uint32_t kNoteColour = 0xCCFFCC;
constexpr uint32_t kBarColour = 0xC8D0D4;

class WindowPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(driver.Open(error)) << error;
    Run("start");
  }
  void TearDown() override {
    for (const std::string& defect : driver.world().defects())
      ADD_FAILURE() << "defect: " << defect;
  }
  void Run(const std::string& lines) {
    std::istringstream in(lines + "\n");
    ASSERT_EQ(driver.RunScript(in, "test"), 0) << out.str() << err.str();
  }
  // A new note on a mail of the Inbox, recoloured by the user.
  void OpenColouredNote() {
    Run("note open Inbox \"Lunch on Thursday?\"\n"
        "answer colour 0xCCFFCC\n"
        "note click imgTextColor");
  }
  sim::SimForm& Note() {
    sim::SimForm* form = driver.world().ui.FindForm("frmComments");
    EXPECT_NE(form, nullptr);
    return *form;
  }
  render::Image DrawNote() { return ScreenRenderer().Form(Note().Look()); }

  // The pixels of the window's inside that no control covers, relative to
  // the window's picture.
  static std::vector<uint32_t> Background(const render::Image& image,
                                          const sim::FormLook& look) {
    std::vector<uint32_t> pixels;
    const int left = sim::kFormBorderPixels, top = left + sim::kFormTitlePixels;
    for (int y = top; y < image.height() - left; y += 3) {
      for (int x = left; x < image.width() - left; x += 3) {
        bool covered = false;
        for (const sim::ControlLook& c : look.controls)
          covered |= c.container == -1 && c.shown && c.has_geometry &&
                     x - left >= c.rect.left / 15 &&
                     x - left < (c.rect.left + c.rect.width) / 15 &&
                     y - top >= c.rect.top / 15 &&
                     y - top < (c.rect.top + c.rect.height) / 15;
        if (!covered) pixels.push_back(image.Pixel(x, y));
      }
    }
    return pixels;
  }
  // A pixel inside a control, near its bottom right corner, where a short
  // text leaves the ground bare.
  static uint32_t InsideNearCorner(const render::Image& image, const sim::FormLook& look,
                                   const std::string& control) {
    for (const sim::ControlLook& c : look.controls) {
      if (c.name != control) continue;
      int x = sim::kFormBorderPixels + (c.rect.left + c.rect.width) / 15 - 6;
      int y = sim::kFormBorderPixels + sim::kFormTitlePixels +
              (c.rect.top + c.rect.height) / 15 - 6;
      return image.Pixel(x, y);
    }
    ADD_FAILURE() << "no control " << control;
    return 0;
  }
  static const sim::ControlLook* Control(const sim::FormLook& look,
                                         const std::string& name) {
    for (const sim::ControlLook& c : look.controls)
      if (c.name == name) return &c;
    return nullptr;
  }
  static bool Differ(const render::Image& a, const render::Image& b, int x, int y, int w,
                     int h) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (a.Pixel(i, j) != b.Pixel(i, j)) return true;
    return false;
  }

  std::ostringstream out, err;
  Driver driver{out, err, {}};
};

TEST_F(WindowPicturesTest, TheNoteWindowShowsItsColourInBothStates) {
  OpenColouredNote();
  sim::FormLook edit = Note().Look();
  render::Image image = DrawNote();
  // One pixel for 15 twips each way.
  EXPECT_EQ(image.width(), edit.rect.width / 15);
  EXPECT_EQ(image.height(), edit.rect.height / 15);
  // Editing: the pale-yellow frame around the text in the note's colour.
  std::vector<uint32_t> ground = Background(image, edit);
  ASSERT_GT(ground.size(), 20u);
  for (uint32_t pixel : ground) ASSERT_EQ(pixel, kFrameColour);
  EXPECT_EQ(InsideNearCorner(image, edit, "Text"), kNoteColour);

  // Back in Outlook, the note folds to its view state: all in its colour.
  Run("activate window \"Inbox - Microsoft Outlook\"\ntick 1000\nshow note");
  ASSERT_NE(out.str().find("state: view"), std::string::npos) << out.str();
  sim::FormLook view = Note().Look();
  image = DrawNote();
  EXPECT_EQ(image.width(), view.rect.width / 15);
  EXPECT_EQ(image.height(), view.rect.height / 15);
  ground = Background(image, view);
  ASSERT_GT(ground.size(), 20u);
  for (uint32_t pixel : ground) ASSERT_EQ(pixel, kNoteColour);
  EXPECT_EQ(InsideNearCorner(image, view, "Text"), kNoteColour);
}

TEST_F(WindowPicturesTest, PictureButtonsShowTheirCurrentPicture) {
  OpenColouredNote();
  const sim::FormLook before = Note().Look();  // the look the pointers below point into
  const sim::ControlLook* undo = Control(before, "imgTextUndo");
  ASSERT_NE(undo, nullptr);
  ASSERT_EQ(undo->picture_key, "UNDO_DISABLED");
  const int x = sim::kFormBorderPixels + undo->rect.left / 15;
  const int y = sim::kFormBorderPixels + sim::kFormTitlePixels + undo->rect.top / 15;
  render::Image disabled = DrawNote();
  // Typing makes Undo available: its button no longer looks disabled.
  Run("note type \"Book a table\"");
  render::Image enabled = DrawNote();
  EXPECT_TRUE(Differ(disabled, enabled, x, y, 16, 16));
  // The mouse over a button lights it up; another button's picture stays.
  const sim::FormLook after = Note().Look();
  const sim::ControlLook* copy = Control(after, "imgTextCopy");
  ASSERT_NE(copy, nullptr);
  const int cx = sim::kFormBorderPixels + copy->rect.left / 15;
  const int cy = sim::kFormBorderPixels + sim::kFormTitlePixels + copy->rect.top / 15;
  Run("note hover imgTextCopy");
  render::Image hover = DrawNote();
  EXPECT_TRUE(Differ(enabled, hover, cx, cy, 16, 16));
  EXPECT_FALSE(Differ(enabled, hover, x, y, 16, 16));
}

// Where the face's own pixels show on the picture, matched against the
// pixels the mask keeps opaque: {-1, -1} when nowhere.
std::pair<int, int> FindFace(const render::Image& image, const Picture& face,
                             const Picture& mask) {
  auto opaque = [&](int i) { return (mask.pixels[i] & 0xFFFFFF) != 0xFFFFFF; };
  for (int y = 0; y + face.height <= image.height(); ++y) {
    for (int x = 0; x + face.width <= image.width(); ++x) {
      bool match = true;
      for (int i = 0; match && i < face.width * face.height; ++i)
        match = !opaque(i) ||
                image.Pixel(x + i % face.width, y + i / face.width) == face.pixels[i];
      if (match) return {x, y};
    }
  }
  return {-1, -1};
}

TEST_F(WindowPicturesTest, TheToolbarsMaskedFaceShowsTheBarWhereTheMaskIsWhite) {
  Run("select Inbox \"Board slides\"");
  sim::SimOutlook* outlook = driver.world().outlook;
  auto explorer = outlook->active_explorer();
  ASSERT_NE(explorer, nullptr);
  auto add = explorer->command_bars()->FindByCaption("Add Note");
  ASSERT_NE(add, nullptr);
  ASSERT_FALSE(add->face.empty());
  ASSERT_EQ(add->mask.width, add->face.width);
  auto image = ScreenRenderer().Window(driver.world(), explorer->hwnd());
  ASSERT_TRUE(image);
  auto [x, y] = FindFace(*image, add->face, add->mask);
  ASSERT_GE(x, 0) << "the face of Add Note is not on the picture";
  int transparent = 0;
  for (int i = 0; i < add->face.width * add->face.height; ++i) {
    if ((add->mask.pixels[i] & 0xFFFFFF) != 0xFFFFFF) continue;
    ++transparent;
    EXPECT_EQ(image->Pixel(x + i % add->face.width, y + i / add->face.width), kBarColour);
  }
  EXPECT_GT(transparent, 0);
}

TEST_F(WindowPicturesTest, ANoteWindowOnTopCoversOutlooksWindowUntilOutlookComesFirst) {
  OpenColouredNote();
  auto covered = [&] {
    sim::FormLook look = Note().Look();
    render::Image note = ScreenRenderer().Form(look);
    render::Image screen = ScreenRenderer().Screen(driver.world());
    // The inside only: the title bar shows whether the window is active.
    const int left = look.rect.left / 15, top = look.rect.top / 15;
    const int inside = sim::kFormBorderPixels + sim::kFormTitlePixels;
    for (int y = inside; y < note.height() - sim::kFormBorderPixels; ++y)
      for (int x = sim::kFormBorderPixels; x < note.width() - sim::kFormBorderPixels; ++x)
        if (screen.Pixel(left + x, top + y) != note.Pixel(x, y)) return false;
    return true;
  };
  EXPECT_TRUE(covered());
  // Outlook activated comes in front of a note that is not kept on top.
  Run("activate window \"Inbox - Microsoft Outlook\"");
  EXPECT_FALSE(covered());
  // Kept on top, the note stays in front of Outlook's window.
  Run("note click imgNoteOnTop\n"
      "activate window \"Inbox - Microsoft Outlook\"");
  EXPECT_TRUE(covered());
}

// The options dialog is answered as soon as it is shown; its record keeps
// how it looked on each tab the user chose.
TEST_F(WindowPicturesTest, TheOptionsDialogIsDrawnOnEachOfItsTabs) {
  Run("answer form frmOptions choose TabStrip1 \"Item Related\" ; click cmdCancel\n"
      "options");
  const auto& records = driver.world().ui.modal_forms();
  ASSERT_FALSE(records.empty());
  const auto& looks = records.back().looks;
  ASSERT_GE(looks.size(), 2u);
  render::Image general = ScreenRenderer().Form(looks.front());
  render::Image related = ScreenRenderer().Form(looks.back());
  EXPECT_EQ(general.width(), looks.front().rect.width / 15);
  EXPECT_EQ(general.height(), looks.front().rect.height / 15);
  ASSERT_EQ(related.width(), general.width());
  ASSERT_EQ(related.height(), general.height());
  // Below the tabs, the page shows other controls.
  const int top = sim::kFormBorderPixels + sim::kFormTitlePixels + 40;
  EXPECT_TRUE(Differ(general, related, 0, top, general.width(), general.height() / 2));
}

}  // namespace
}  // namespace pinlet::app
