// The test host's surface of real forms: finding the add-in's windows,
// driving them as the user's mouse and keyboard do, reading them through
// what the add-in says of them, and never waiting on a modal form it cannot
// answer.
#include "sim/comhost/real_forms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "comserver/window_descriptions.h"
#include "platform/date.h"
#include "platform/display_text.h"
#include "platform/win32ui/win32_form.h"
#include "platform/win32ui/window_names.h"
#include "sim/app/driver.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/world.h"
#include "win32ui/form_fixture.h"

namespace pinlet::comhost {
namespace {

using app::FormRef;
using sim::FormAction;

class RealFormsTest : public testing::FormTest {
 protected:
  // What the add-in would say of a window: the form's own description, and
  // `note` for a note's aspects.
  std::optional<std::string> Describe(HWND window, std::string_view aspect) {
    std::shared_ptr<win32ui::Win32Form> form = win32ui::Win32Form::Over(window);
    if (!form || !answering) return std::nullopt;
    if (aspect == com::aspect::kForm) return form->Describe();
    auto answer = note.find(std::string(aspect));
    return answer == note.end() ? std::nullopt : std::optional(answer->second);
  }

  // A shown form with a caption.
  ui::FormPtr Shown(std::string_view design, std::string_view caption) {
    ui::FormPtr form = NewForm(design);
    form->SetCaption(caption);
    form->Show(ui::kModeless);
    return form;
  }
  FormRef Ref(std::string_view name) {
    auto found = forms.Find(name);
    EXPECT_TRUE(found) << name;
    return found.value_or(FormRef{});
  }

