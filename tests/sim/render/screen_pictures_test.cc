// Pictures of the whole screen: windows in z-order with the top-most band,
// hidden windows, and the dialogs and message boxes as they were shown.
#include <gtest/gtest.h>

#include "render_fixture.h"

namespace pinlet::render {
namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

class ScreenTest : public RenderTest {
 protected:
  // Two forms that overlap around the screen pixel (250, 250).
  void SetUp() override {
    below = ShownForm("frmBelow", 4500, 4500);
    below->SetBackColor(kRed);
    above = ShownForm("frmAbove", 4500, 4500);
    above->Move(3000, 3000, 4500, 4500);
    above->SetBackColor(kBlue);
  }
  uint32_t Overlap() { return renderer->Screen(world).Pixel(250, 250); }

  ui::FormPtr below, above;
};

TEST_F(ScreenTest, AWindowOnTopCoversOneBelowIt) {
  EXPECT_EQ(Overlap(), kBlue);
  world.windows.Activate(below->hWnd());
  EXPECT_EQ(Overlap(), kRed);
  // A top-most window stays above the active one.
  world.windows.SetBand(above->hWnd(), true);
  world.windows.Activate(below->hWnd());
  EXPECT_EQ(Overlap(), kBlue);
  above->Hide();
  EXPECT_EQ(Overlap(), kRed);
  below->Hide();
  Image empty = renderer->Screen(world);
  EXPECT_EQ(empty.Pixel(250, 250), empty.Pixel(600, 400));  // the desktop
}

TEST_F(ScreenTest, TheLastDialogIsTheLaterOfTheModalFormsAndTheMessageBoxes) {
  EXPECT_FALSE(LastDialog(world));
  world.message_boxes.QueueAnswer(mb::kYes);
  world.message_boxes.Show("Do you really want to delete this note?", "Pinlet",
                           mb::kYesNo | mb::kQuestion);
  auto last = LastDialog(world);
  ASSERT_TRUE(last);
  ASSERT_TRUE(std::holds_alternative<sim::SimMessageBoxes::Record>(*last));

  auto options = world.ui.CreateForm("frmOptions");
  options->Move(2000, 2000, 6000, 4500);
  options->SetBackColor(0x00FF00);
  auto ok = options->Add<ui::CommandButton>("cmdOK");
  Subscription closes = ok->OnClick([&] { options->Unload(); });
  world.ui.QueueFormAnswer("frmOptions", {sim::FormAction::Click("cmdOK")});
  options->Show(ui::kModal);
  last = LastDialog(world);
  ASSERT_TRUE(last);
  const auto* look = std::get_if<sim::FormLook>(&*last);
  ASSERT_TRUE(look);
  EXPECT_EQ(look->design_name, "frmOptions");
  // Unloaded since, it is drawn over the screen as it was seen.
  Image screen = renderer->Screen(world, &*last);
  EXPECT_EQ(screen.Pixel(2000 / 15 + 100, 2000 / 15 + 100), 0x00FF00u);
  EXPECT_NE(renderer->Screen(world).Pixel(2000 / 15 + 100, 2000 / 15 + 100), 0x00FF00u);
}

TEST_F(ScreenTest, AMessageBoxShowsItsTextAndButtonsSizedToTheText) {
  sim::SimMessageBoxes::Record box{"Delete the note?", "Pinlet",
                                   mb::kYesNo | mb::kQuestion};
  Image image = renderer->DialogImage(Dialog{box});
  EXPECT_GE(image.width(), 2 * 75 + 6 + 24);
  EXPECT_GT(Count(image, {0, 26, image.width(), image.height() - 26}, Ink), 100);
  sim::SimMessageBoxes::Record ok{"Delete the note?", "Pinlet", mb::kOkOnly};
  EXPECT_LT(renderer->DialogImage(Dialog{ok}).width(), image.width());
  box.text = std::string(400, 'x') + " and more";
  Image longer = renderer->DialogImage(Dialog{box});
  EXPECT_GT(longer.height(), image.height());
  EXPECT_LE(longer.width(), 440);  // the text wraps at 360 pixels
  // Over the screen it stands in the middle of the work area.
  Image screen = renderer->Screen(world, nullptr);
  Dialog dialog{box};
  Image with_box = renderer->Screen(world, &dialog);
  EXPECT_TRUE(Differ(screen, with_box, {500, 360, 24, 24}));
}

}  // namespace
}  // namespace pinlet::render
