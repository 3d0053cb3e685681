#include "commondlg/c_common_dialog.h"

#include <gtest/gtest.h>

#include "sim/machine/world.h"

namespace pinlet {
namespace {

class CommonDialogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& defect : world.defects())
      ADD_FAILURE() << "defect: " << defect;
  }
  const sim::SimDialogs::Record& Last() { return world.dialogs.shown().back(); }

  sim::World world;
  GCommonDialog shared{world.dialogs, world.windows};
};

TEST_F(CommonDialogTest, BeforeAnyUseTheCustomColoursAreTheFirstSixteenSystemColours) {
  world.dialogs.QueueColor(0x123456);
  cCommonDialog dialog(shared);
  ASSERT_TRUE(dialog.ShowColor());
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(Last().color.custom_colors[i], world.windows.GetSysColor(i)) << i;
  EXPECT_EQ(dialog.Color, 0x123456u);
}

TEST_F(CommonDialogTest, CustomColoursAreSharedAndKeepWhatTheUserDefined) {
  cCommonDialog first(shared), second(shared);
  first.CustomColor(3, 0xABCDEF);
  first.CustomColor(16, 0x111111);  // outside the table: ignored
  first.CustomColor(-1, 0x111111);
  world.dialogs.QueueColor(0x0000FF, {{5, 0x00FF00}});
  first.ShowColor();
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  second.ShowColor();
  EXPECT_EQ(Last().color.custom_colors[3], 0xABCDEFu);
  EXPECT_EQ(Last().color.custom_colors[5], 0x00FF00u);
  EXPECT_EQ(Last().color.custom_colors[15], world.windows.GetSysColor(15));
}

TEST_F(CommonDialogTest, FlagsFollowTheControlsConvention) {
  cCommonDialog dialog(shared);
  dialog.Flags = 3;  // the note window's: full open, solid colours
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  dialog.ShowColor();
  EXPECT_EQ(Last().color.flags, cc::kRgbInit | cc::kFullOpen | cc::kSolidColor);
  dialog.Flags = cdl::kAnyColor | cdl::kPreventFullOpen;
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  dialog.ShowColor();
  EXPECT_EQ(Last().color.flags, cc::kRgbInit | cc::kAnyColor | cc::kPreventFullOpen);
  EXPECT_EQ(Last().color.owner, 0);  // no owner window
}

TEST_F(CommonDialogTest, ACancelKeepsTheColourAndRaisesOnlyWhenAskedTo) {
  cCommonDialog dialog(shared);
  dialog.Color = 0x00FFFF;
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  EXPECT_FALSE(dialog.ShowColor());
  EXPECT_EQ(dialog.Color, 0x00FFFFu);
  EXPECT_EQ(dialog.ExtendedError(), cderr::kNone);
  dialog.CancelError = true;
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  try {
    dialog.ShowColor();
    ADD_FAILURE() << "a cancel with CancelError set raises";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), errors::kCancelSelected);
    EXPECT_TRUE(error.source().ends_with(".cCommonDialog"));
  }
  EXPECT_EQ(dialog.Color, 0x00FFFFu);
}

TEST_F(CommonDialogTest, VBChooseColorHandsBackMinusOneWhenNothingWasChosen) {
  uint32_t colour = 0x808080;
  world.faults.FailMember("ChooseColor");
  EXPECT_FALSE(shared.VBChooseColor(colour, false, false, false, kNoOwner));
  EXPECT_EQ(colour, 0xFFFFFFFFu);
  EXPECT_EQ(shared.last_error(), cderr::kDialogFailure);
}

}  // namespace
}  // namespace pinlet