  std::map<std::string, std::string> note;
  bool answering = true;
  sim::World world;
  RealForms forms{world, [this](HWND window, std::string_view aspect) {
                    return Describe(window, aspect);
                  }};
};

TEST_F(RealFormsTest, FormsAreFoundByDesignNameCaptionOrHandleFrontMostFirst) {
  ui::FormPtr back = Shown("frmComments", "Subject: first");
  ui::FormPtr front = Shown("frmComments", "Subject: second");
  EXPECT_EQ(Ref("FRMCOMMENTS").caption, "Subject: second");
  FormRef first = Ref("subject: FIRST");
  EXPECT_EQ(first.design_name, "frmComments");
  EXPECT_EQ(first.handle, back->hWnd());
  EXPECT_TRUE(first.visible);
  EXPECT_EQ(Ref(HandleText(back->hWnd())).caption, "Subject: first");
  EXPECT_FALSE(forms.Find("frmOptions"));
}

TEST_F(RealFormsTest, TypingGivesEachKeyItsEventsAndTheTextBoxItsText) {
  ui::FormPtr form = Shown("frmComments", "Note");
  auto box = form->Add<ui::TextBox>("Text");
  box->SetMultiLine(true);
  std::string keys;
  int changes = 0;
  auto down = box->OnKeyDown([&](int& key, int& shift) {
    keys += "d" + std::to_string(key) + (shift ? "s" + std::to_string(shift) : "") + " ";
  });
  auto press = box->OnKeyPress([&](int& ch) { keys += "p" + std::to_string(ch) + " "; });
  auto change = box->OnChange([&] { ++changes; });
  std::string error;
  ASSERT_EQ(forms.Perform(Ref("Note"), FormAction::Type("Text", "Ab é\n1"), error),
            app::kDone)
      << error;
  EXPECT_EQ(box->Text(), "Ab é\r\n1");
  // "é" has no key of its own: KeyPress alone. The line end is Enter.
  EXPECT_EQ(keys, "d65s1 p65 d66 p98 d32 p32 p233 d13 p13 d49 p49 ");
  EXPECT_EQ(changes, 6);
  ASSERT_EQ(forms.Perform(Ref("Note"), FormAction::Key("Text", "Ctrl+Home"), error),
            app::kDone);
  EXPECT_EQ(keys.substr(keys.rfind(" d") + 1), "d36s2 ");
  ASSERT_EQ(forms.Perform(Ref("Note"), FormAction::Key("Text", "Ctrl+Alt+Nope"), error),
            app::kBadCommand);
  EXPECT_EQ(error, "cannot key Text Ctrl+Alt+Nope: unknown key 'Ctrl+Alt+Nope'");
}

TEST_F(RealFormsTest, ClicksReachButtonsImagesAndTheBackgroundButNotHiddenControls) {
  ui::FormPtr form = Shown("frmOptions", "Options");
  auto ok = form->Add<ui::CommandButton>("cmdOK");
  auto image = form->Add<ui::Image>("imgClose");
  image->Move(0, 600, 300, 300);
  auto hidden = form->Add<ui::CommandButton>("cmdHidden");
  hidden->SetVisible(false);
  std::string seen;
  auto ok_click = ok->OnClick([&] { seen += "ok "; });
  auto image_down = image->OnMouseDown(
      [&](int button, int, int, int) { seen += "down" + std::to_string(button) + " "; });
  auto image_click = image->OnClick([&] { seen += "image "; });
  auto form_click = form->OnClick([&] { seen += "form "; });
  std::string error;
  FormRef ref = Ref("frmOptions");
  EXPECT_EQ(forms.Perform(ref, FormAction::Click("cmdOK"), error), app::kDone);
  EXPECT_EQ(forms.Perform(ref, FormAction::Click("imgClose"), error), app::kDone);
  EXPECT_EQ(forms.Perform(ref, FormAction::Click("imgClose", ui::mouse::kRight), error),
            app::kDone);
  EXPECT_EQ(forms.Perform(ref, FormAction::Click("frmOptions"), error), app::kDone);
  EXPECT_EQ(seen, "ok down1 image down2 form ");
  // The screen refuses a click on a hidden control; the run goes on.
  EXPECT_EQ(forms.Perform(ref, FormAction::Click("cmdHidden"), error), app::kRefused);
  EXPECT_EQ(error, "cannot click cmdHidden: cmdHidden is hidden");
  FormAction select;
  select.kind = FormAction::Kind::kSelect;
  select.control = "cmdOK";
  EXPECT_EQ(forms.Perform(ref, select, error), app::kBadCommand);
  EXPECT_EQ(error, "cannot select cmdOK 0 0: cmdOK is no text box");
  EXPECT_EQ(forms.Perform(ref, FormAction::Click("cmdNone"), error), app::kBadCommand);
  EXPECT_EQ(error, "cannot click cmdNone: no control cmdNone on frmOptions");
  // What the host cannot do yet is a skip, never a silent pass.
  EXPECT_EQ(forms.Perform(ref, FormAction::Set("cmdOK", "1"), error), app::kSkipped);
  EXPECT_EQ(error, "set cmdOK \"1\" on a real Button is not done by the test host yet");
  EXPECT_EQ(forms.Perform(ref, FormAction::Close(), error), app::kDone);
  EXPECT_FALSE(forms.Find("frmOptions"));
}

TEST_F(RealFormsTest, ChoosingAndDoubleClickingAnEntryReachTheListAsTheUsersDo) {
  ui::FormPtr form = Shown("frmComments", "Note");
  auto list = form->Add<ui::ListBox>("lstAttachments");
  list->Move(0, 0, 2000, 1500);
  list->AddItem("agenda.txt", -1);
  list->AddItem("budget.xls", -1);
  std::string seen;
  auto click =
      list->OnClick([&] { seen += "click" + std::to_string(list->ListIndex()) + " "; });
  auto dbl =
      list->OnDblClick([&] { seen += "dbl" + std::to_string(list->ListIndex()) + " "; });
  std::string error;
  FormAction open = FormAction::Mouse(FormAction::Kind::kDblClick, "lstAttachments");
  open.text = "budget.xls";
  ASSERT_EQ(forms.Perform(Ref("Note"), open, error), app::kDone) << error;
  EXPECT_EQ(list->ListIndex(), 1);
  EXPECT_EQ(seen.substr(seen.find("dbl")), "dbl1 ");
  ASSERT_EQ(forms.Perform(Ref("Note"), FormAction::Choose("lstAttachments", "#0"), error),
            app::kDone);
  EXPECT_EQ(list->ListIndex(), 0);
  EXPECT_EQ(
      forms.Perform(Ref("Note"), FormAction::Choose("lstAttachments", "none.txt"), error),
      app::kBadCommand);
}

// Setting a combo box with an edit is typing into it: a text that is no
// entry stays as typed, one that names an entry chooses it. A month
// calendar takes a day as a click on it does.
TEST_F(RealFormsTest, SetTypesIntoAComboBoxAndPicksACalendarsDay) {
  ui::FormPtr form = Shown("frmReminder", "Reminder");
  auto times = form->Add<ui::ComboBox>("cboTime");
  times->SetStyle(ui::ComboBox::kDropDownCombo);
  times->AddItem("9:00 AM", "");
  times->AddItem("9:30 AM", "");
  int changes = 0;
  auto change = times->OnChange([&] { ++changes; });
  auto calendar = form->Add<ui::Calendar>("Calendar1");
  std::string error;
  ASSERT_EQ(forms.Perform(Ref("Reminder"), FormAction::Set("cboTime", "None"), error),
            app::kDone)
      << error;
  EXPECT_EQ(times->Text(), "None");
  EXPECT_EQ(times->ListIndex(), -1);
  ASSERT_EQ(forms.Perform(Ref("Reminder"), FormAction::Set("cboTime", "9:30 am"), error),
            app::kDone);
  EXPECT_EQ(times->ListIndex(), 1);
  EXPECT_EQ(times->Text(), "9:30 AM");
  EXPECT_EQ(changes, 2);

  ASSERT_EQ(
      forms.Perform(Ref("Reminder"), FormAction::Set("Calendar1", "12/9/2026"), error),
      app::kDone)
      << error;
  EXPECT_EQ(calendar->Value(), Date::FromParts(2026, 12, 9));
  EXPECT_EQ(
      forms.Perform(Ref("Reminder"), FormAction::Set("Calendar1", "13/1/2026"), error),
      app::kBadCommand);
  EXPECT_EQ(
      error,
      "cannot set Calendar1 \"13/1/2026\": '13/1/2026' is not a date (m/d/yyyy) or none");
  EXPECT_EQ(calendar->Value(), Date::FromParts(2026, 12, 9));
}

// A window of the host activated by the user takes the activation from the
// forms: a real window stands for it.
TEST_F(RealFormsTest, AHostWindowActivatedLeavesNoFormActive) {
  ui::FormPtr form = Shown("frmComments", "Note");
  std::string deactivated;
  auto on_deactivate = form->OnDeactivate([&] { deactivated += "deactivate "; });
  ASSERT_EQ(GetActiveWindow(), reinterpret_cast<HWND>(form->hWnd()));
  WindowHandle outlook = world.windows.Create("Inbox - Microsoft Outlook");
  forms.HostWindowActivated(outlook);
  EXPECT_NE(GetActiveWindow(), reinterpret_cast<HWND>(form->hWnd()));
  EXPECT_EQ(deactivated, "deactivate ");
  EXPECT_EQ(forms.Find("Inbox - Microsoft Outlook"), std::nullopt)
      << "not one of the forms";
  forms.HostWindowActivated(outlook);  // again: the same stand-in
  std::string text;
  ASSERT_EQ(forms.Describe(Ref("Note"), text), app::kDone);
  EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr(", active")));
}
// The same form built on the simulated machine and as real windows is
// described in the same words: the description is one, and the real
// controls answer what the simulated ones hold.
TEST_F(RealFormsTest, ARealFormIsDescribedAsTheSimulatedMachineDescribesItsTwin) {
  auto build = [](ui::Form& form) {
    form.SetCaption("Pinlet Options");
    form.Move(3000, 2000, 6480, 6060);
    form.SetBackColor(0xC8D0D4);
    auto tabs = form.Add<ui::TabStrip>("TabStrip1");
    tabs->Move(120, 120, 6120, 4935);
    tabs->AddTab("General");
    tabs->AddTab("Item Related");
    tabs->SetSelectedTab(2);
    auto check = form.Add<ui::CheckBox>("chkMarkWithFlag");
    check->Move(240, 3120, 3000, 255);
    check->SetCaption("Mark items with notes with this flag:");
    check->SetValue(1);
    auto label = form.Add<ui::Label>("lblFlagSettings");
    label->Move(120, 2880, 3000, 255);
    label->SetCaption("Flag Settings:");
    label->SetEnabled(false);
    auto list = form.Add<ui::ListBox>("lstAttachments");
    list->Move(120, 600, 2000, 900);
    list->AddItem("agenda.txt", -1);
    list->AddItem("budget.xls", -1);
    list->SetListIndex(1);
    auto combo = form.Add<ui::ComboBox>("cboFlags");
    combo->Move(3300, 3060, 1935, 330);
    combo->SetStyle(ui::ComboBox::kDropDownList);
    combo->AddItem("Red Flag", "");
    combo->AddItem("Purple Flag", "");
    combo->SetListIndex(1);
    auto hidden = form.Add<ui::CommandButton>("cmdHelp");
    hidden->SetVisible(false);
    for (ui::ControlPtr& control : form.Controls())
      if (control->TypeName() != ui::TabStrip::kTypeName) control->SetBackColor(0xC8D0D4);
    combo->SetBackColor(0xFFFFFF);
  };
  ui::FormPtr simulated = world.ui.CreateForm("frmOptions");
  build(*simulated);
  ui::FormPtr real = NewForm("frmOptions");
  build(*real);
  std::string text;
  ASSERT_EQ(forms.Describe(Ref(HandleText(real->hWnd())), text), app::kDone);
  auto without_handle = [](std::string described, WindowHandle handle) {
    size_t at = described.find(HandleText(handle));
    return at == std::string::npos
               ? described
               : described.replace(at, HandleText(handle).size(), "H");
  };
  EXPECT_EQ(without_handle(text, real->hWnd()),
            without_handle(world.ui.Describe(*world.ui.FindForm("frmOptions")),
                           simulated->hWnd()));
  simulated->Unload();
}

