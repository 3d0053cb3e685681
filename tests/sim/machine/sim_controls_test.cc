#include <gmock/gmock.h>

#include "sim/machine/font_metrics.h"
#include "ui_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;
using Action = FormAction;

TEST_F(UiTest, TimersTickAsTimeAdvancesAndRestartWhenSet) {
  auto form = NewForm("frmComments");
  auto timer = form->Add<ui::Timer>("Timer1");
  std::vector<int64_t> ticks;
  auto on_tick = timer->OnTimer([&] {
    ticks.push_back(world.ui.now_ms());
    if (ticks.size() == 2) timer->SetInterval(5000);  // as printing does
  });
  Date start = world.clock.now();
  EXPECT_FALSE(world.ui.NextTick());  // interval 0: the timer does not run
  timer->SetInterval(500);
  EXPECT_EQ(world.ui.NextTick(), 500);
  EXPECT_EQ(world.ui.AdvanceTime(6000), 3);
  EXPECT_THAT(ticks, ElementsAre(500, 1000, 6000));
  EXPECT_NEAR((world.clock.now().value() - start.value()) * 86400, 6.0, 1e-6);

  timer->SetEnabled(false);  // the form hidden or not, a disabled timer is still
  EXPECT_EQ(world.ui.AdvanceTime(60000), 0);
  timer->SetEnabled(true);
  EXPECT_EQ(world.ui.NextTick(), 5000);
  form->Unload();  // an unloaded form's timers stop
  EXPECT_EQ(world.ui.AdvanceTime(60000), 0);
}

// Lent timers keep time with the forms' timers, in one order, and may set or
// kill themselves and each other from their ticks.
TEST_F(UiTest, LentTimersTickInTimeOrderWithTheFormsTimers) {
  auto form = NewForm("frmComments");
  auto timer = form->Add<ui::Timer>("Timer1");
  std::vector<std::string> ticks;
  auto on_tick = timer->OnTimer(
      [&] { ticks.push_back("form@" + std::to_string(world.ui.now_ms())); });
  timer->SetInterval(400);
  const std::pair<uintptr_t, uintptr_t> a{0x10, 1}, b{0x10, 2};
  world.ui.SetLentTimer(a, 300, [&] {
    ticks.push_back("a@" + std::to_string(world.ui.now_ms()));
    if (world.ui.now_ms() == 600)
      world.ui.SetLentTimer(a, 1000, [&] { ticks.push_back("a2"); });
  });
  world.ui.SetLentTimer(b, 700, [&] {
    ticks.push_back("b@" + std::to_string(world.ui.now_ms()));
    world.ui.KillLentTimer(b);
  });
  EXPECT_EQ(world.ui.NextTick(), 300);
  EXPECT_EQ(world.ui.AdvanceTime(1700), 8);
  // At 1600 both fall due: the form's first, as among the forms' timers.
  EXPECT_THAT(ticks, ElementsAre("a@300", "form@400", "a@600", "b@700", "form@800",
                                 "form@1200", "form@1600", "a2"));
  EXPECT_FALSE(world.ui.KillLentTimer(b));  // it killed itself
  EXPECT_TRUE(world.ui.KillLentTimer(a));
  EXPECT_EQ(world.ui.NextTick(), 300);  // the form's, at 2000
}

TEST(FontMetricsTest, TheHeightATextNeedsGrowsWithTheTextAndShrinksWithTheWidth) {
  ui::Font font{"Arial", 10};
  EXPECT_EQ(LineHeight(font), 240);
  EXPECT_EQ(TextWidth(font, "ab"), 200);  // 50 units a letter, 2 twips a unit at 10 pt
  font.bold = true;
  EXPECT_EQ(TextWidth(font, "ab"), 220);
  font.bold = false;
  EXPECT_EQ(TextHeight(font, ""), 240);
  EXPECT_EQ(TextHeight(font, "one\r\ntwo\r\n"), 3 * 240);

  // "aaaa aaaa aaaa" is 400 + 60 + 400 + 60 + 400 twips.
  const std::string text = "aaaa aaaa aaaa";
  EXPECT_EQ(WrappedTextHeight(font, text, 1320), 240);
  EXPECT_EQ(WrappedTextHeight(font, text, 1319), 480);
  EXPECT_EQ(WrappedTextHeight(font, text, 860), 480);
  EXPECT_EQ(WrappedTextHeight(font, text, 859), 720);
  EXPECT_EQ(WrappedTextHeight(font, text + " aaaa", 860), 480);
  // A word wider than the width is broken between its characters.
  EXPECT_EQ(WrappedTextHeight(font, "aaaaaaaa", 400), 480);
  EXPECT_EQ(WrappedTextHeight(font, "a", 1), 240);
  font.size = 20;
  EXPECT_EQ(WrappedTextHeight(font, text, 1320), 3 * 480);
}

// (What a drop-down list takes is the forms' contract; the simulated one
// also searches its entries as the user types.)
TEST_F(UiTest, TypingInADropDownListPicksTheEntryItStarts) {
  auto form = NewForm("frmOptions");
  auto flags = form->Add<ui::ComboBox>("cboFlags");
  flags->SetStyle(ui::ComboBox::kDropDownList);
  for (const char* f : {"Red Flag", "Blue Flag", "Yellow Flag", "Purple Flag"})
    flags->AddItem(f, std::string(f).substr(0, std::string(f).find(' ')));
  form->Show(ui::kModeless);
  Do(form, Action::Type("cboFlags", "p"));
  EXPECT_EQ(flags->Text(), "Purple Flag");
  EXPECT_EQ(flags->ItemPicture(flags->ListIndex()), "Purple");
}

