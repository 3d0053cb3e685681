#include <gmock/gmock.h>

#include "ui_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;
using Action = FormAction;

// Records the events of controls as "name event".
class Recorder {
 public:
  void Mouse(const std::shared_ptr<ui::Control>& c, const std::string& name) {
    auto mouse = [this, name](const char* event) {
      return [this, name, event](int button, int, int, int) {
        heard.push_back(name + " " + event + " " + std::to_string(button));
      };
    };
    subs.push_back(c->OnMouseDown(mouse("down")));
    subs.push_back(c->OnMouseMove(mouse("move")));
    subs.push_back(c->OnMouseUp(mouse("up")));
    Clicks(c, name);
    subs.push_back(c->OnDblClick([this, name] { heard.push_back(name + " dblclick"); }));
  }
  void Clicks(const std::shared_ptr<ui::Control>& c, const std::string& name) {
    subs.push_back(c->OnClick([this, name] { heard.push_back(name + " click"); }));
  }
  void Focus(const std::shared_ptr<ui::Control>& c, const std::string& name) {
    subs.push_back(c->OnGotFocus([this, name] { heard.push_back(name + " got focus"); }));
    subs.push_back(
        c->OnLostFocus([this, name] { heard.push_back(name + " lost focus"); }));
  }
  std::vector<std::string> heard;
  std::vector<Subscription> subs;
};

TEST_F(UiTest, PictureButtonsHearTheMouseInTheHostsOrderAndUnreachableOnesNothing) {
  auto form = NewForm("frmComments");
  auto cut = form->Add<ui::Image>("imgTextCut");
  auto panel = form->Add<ui::PictureBox>("picAttachments");
  auto save = form->Add<ui::Image>("imgSaveAtt", "picAttachments");
  Recorder r;
  r.Mouse(cut, "cut");
  r.Mouse(save, "save");
  form->Show(ui::kModeless);
  Do(form, Action::Mouse(FormAction::Kind::kHover, "imgTextCut"));
  Do(form, Action::Click("imgTextCut"));
  Do(form, Action::Click("imgTextCut", ui::mouse::kRight));
  Do(form, Action::Mouse(FormAction::Kind::kDblClick, "imgTextCut"));
  EXPECT_THAT(r.heard, ElementsAre("cut move 0", "cut down 1", "cut up 1", "cut click",
                                   "cut down 2", "cut up 2", "cut down 1", "cut up 1",
                                   "cut click", "cut dblclick", "cut up 1"));
  r.heard.clear();
  cut->SetEnabled(false);
  panel->SetVisible(false);  // the button inside goes with its panel
  std::string error;
  EXPECT_FALSE(world.ui.Perform(Sim(form), Action::Click("imgTextCut"), error));
  EXPECT_EQ(error, "imgTextCut is disabled");
  EXPECT_FALSE(world.ui.Perform(Sim(form), Action::Click("imgSaveAtt"), error));
  EXPECT_EQ(error, "imgSaveAtt is hidden");
  EXPECT_TRUE(save->Visible());  // its own Visible is unchanged
  EXPECT_TRUE(r.heard.empty());
}

TEST_F(UiTest, TheFocusFollowsTheUserAndTheFormHearsItsActivation) {
  auto form = NewForm("frmOptions");
  auto sample = form->Add<ui::TextBox>("txtFont");
  auto ok = form->Add<ui::CommandButton>("cmdOK");
  Recorder r;
  r.Focus(sample, "sample");
  r.Focus(ok, "ok");
  auto got = form->OnGotFocus([&] { r.heard.push_back("form got focus"); });
  form->Show(ui::kModeless);
  Do(form, Action::Click("cmdOK"));
  ok->SetFocus();  // already there: nothing happens
  sample->SetFocus();
  EXPECT_THAT(r.heard,
              ElementsAre("form got focus", "sample got focus", "sample lost focus",
                          "ok got focus", "ok lost focus", "sample got focus"));
}