// A resize or move is the user's drag: the form hears of a resize, and its
// handler may hold it to a minimum as the note window does.
TEST_F(RealFormsTest, AResizeOrMoveIsPlacedByTheSystemAndHeardByTheForm) {
  ui::FormPtr form = Shown("frmComments", "Note");
  form->Move(1500, 1500, 6000, 4500);
  int resizes = 0;
  auto on_resize = form->OnResize([&] {
    ++resizes;
    if (form->Width() < 3000) form->SetWidth(3000);
  });
  std::string error;
  ASSERT_EQ(forms.Perform(Ref("Note"), FormAction::Resize(4500, 3000), error), app::kDone)
      << error;
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(form->Width(), 4500);
  EXPECT_EQ(form->Height(), 3000);
  EXPECT_EQ(form->Left(), 1500);
  ASSERT_EQ(forms.Perform(Ref("Note"), FormAction::Resize(1500, 3000), error),
            app::kDone);
  EXPECT_EQ(form->Width(), 3000) << "held to its minimum";
  FormAction move = FormAction::Resize(750, 600);
  move.kind = FormAction::Kind::kMove;
  int before = resizes;
  ASSERT_EQ(forms.Perform(Ref("Note"), move, error), app::kDone);
  EXPECT_EQ(form->Left(), 750);
  EXPECT_EQ(form->Top(), 600);
  EXPECT_EQ(form->Width(), 3000);
  EXPECT_EQ(resizes, before) << "a move is no resize";
}

