#include <gmock/gmock.h>

#include <stdexcept>

#include "ui_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;
using Action = FormAction;

// A reminder dialog as the add-in builds one: OK hides it with the chosen
// date and time as its result; Cancel unloads it.
class ModalFormTest : public UiTest {
 protected:
  void SetUp() override {
    dialog->SetCaption("Reminder");
    time->AddItem("9:00 AM", "");
    time->AddItem("9:30 AM", "");
    subscriptions.push_back(ok->OnClick([this] {
      auto date = calendar->Value();
      result = (date ? date->ToGeneralString() : "no date") + " " + time->Text();
      dialog->Hide();
    }));
    subscriptions.push_back(cancel->OnClick([this] { dialog->Unload(); }));
  }
  void ShowModal() {
    auto caller = NewForm("frmComments");
    caller->Show(ui::kModeless);
    dialog->Show(ui::kModal);
    EXPECT_EQ(world.windows.active(), caller->hWnd()) << "the owner is active again";
  }

  ui::FormPtr dialog = NewForm("frmReminder");
  std::shared_ptr<ui::Calendar> calendar = dialog->Add<ui::Calendar>("Calendar1");
  std::shared_ptr<ui::ComboBox> time = dialog->Add<ui::ComboBox>("cboTime");
  std::shared_ptr<ui::CommandButton> ok = dialog->Add<ui::CommandButton>("cmdOK");
  std::shared_ptr<ui::CommandButton> cancel = dialog->Add<ui::CommandButton>("cmdCancel");
  std::vector<Subscription> subscriptions;
  std::string result;
};

TEST_F(ModalFormTest, AnsweredFormRunsItsActionsAndShowReturnsWhenItHides) {
  world.ui.QueueFormAnswer(
      "reminder", {Action::Set("Calendar1", "12/24/2026"),
                   Action::Choose("cboTime", "9:30 am"), Action::Click("cmdOK")});
  ShowModal();
  EXPECT_EQ(result, "12/24/2026 9:30 AM");
  EXPECT_FALSE(dialog->Visible());
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  const auto& shown = world.ui.modal_forms()[0];
  EXPECT_EQ(shown.form, "frmReminder");
  EXPECT_EQ(shown.caption, "Reminder");
  EXPECT_THAT(shown.actions, ElementsAre("set Calendar1 \"12/24/2026\"",
                                         "choose cboTime \"9:30 am\"", "click cmdOK"));
  EXPECT_EQ(shown.outcome, "hidden");
}

TEST_F(ModalFormTest, AFormShownWithoutAnAnswerIsADefectAndIsClosed) {
  int unloads = 0;
  auto on_unload = dialog->OnUnload([&](int&) { ++unloads; });
  ShowModal();
  EXPECT_THAT(
      TakeDefects(),
      ElementsAre("modal form frmReminder (\"Reminder\") was shown with no answer "
                  "queued; the host closed it"));
  EXPECT_EQ(unloads, 1);  // closed as the user's close box does
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "closed by the host");
  EXPECT_TRUE(world.ui.forms().size() == 1);  // only the caller is left
}

TEST_F(ModalFormTest, AScriptThatDoesNotFitTheFormIsADefect) {
  ok->SetEnabled(false);
  world.ui.QueueFormAnswer(
      "frmReminder",
      {Action::Click("cmdOK"), Action::Click("cmdCancel"), Action::Click("cmdOK")});
  ShowModal();
  EXPECT_THAT(
      TakeDefects(),
      ElementsAre(
          "modal form frmReminder (\"Reminder\"): cannot click cmdOK: cmdOK is disabled",
          "modal form frmReminder (\"Reminder\") closed before its answer's last 1 "
          "action(s): click cmdOK"));
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "unloaded");
}

