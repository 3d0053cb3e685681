// What a form's look holds: each kind of control's state, the containers,
// visibility through them, and the looks a modal form's record keeps.
#include <gtest/gtest.h>

#include "platform/ui_controls.h"
#include "ui_fixture.h"

namespace pinlet::sim {
namespace {

class FormLookTest : public UiTest {
 protected:
  const ControlLook& Find(const FormLook& look, const std::string& name) {
    for (const ControlLook& c : look.controls)
      if (c.name == name) return c;
    static const ControlLook kNone;
    ADD_FAILURE() << "no control " << name;
    return kNone;
  }
};

TEST_F(FormLookTest, EachKindShowsItsOwnState) {
  auto form = NewForm("frmComments");
  form->SetCaption("Note");
  form->SetBackColor(0xC0FFFF);
  auto text = form->Add<ui::TextBox>("Text");
  text->SetText("Buy milk");
  text->SetForeColor(0x0000FF);
  text->SetFont({"Arial", 12, true, false, true, false});
  auto label = form->Add<ui::Label>("lblTime");
  label->SetCaption("12/7/26 9:00 AM");
  auto check = form->Add<ui::CheckBox>("chkOnTop");
  check->SetValue(1);
  auto combo = form->Add<ui::ComboBox>("cboFlags");
  combo->AddItem("Red Flag", "FLAG_RED");
  combo->AddItem("Blue Flag", "FLAG_BLUE");
  combo->SetListIndex(1);
  auto tabs = form->Add<ui::TabStrip>("TabStrip1");
  tabs->AddTab("General");
  tabs->AddTab("Item Related");
  tabs->SetSelectedTab(2);
  auto image = form->Add<ui::Image>("imgTextUndo");
  image->SetPicture("UNDO", Picture{1, 1, 24, {0x123456}});
  auto calendar = form->Add<ui::Calendar>("Calendar1");
  calendar->SetValue(Date::FromParts(2026, 12, 24));

  FormLook look = Sim(form).Look();
  EXPECT_EQ(look.design_name, "frmComments");
  EXPECT_EQ(look.caption, "Note");
  EXPECT_EQ(look.back_colour, 0xC0FFFFu);
  EXPECT_EQ(look.rect, (Rect{1500, 1500, 4800, 3600}));
  EXPECT_FALSE(look.visible);
  const ControlLook& t = Find(look, "Text");
  EXPECT_EQ(t.type_name, "TextBox");
  EXPECT_EQ(t.text, "Buy milk");
  EXPECT_EQ(t.fore_colour, 0x0000FFu);
  EXPECT_EQ(t.font, (ui::Font{"Arial", 12, true, false, true, false}));
  EXPECT_TRUE(t.multi_line);
  EXPECT_EQ(Find(look, "lblTime").caption, "12/7/26 9:00 AM");
  EXPECT_EQ(Find(look, "chkOnTop").value, 1);
  const ControlLook& c = Find(look, "cboFlags");
  EXPECT_EQ(c.entries, (std::vector<std::string>{"Red Flag", "Blue Flag"}));
  EXPECT_EQ(c.entry_pictures, (std::vector<std::string>{"FLAG_RED", "FLAG_BLUE"}));
  EXPECT_EQ(c.list_index, 1);
  EXPECT_EQ(c.text, "Blue Flag");
  EXPECT_EQ(Find(look, "TabStrip1").list_index, 1);  // the second tab
  EXPECT_EQ(Find(look, "imgTextUndo").picture_key, "UNDO");
  EXPECT_EQ(Find(look, "imgTextUndo").picture.At(0, 0), 0x123456u);
  EXPECT_FALSE(Find(look, "imgTextUndo").has_back_colour);
  EXPECT_EQ(Find(look, "Calendar1").date, Date::FromParts(2026, 12, 24));
}

TEST_F(FormLookTest, ContainersAreNamedByPlaceAndPassOnHidingAndDisabling) {
  auto form = NewForm();
  auto panel = form->Add<ui::PictureBox>("picFooter");
  auto label = form->Add<ui::Label>("lblAttachments", "picFooter");
  form->Add<ui::Timer>("Timer1");
  panel->SetVisible(false);
  label->SetEnabled(true);
  FormLook look = Sim(form).Look();
  ASSERT_EQ(look.controls.size(), 3u);
  EXPECT_EQ(look.controls[0].container, -1);
  EXPECT_EQ(look.controls[1].container, 0);
  EXPECT_TRUE(look.controls[1].visible);
  EXPECT_FALSE(look.controls[1].shown);  // its container is hidden
  EXPECT_FALSE(look.controls[2].has_geometry);

  panel->SetVisible(true);
  panel->SetEnabled(false);
  look = Sim(form).Look();
  EXPECT_TRUE(look.controls[1].shown);
  EXPECT_TRUE(look.controls[1].enabled);
  EXPECT_FALSE(look.controls[1].usable);
}

TEST_F(FormLookTest, TakingALookIsNoCallOfTheAddins) {
  auto form = NewForm();
  form->Add<ui::TextBox>("Text");
  int64_t calls = world.faults.call_count();
  world.faults.FailMember("TextBox.Text");
  FormLook look = Sim(form).Look();
  EXPECT_EQ(world.faults.call_count(), calls);
  EXPECT_EQ(look.controls.size(), 1u);
}

TEST_F(FormLookTest, AModalFormsRecordKeepsHowItLookedWhileOpen) {
  auto form = NewForm("frmOptions");
  auto tabs = form->Add<ui::TabStrip>("TabStrip1");
  tabs->AddTab("General");
  tabs->AddTab("Item Related");
  auto ok = form->Add<ui::CommandButton>("cmdOK");
  Subscription closes = ok->OnClick([&] { form->Unload(); });
  world.ui.QueueFormAnswer("frmOptions", {FormAction::Choose("TabStrip1", "Item Related"),
                                          FormAction::Click("cmdOK")});
  form->Show(ui::kModal);
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  const auto& looks = world.ui.modal_forms()[0].looks;
  // When shown and after choosing the tab; the click closed it.
  ASSERT_EQ(looks.size(), 2u);
  EXPECT_EQ(looks[0].controls[0].list_index, 0);
  EXPECT_EQ(looks[1].controls[0].list_index, 1);
  EXPECT_TRUE(looks[1].visible);
}

TEST_F(FormLookTest, AMessageBoxKnowsHowManyModalFormsCameBeforeIt) {
  world.message_boxes.QueueAnswer(mb::kOk);
  world.message_boxes.Show("first", "Pinlet", mb::kOkOnly);
  auto form = NewForm("frmReminder");
  auto ok = form->Add<ui::CommandButton>("cmdOK");
  Subscription closes = ok->OnClick([&] {
    world.message_boxes.QueueAnswer(mb::kOk);
    world.message_boxes.Show("while open", "Pinlet", mb::kOkOnly);
    form->Hide();
  });
  world.ui.QueueFormAnswer("frmReminder", {FormAction::Click("cmdOK")});
  form->Show(ui::kModal);
  ASSERT_EQ(world.message_boxes.shown().size(), 2u);
  EXPECT_EQ(world.message_boxes.shown()[0].modal_forms_before, 0u);
  EXPECT_EQ(world.message_boxes.shown()[1].modal_forms_before, 1u);
}

}  // namespace
}  // namespace pinlet::sim