TEST_F(UiTest, AFormsGeometryIsItsWindowsInTwips) {
  auto form = NewForm("frmComments");
  int resized = 0;
  auto on_resize = form->OnResize([&] { ++resized; });
  form->Move(1200, 900, 5310, 3300);
  EXPECT_EQ(form->ScaleWidth(), 5310 - 120);
  EXPECT_EQ(form->ScaleHeight(), 3300 - 450);
  ASSERT_TRUE(world.windows.SetWindowPos(form->hWnd(), hwnd::kTop, 300, 200, 6000, 3300,
                                         swp::kNoZOrder | swp::kNoActivate));
  EXPECT_EQ(form->Left(), 300);
  EXPECT_EQ(form->Width(), 6000);
  EXPECT_EQ(resized, 2);
  try {
    form->SetWidth(-1);
    FAIL() << "a negative width was taken";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kInvalidPropertyValue);
  }
  EXPECT_EQ(world.windows.Find(form->hWnd())->title, "frmComments");
  form->SetCaption("Edit Note");
  EXPECT_EQ(world.windows.GetWindowText(form->hWnd()), "Edit Note");
}

TEST_F(UiTest, EveryMemberPassesTheFaultInjectorOnceAndFailsWithTheNumberAsked) {
  auto form = NewForm("frmComments");
  auto text = form->Add<ui::TextBox>("Text");
  int changes = 0;
  auto on_change = text->OnChange([&] { ++changes; });
  int64_t before = world.faults.call_count();
  text->SetText("abc");  // its Change is the host's own doing, not another call
  text->Left();
  form->Caption();
  EXPECT_EQ(world.faults.call_count() - before, 3);
  world.faults.FailMember("Control.Left", errors::kInvalidPropertyValue);
  try {
    text->SetLeft(10);
    FAIL() << "the call did not fail";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kInvalidPropertyValue);
  }
  EXPECT_EQ(text->Top(), 0);
  world.faults.FailMember("TextBox.Text");
  EXPECT_THROW(text->SetText("lost"), HostError);
  EXPECT_EQ(changes, 1);
}

TEST_F(UiTest, ListsKeepTheirSelectionOnItsEntryAndCombosFollowTheTyping) {
  auto form = NewForm("frmComments");
  auto list = form->Add<ui::ListBox>("lstAttachments");
  list->AddItem("b.doc", -1);
  list->AddItem("c.pdf", -1);
  list->SetSelected(1, true);
  list->AddItem("a.txt", 0);
  EXPECT_EQ(list->ListIndex(), 2);
  EXPECT_TRUE(list->Selected(2));
  list->SetSelected(2, false);
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_THROW(list->Selected(3), HostError);
  EXPECT_EQ(list->List(3), "");

  auto time = form->Add<ui::ComboBox>("cboTime");
  time->AddItem("9:00 AM", "");
  time->AddItem("9:30 AM", "");
  std::vector<std::string> heard;
  auto on_change = time->OnChange([&] { heard.push_back("change " + time->Text()); });
  auto on_click = time->OnClick([&] { heard.push_back("click"); });
  form->Show(ui::kModeless);
  Do(form, Action::Type("cboTime", "9:3"));
  Do(form, Action::Key("cboTime", "Back"));
  Do(form, Action::Type("cboTime", "30 am"));
  EXPECT_EQ(time->ListIndex(), 1);  // the typed text is an entry's
  EXPECT_THAT(heard, ElementsAre("change 9", "change 9:", "change 9:3",
                                 "change 9:", "change 9:3", "change 9:30", "change 9:30 ",
                                 "change 9:30 a", "click", "change 9:30 am"));
}

TEST_F(UiTest, AModalFormOpenedFromAModalFormTakesItsOwnAnswer) {
  auto options = NewForm("frmOptions");
  auto colour = options->Add<ui::CommandButton>("cmdColor");
  auto ok = options->Add<ui::CommandButton>("cmdOK");
  auto warning = NewForm("frmWarningOnReminder");
  auto yes = warning->Add<ui::CommandButton>("cmdYes");
  std::vector<Subscription> subs;
  subs.push_back(colour->OnClick([&] { warning->Show(ui::kModal); }));
  subs.push_back(ok->OnClick([&] { options->Hide(); }));
  subs.push_back(yes->OnClick([&] { warning->Unload(); }));
  world.ui.QueueFormAnswer("frmOptions",
                           {Action::Click("cmdColor"), Action::Click("cmdOK")});
  world.ui.QueueFormAnswer("frmWarningOnReminder", {Action::Click("cmdYes")});
  options->Show(ui::kModal);
  ASSERT_EQ(world.ui.modal_forms().size(), 2u);
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "hidden");
  EXPECT_EQ(world.ui.modal_forms()[1].form, "frmWarningOnReminder");
  EXPECT_EQ(world.ui.modal_forms()[1].outcome, "unloaded");
}

}  // namespace
}  // namespace pinlet::sim