// A note window's lines and facts are the add-in's answers, read whole; a
// form nothing answers for is reported, not guessed.
TEST_F(RealFormsTest, WhatTheAddinSaysOfAWindowIsReadWhole) {
  ui::FormPtr form = Shown("frmComments", "Note");
  std::string long_text(10000, 'x');
  note = {{std::string(com::aspect::kNote), long_text},
          {std::string(com::aspect::kNoteKind), ", a new note"},
          {std::string(com::aspect::kNoteEditing), "1"}};
  std::string text;
  EXPECT_EQ(forms.DescribeNote(Ref("Note"), text), app::kDone);
  EXPECT_EQ(text, long_text);
  EXPECT_EQ(forms.NoteKind(Ref("Note")), ", a new note");
  EXPECT_TRUE(forms.NoteInEditState(Ref("Note")));
  EXPECT_EQ(forms.NoteEntryId(Ref("Note")), "");
  EXPECT_EQ(forms.Describe(Ref("Note"), text), app::kDone);
  EXPECT_EQ(text.substr(0, text.find(':')),
            "frmComments \"Note\" " + HandleText(form->hWnd()));

  answering = false;
  EXPECT_EQ(forms.Describe(Ref("Note"), text), app::kBadCommand);
  EXPECT_EQ(text, "the real form frmComments did not describe itself");
  EXPECT_FALSE(forms.NoteInEditState(Ref("Note")));
}