TEST_F(ModalFormTest, AfterAFailedHostCallAScriptThatNoLongerFitsIsRecordedNotADefect) {
  // The run failed a host call earlier, which the queued answer could not
  // foresee: the button it disabled cannot be clicked, and the host closes
  // the form the answer left open.
  world.faults.FailMember("Form.Caption", errors::kOperationFailed, 1);
  try {
    dialog->Caption();
  } catch (const HostError&) {
  }
  ok->SetEnabled(false);
  world.ui.QueueFormAnswer("frmReminder", {Action::Click("cmdOK")});
  ShowModal();
  EXPECT_TRUE(TakeDefects().empty());
  const auto& shown = world.ui.modal_forms()[0];
  EXPECT_THAT(shown.actions,
              ElementsAre("click cmdOK (failed: cmdOK is disabled)",
                          "(after a failed host call: modal form frmReminder "
                          "(\"Reminder\"): cannot click cmdOK: cmdOK is disabled)",
                          "(after a failed host call: modal form frmReminder "
                          "(\"Reminder\") was still open when its answer ran out; the "
                          "host closed it)"));
  EXPECT_EQ(shown.outcome, "closed by the host");
}

TEST_F(ModalFormTest, TheActionShowRecordsTheFormAsTheUserSeesIt) {
  std::vector<FormAction> actions;
  std::string error;
  ASSERT_TRUE(ParseFormActions(
      {"choose", "cboTime", "9:30 AM", ";", "show", ";", "click", "cmdCancel"}, actions,
      error))
      << error;
  EXPECT_EQ(actions[1].ToString(), "show");
  world.ui.QueueFormAnswer("frmReminder", std::move(actions));
  ShowModal();
  const auto& shown = world.ui.modal_forms()[0];
  EXPECT_THAT(shown.actions,
              ElementsAre("choose cboTime \"9:30 AM\"", "show", "click cmdCancel"));
  ASSERT_EQ(shown.snapshots.size(), 1u);
  EXPECT_THAT(shown.snapshots[0], ::testing::HasSubstr("\"9:30 AM\" (entry 1 of 2)"));
}

TEST_F(ModalFormTest, AFormLeftOpenThatRefusesToCloseIsHidden) {
  auto refuse = dialog->OnQueryUnload([](int& cancel, int mode) {
    EXPECT_EQ(mode, ui::unload_mode::kFormControlMenu);
    cancel = 1;
  });
  world.ui.QueueFormAnswer("frmReminder", {Action::Close()});
  ShowModal();
  EXPECT_THAT(TakeDefects(),
              ElementsAre("modal form frmReminder (\"Reminder\") was still open when its "
                          "answer ran out; the host closed it"));
  EXPECT_EQ(world.ui.modal_forms()[0].outcome,
            "hidden by the host (the form refused to close)");
  dialog->Show(ui::kModeless);
  try {
    dialog->Show(ui::kModal);
    FAIL() << "a visible form was shown modally";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kFormAlreadyDisplayed);
  }
}

TEST_F(UiTest, APopupMenuIsAnsweredWithAnEntryOrNothing) {
  auto form = NewForm("frmComments");
  auto menu = form->Add<ui::Menu>("mnuAttachPopup");
  menu->SetVisible(false);
  auto open = form->Add<ui::Menu>("mnuPopupOpen", "mnuAttachPopup");
  auto remove = form->Add<ui::Menu>("mnuPopupRemove", "mnuAttachPopup");
  open->SetCaption("&Open");
  remove->SetCaption("&Remove");
  remove->SetEnabled(false);
  auto list = form->Add<ui::ListBox>("lstAttachments");
  list->Move(120, 2400, 5000, 600);
  std::vector<std::string> clicked;
  auto on_open = open->OnClick([&] { clicked.push_back("open"); });
  auto on_right = list->OnMouseDown([&](int button, int, int, int) {
    if (button == ui::mouse::kRight) form->PopupMenu(menu);
  });
  form->Show(ui::kModeless);

  world.ui.QueueMenuAnswer("Open");
  world.ui.QueueMenuAnswer("");
  world.ui.QueueMenuAnswer("mnuPopupRemove");
  Do(form,
     Action::Mouse(FormAction::Kind::kMouseDown, "lstAttachments", ui::mouse::kRight));
  for (int i = 0; i < 3; ++i) form->PopupMenu(menu);
  EXPECT_THAT(clicked, ElementsAre("open"));
  EXPECT_EQ(world.ui.menus()[0].x, 120);
  EXPECT_EQ(world.ui.menus()[0].y, 2400);
  EXPECT_THAT(world.ui.menus()[0].entries, ElementsAre("&Open", "&Remove (disabled)"));
  EXPECT_EQ(world.ui.menus()[0].chosen, "mnuPopupOpen");
  EXPECT_EQ(world.ui.menus()[1].chosen, "");
  EXPECT_THAT(TakeDefects(),
              ElementsAre("popup menu mnuAttachPopup of frmComments: no enabled entry "
                          "\"mnuPopupRemove\" to choose",
                          "popup menu mnuAttachPopup of frmComments was shown with no "
                          "answer queued; nothing was chosen"));
}