TEST_F(UiTest, AFormIsShownAsTextWithItsVisibleControls) {
  auto form = NewForm("frmComments");
  form->SetCaption("Edit Note");
  form->Move(1200, 900, 5310, 3300);
  form->SetBackColor(0xC0FFFF);
  auto footer = form->Add<ui::PictureBox>("picFooter");
  footer->Move(0, 2400, 5200, 300);
  auto time = form->Add<ui::Label>("lblTime", "picFooter");
  time->SetCaption("12/7/26 9:00 AM");
  auto cut = form->Add<ui::Image>("imgTextCut");
  cut->SetPicture("CUT_DISABLED", {});
  cut->SetToolTipText("Cut");
  cut->SetEnabled(false);
  auto text = form->Add<ui::TextBox>("Text");
  text->SetText("Call Bob");
  form->Add<ui::Image>("imgNoteView")->SetVisible(false);
  form->Show(ui::kModeless);
  EXPECT_EQ(world.ui.Describe(Sim(form)),
            "frmComments \"Edit Note\" 0x10010: visible, active\n"
            "  at 1200,900 size 5310x3300, back 0xC0FFFF\n"
            "  picFooter PictureBox at 0,2400 5200x300, back 0xC8D0D4\n"
            "    lblTime Label at 0,0 1215x255, back 0xC8D0D4: \"12/7/26 9:00 AM\"\n"
            "  imgTextCut Image at 0,0 315x315, tip \"Cut\", disabled: picture "
            "CUT_DISABLED\n"
            "  Text TextBox at 0,0 1215x495, back 0xFFFFFF, focus: \"Call Bob\" sel 0+0, "
            "font \"MS Sans Serif\" 8.25, fore 0x000000\n"
            "  (1 hidden controls)\n");
  EXPECT_EQ(world.ui.FindForm("edit note"), &Sim(form));
  EXPECT_EQ(world.ui.FindForm("0x10010"), &Sim(form));
}

TEST_F(UiTest, ACalendarMayHoldNoDateAndAPictureBoxMeasuresInItsFont) {
  auto form = NewForm("frmReminder");
  auto calendar = form->Add<ui::Calendar>("Calendar1");
  auto surface = form->Add<ui::PictureBox>("picScrollBar");
  std::vector<std::string> heard;
  auto moves = form->OnMouseMove([&](int, int, int, int) { heard.push_back("move"); });
  auto clicks = form->OnClick([&] { heard.push_back("click"); });
  EXPECT_EQ(calendar->Value(), Date::FromParts(2026, 12, 7));  // today, by default
  form->Show(ui::kModeless);
  // The form's own name stands for its background.
  Do(form, Action::Mouse(FormAction::Kind::kHover, "frmReminder"));
  Do(form, Action::Click("frmReminder"));
  EXPECT_THAT(heard, ElementsAre("move", "click"));
  Do(form, Action::Set("Calendar1", "none"));
  EXPECT_FALSE(calendar->Value());
  std::string error;
  EXPECT_FALSE(
      world.ui.Perform(Sim(form), Action::Set("Calendar1", "31/12/2026"), error));
  EXPECT_EQ(error, "'31/12/2026' is not a date (m/d/yyyy) or none");

  surface->SetFont({"Arial", 10});
  EXPECT_EQ(surface->TextHeight("a\r\nb"), 480);
  EXPECT_EQ(surface->WrappedTextHeight("aaaa aaaa", 400), 480);
  int64_t calls = world.faults.call_count();
  surface->TextWidth("ab");
  EXPECT_EQ(world.faults.call_count() - calls, 1);
}

TEST(FormActionsTest, ScriptWordsBecomeActionsSeparatedBySemicolons) {
  std::vector<FormAction> actions;
  std::string error;
  ASSERT_TRUE(ParseFormActions({"set", "Calendar1", "12/24/2026;", "choose", "cboTime",
                                "9:30 AM", ";", "click", "cmdOK"},
                               actions, error))
      << error;
  ASSERT_EQ(actions.size(), 3u);
  EXPECT_EQ(actions[1].ToString(), "choose cboTime \"9:30 AM\"");
  EXPECT_FALSE(ParseFormActions({"click", "cmdOK", ";", ";", "close"}, actions, error));
  EXPECT_EQ(error, "an empty action between \";\"");
  EXPECT_FALSE(ParseFormActions({"key", "Text", "Ctrl+Q+W"}, actions, error));
  EXPECT_FALSE(ParseFormActions({"press", "cmdOK"}, actions, error));
  EXPECT_FALSE(ParseFormActions({"click", "cmdOK", "twice"}, actions, error));
  EXPECT_EQ(error, "usage: click CONTROL [left|right|middle]");
  int key = 0, shift = 0;
  ASSERT_TRUE(ParseKey("ctrl+shift+F4", key, shift));
  EXPECT_EQ(key, ui::key::kF4);
  EXPECT_EQ(shift, ui::shift::kCtrl | ui::shift::kShift);
}

}  // namespace
}  // namespace pinlet::sim
