#include <gmock/gmock.h>

#include <sstream>

#include "sim/app/driver.h"
#include "platform/ui_controls.h"

namespace pinlet::app {
namespace {

// The commands on a form built the way the add-in builds its windows.
class UiCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(driver.Open(error)) << error;
    form->SetCaption("Pinlet Options");
    ok->SetCaption("OK");
    clicks = ok->OnClick([this] { form->Hide(); });
    timer->SetInterval(400);
    ticks = timer->OnTimer([this] { ++ticked; });
  }
  // Runs one command line; the output is left in `out`.
  int Run(const std::string& line) {
    std::istringstream in(line + "\n");
    out.str("");
    return driver.RunScript(in, "test");
  }

  std::ostringstream out, err;
  Driver driver{out, err, {}};
  ui::FormPtr form = driver.world().ui.CreateForm("frmOptions");
  std::shared_ptr<ui::CommandButton> ok = form->Add<ui::CommandButton>("cmdOK");
  std::shared_ptr<ui::Timer> timer = form->Add<ui::Timer>("Timer1");
  Subscription clicks, ticks;
  int ticked = 0;
};

TEST_F(UiCommandsTest, AModalFormIsAnsweredAndRecordedThroughTheCommands) {
  ASSERT_EQ(Run("answer form \"pinlet options\" click cmdOK"), 0);
  EXPECT_EQ(out.str(), "the next modal pinlet options will be answered: click cmdOK\n");
  form->Show(ui::kModal);
  EXPECT_FALSE(form->Visible());
  ASSERT_EQ(Run("show forms"), 0);
  EXPECT_EQ(out.str(), "modal frmOptions \"Pinlet Options\": click cmdOK -> hidden\n");
  EXPECT_TRUE(driver.world().defects().empty());
}

TEST_F(UiCommandsTest, TheUserActsOnAnOpenFormAndSeesIt) {
  form->Show(ui::kModeless);
  ASSERT_EQ(Run("show windows"), 0);
  EXPECT_EQ(out.str(),
            "1 window, front to back:\n"
            "  0x10010 \"Pinlet Options\" (frmOptions): visible, active, at 1500,1500 "
            "size 4800x3600\n");
  ASSERT_EQ(Run("show form frmOptions"), 0);
  EXPECT_THAT(out.str(), ::testing::HasSubstr("cmdOK CommandButton at 0,0 1215x495"));
  EXPECT_EQ(Run("form frmOptions click cmdCancel"), 2);
  EXPECT_EQ(err.str(),
            "pinlet: test:1: form: cannot click cmdCancel: no control cmdCancel on "
            "frmOptions\n");
  ASSERT_EQ(Run("form frmOptions click cmdOK"), 0);
  EXPECT_EQ(out.str(), "frmOptions: click cmdOK\n");
  EXPECT_FALSE(form->Visible());
}

TEST_F(UiCommandsTest, WhatTheScreenRefusesIsARefusalLineAndTheRunGoesOn) {
  form->Show(ui::kModeless);
  ok->SetEnabled(false);
  std::istringstream script(
      "form frmOptions hover cmdOK\n"
      "expect \"refused: cannot hover cmdOK: cmdOK is disabled\"\n"
      "form frmOptions click cmdOK\n"
      "expect \"refused: cannot click cmdOK: cmdOK is disabled\"\n"
      "say done\n");
  EXPECT_EQ(driver.RunScript(script, "test"), 0);
  EXPECT_THAT(out.str(), ::testing::EndsWith("done\n"));
  EXPECT_TRUE(form->Visible());
  // A control the form does not have is still a bad command.
  EXPECT_EQ(Run("form frmOptions hover cmdNone"), 2);
}

TEST_F(UiCommandsTest, TickAdvancesToTheNextTickOrByTheTimeGiven) {
  ASSERT_EQ(Run("tick"), 0);
  EXPECT_EQ(out.str(), "400 ms later: 1 timer tick; it is 12/7/2026 9:00:00 AM\n");
  ASSERT_EQ(Run("tick 1000"), 0);
  EXPECT_EQ(ticked, 3);
  EXPECT_EQ(Run("tick soon"), 2);
}

}  // namespace
}  // namespace pinlet::app