TEST_F(UiTest, AHandlerThatThrowsIsRecordedAsADefectAndTheHostGoesOn) {
  auto form = NewForm("frmOptions");
  auto button = form->Add<ui::CommandButton>("cmdOK");
  auto failing = button->OnClick([] { throw std::runtime_error("boom"); });
  int later = 0;
  auto second = button->OnClick([&] { ++later; });
  form->Show(ui::kModeless);
  Do(form, Action::Click("cmdOK"));
  EXPECT_EQ(later, 1);
  EXPECT_THAT(TakeDefects(),
              ElementsAre("frmOptions.cmdOK_Click: boom reached the host"));
}

TEST_F(UiTest, KeyPreviewLetsTheFormConsumeAKeyBeforeTheControlSeesIt) {
  auto form = NewForm("frmComments");
  auto text = form->Add<ui::TextBox>("Text");
  form->SetKeyPreview(true);
  std::vector<std::string> keys;
  auto on_form = form->OnKeyDown([&](int& key, int& shift) {
    keys.push_back("form " + std::to_string(key) + "/" + std::to_string(shift));
    if (key == 'O' && shift == ui::shift::kCtrl) key = 0;
  });
  auto on_text = text->OnKeyDown(
      [&](int& key, int&) { keys.push_back("text " + std::to_string(key)); });
  form->Show(ui::kModeless);
  Do(form, Action::Key("Text", "Ctrl+O"));
  Do(form, Action::Key("Text", "Ctrl+F4"));
  EXPECT_THAT(keys, ElementsAre("form 79/2", "form 115/2", "text 115"));
  EXPECT_EQ(text->Text(), "");  // the consumed Ctrl+O typed nothing
}

TEST_F(UiTest, ResizeActivationAndTheCloseBoxReachTheForm) {
  auto form = NewForm("frmComments");
  std::vector<std::string> heard;
  std::vector<Subscription> subs;
  subs.push_back(form->OnResize(
      [&] { heard.push_back("resize " + std::to_string(form->Height())); }));
  subs.push_back(form->OnActivate([&] { heard.push_back("activate"); }));
  subs.push_back(form->OnDeactivate([&] { heard.push_back("deactivate"); }));
  subs.push_back(
      form->OnQueryUnload([&](int&, int) { heard.push_back("query unload"); }));
  subs.push_back(form->OnUnload([&](int&) { heard.push_back("unload"); }));
  form->Show(ui::kModeless);
  form->SetHeight(3300);
  form->SetHeight(3300);  // no change of size, no Resize
  world.windows.Create("Inbox - Microsoft Outlook");
  Do(form, Action::Resize(5310, 2100));
  Do(form, Action::Close());
  EXPECT_THAT(heard, ElementsAre("resize 3600", "activate", "resize 3300", "deactivate",
                                 "activate", "resize 2100", "query unload", "unload"));
}

}  // namespace
}  // namespace pinlet::sim