TEST_F(RealFormsTest, AModalFormTakesItsQueuedAnswerAndIsRecordedAsLinkedIn) {
  ui::FormPtr modal = NewForm("frmWarningOnReminder");
  modal->SetCaption("Pinlet");
  auto check = modal->Add<ui::CheckBox>("chkDontAsk");
  auto yes = modal->Add<ui::CommandButton>("cmdYes");
  yes->Move(0, 600, 1000, 400);
  auto hide = yes->OnClick([&] { modal->Hide(); });
  FormAction look;
  look.kind = FormAction::Kind::kShow;
  world.ui.QueueFormAnswer("frmWarningOnReminder", {FormAction::Set("chkDontAsk", "1"),
                                                    look, FormAction::Click("cmdYes")});
  modal->Show(ui::kModal);
  EXPECT_EQ(check->Value(), 1);
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  const auto& record = world.ui.modal_forms()[0];
  EXPECT_EQ(record.form, "frmWarningOnReminder");
  EXPECT_EQ(record.caption, "Pinlet");
  EXPECT_EQ(record.actions,
            (std::vector<std::string>{"set chkDontAsk \"1\"", "show", "click cmdYes"}));
  ASSERT_EQ(record.snapshots.size(), 1u);
  EXPECT_THAT(record.snapshots[0],
              ::testing::HasSubstr("\n  chkDontAsk CheckBox at 0,0 "));
  EXPECT_THAT(record.snapshots[0], ::testing::HasSubstr(": \"\" checked\n"));
  EXPECT_THAT(record.snapshots[0],
              ::testing::HasSubstr("\n  cmdYes CommandButton at 0,600 1000x400"));
  EXPECT_EQ(record.outcome, "hidden");
  EXPECT_EQ(forms.TakeTrouble(), "");
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(RealFormsTest, AModalFormWithNoAnswerIsClosedAsADefectNotWaitedOn) {
  ui::FormPtr modal = NewForm("frmReminder");
  int unloads = 0;
  auto unload = modal->OnUnload([&](int&) { ++unloads; });
  modal->Show(ui::kModal);  // returns: the host closed it
  EXPECT_EQ(unloads, 1);
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "closed by the host");
  ASSERT_EQ(world.defects().size(), 1u);
  EXPECT_EQ(world.defects()[0],
            "modal form frmReminder (\"\") was shown with no answer queued; the host "
            "closed it");
}

}  // namespace
}  // namespace pinlet::comhost
