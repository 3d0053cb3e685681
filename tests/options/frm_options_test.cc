// The options dialog: what it shows for the stored values, how its controls
// depend on each other, and what OK, Cancel and Help do.
#include "options/frm_options.h"

#include <gmock/gmock.h>

#include "addin/settings.h"
#include "sim/machine/sim_form.h"
#include "store/store_fixture.h"

namespace pinlet {
namespace {

using sim::FormAction;

class OptionsTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    Start();
  }
  // Loads the dialog and shows it for the user to act on.
  void Open() {
    dialog = std::make_unique<frmOptions>(ctx());
    dialog->Load();
    form = world.ui.FindForm("frmOptions");
    ASSERT_TRUE(form);
    form->ShowWindow(true);
  }
  template <typename T>
  std::shared_ptr<T> Get(const char* name) {
    return std::dynamic_pointer_cast<T>(dialog->form()->Control(name));
  }
  int Check(const char* name) { return Get<ui::CheckBox>(name)->Value(); }
  bool Enabled(const char* name) { return dialog->form()->Control(name)->Enabled(); }
  std::string Text(const char* name) { return Get<ui::ComboBox>(name)->Text(); }
  void Do(const FormAction& action) {
    std::string error;
    EXPECT_TRUE(world.ui.Perform(*form, action, error)) << error;
  }
  void ItemRelatedTab() { Do(FormAction::Choose("TabStrip1", "Item Related")); }
  void Store(const char* name, const std::string& value) {
    WriteText(world.registry, kNoteKey, name, value);
  }
  std::string Stored(const char* name) {
    auto value = world.registry.QueryValue(kNoteKey, name);
    return value ? value->data : "(absent)";
  }

  std::unique_ptr<frmOptions> dialog;
  sim::SimForm* form = nullptr;
};

TEST_F(OptionsTest, WithNothingStoredEveryBoxIsClearAndTheDependentControlsOff) {
  Open();
  for (const char* box : {"chkPrint1", "chkPrint2", "chkOnTop", "chkOneWindow", "chkOpen",
                          "chkInsert", "chkWarningOnNoteInsertion",
                          "chkWarningOnReminder", "chkMarkWithFlag", "chkOverwrite"})
    EXPECT_EQ(Check(box), 0) << box;
  EXPECT_FALSE(Enabled("chkWarningOnNoteInsertion"));
  EXPECT_FALSE(Enabled("cboFlags"));
  EXPECT_FALSE(Enabled("chkOverwrite"));
  EXPECT_EQ(Text("cboFlags"), "Red Flag");
  EXPECT_EQ(dialog->form()->Caption(), "Pinlet Options");
  EXPECT_EQ(Get<ui::Label>("lblNoteFont")->Caption(), "Default Note Appearance:");
  EXPECT_EQ(Get<ui::CheckBox>("chkInsert")->Caption(),
            "Insert Note to Reply (to All)/Forward letter");
  EXPECT_EQ(Get<ui::TextBox>("txtFont")->Text(), "Note Text Font");
  EXPECT_TRUE(world.windows.Find(dialog->form()->hWnd())->top_most);
}

TEST_F(OptionsTest, StoredValuesAreShownAndAYellowBackgroundSelectsYellow) {
  for (const char* name :
       {"PrintItem", "NoteOnTop", "ReplyForward", "MarkWithFlag", "OverwriteFlag"})
    Store(name, "1");
  Store("WarningOnNoteInsertion", "0");
  Store("BackColor", std::to_string(0xCCFFFF));
  Store("ForeColor", "255");
  Store("FontName", "Arial");
  Store("FontBold", "True");
  Store("FontSize", "12");
  Store("FlagIndex", "3");
  Open();
  EXPECT_EQ(Check("chkPrint1"), 1);
  EXPECT_EQ(Check("chkPrint2"), 0);
  EXPECT_EQ(Check("chkOnTop"), 1);
  EXPECT_EQ(Check("chkInsert"), 1);
  EXPECT_TRUE(Enabled("chkWarningOnNoteInsertion"));
  EXPECT_EQ(Check("chkWarningOnNoteInsertion"), 0);
  EXPECT_EQ(Check("chkOverwrite"), 1);
  EXPECT_TRUE(Enabled("cboFlags"));
  EXPECT_EQ(Text("cboFlags"), "Green Flag");  // icon 3 is row 7 - 3
  EXPECT_EQ(Text("cboColors"), "Yellow");
  auto sample = Get<ui::TextBox>("txtFont");
  EXPECT_EQ(sample->BackColor(), 0xCCFFFFu);
  EXPECT_EQ(sample->ForeColor(), 255u);
  EXPECT_EQ(sample->GetFont().name, "Arial");
  EXPECT_TRUE(sample->GetFont().bold);
  EXPECT_EQ(sample->GetFont().size, 12);
}

TEST_F(OptionsTest, AnotherBackgroundIsTheCustomColourAndComesBackAfterBlue) {
  Store("BackColor", std::to_string(0x123456));
  Open();
  EXPECT_EQ(Text("cboColors"), "Custom");
  auto sample = Get<ui::TextBox>("txtFont");
  Do(FormAction::Choose("cboColors", "Blue"));
  EXPECT_EQ(sample->BackColor(), 0xF0CAA6u);
  Do(FormAction::Choose("cboColors", "Custom"));
  EXPECT_EQ(sample->BackColor(), 0x123456u);
  EXPECT_EQ(dialog->custom_colour(), 0x123456u);
}

TEST_F(OptionsTest, PurpleFlagIsStoredAsIconOneAndShownAgain) {
  Open();
  ItemRelatedTab();
  Do(FormAction::Set("chkMarkWithFlag", "1"));
  EXPECT_TRUE(Enabled("cboFlags"));
  EXPECT_TRUE(Enabled("chkOverwrite"));
  Do(FormAction::Choose("cboFlags", "Purple Flag"));
  Do(FormAction::Click("cmdOK"));
  EXPECT_EQ(Stored("FlagIndex"), "1");
  EXPECT_EQ(Stored("MarkWithFlag"), "1");
  Open();
  EXPECT_EQ(Text("cboFlags"), "Purple Flag");
}

TEST_F(OptionsTest, AFlagIndexOutsideOneToSixLeavesRedFlagAndTheRestLoads) {
  for (const char* index : {"0", "7", "red"}) {
    Store("FlagIndex", index);
    Store("WarningOnReminder", "1");
    Open();
    EXPECT_EQ(Text("cboFlags"), "Red Flag") << index;
    EXPECT_EQ(Check("chkWarningOnReminder"), 1);
    Do(FormAction::Click("cmdCancel"));
  }
}

TEST_F(OptionsTest, InsertingAndItsWarningGoTogether) {
  Store("ReplyForward", "1");
  Store("WarningOnNoteInsertion", "1");
  Open();
  ItemRelatedTab();
  Do(FormAction::Set("chkInsert", "0"));
  EXPECT_EQ(Check("chkWarningOnNoteInsertion"), 0);
  EXPECT_FALSE(Enabled("chkWarningOnNoteInsertion"));
  Do(FormAction::Set("chkInsert", "1"));
  EXPECT_EQ(Check("chkWarningOnNoteInsertion"), 1);
  EXPECT_TRUE(Enabled("chkWarningOnNoteInsertion"));
  Do(FormAction::Set("chkInsert", "0"));
  Do(FormAction::Click("cmdOK"));
  EXPECT_EQ(Stored("ReplyForward"), "0");
  EXPECT_EQ(Stored("WarningOnNoteInsertion"), "0");
}

TEST_F(OptionsTest, UnmarkingClearsAndDisablesOverwriting) {
  Store("MarkWithFlag", "1");
  Store("OverwriteFlag", "1");
  Open();
  ItemRelatedTab();
  Do(FormAction::Set("chkMarkWithFlag", "0"));
  EXPECT_EQ(Check("chkOverwrite"), 0);
  EXPECT_FALSE(Enabled("chkOverwrite"));
  EXPECT_FALSE(Enabled("cboFlags"));
}

TEST_F(OptionsTest, CancelAndTheCloseBoxLeaveEveryStoredValueAsItWas) {
  Store("NoteOnTop", "1");
  Store("FlagIndex", "4");
  std::string before = world.registry.Export();
  for (FormAction close : {FormAction::Click("cmdCancel"), FormAction::Close()}) {
    Open();
    Do(FormAction::Set("chkOnTop", "0"));
    Do(FormAction::Choose("cboColors", "Pink"));
    Do(close);
    EXPECT_FALSE(form = world.ui.FindForm("frmOptions"));
    EXPECT_EQ(world.registry.Export(), before);
  }
}

TEST_F(OptionsTest, OkWritesTheNineteenValuesInOrderAsText) {
  Open();
  // The eleventh value written is the background.
  world.faults.FailMember("RegSetValueEx", errors::kOperationFailed, 11);
  Do(FormAction::Click("cmdOK"));
  EXPECT_EQ(Stored("OverwriteFlag"), "0");
  EXPECT_EQ(Stored("BackColor"), "(absent)");
  EXPECT_EQ(Stored("FontName"), "MS Sans Serif");
  EXPECT_EQ(Stored("FontBold"), "False");
  EXPECT_EQ(Stored("FontSize"), "8.25");
  EXPECT_EQ(Stored("FontStrikethru"), "False");
  EXPECT_EQ(Stored("FlagIndex"), "6");
  EXPECT_EQ(world.registry.EnumValueNames(kNoteKey)->size(), 18u);
}

TEST_F(OptionsTest, AStoredValueNoCheckBoxTakesLoadsAsClearWithoutStoppingTheLoad) {
  Store("PrintItem", "7");
  Store("FlagIndex", "2");
  Open();
  EXPECT_EQ(Check("chkPrint1"), 0);
  EXPECT_EQ(Text("cboFlags"), "Orange Flag");
  EXPECT_EQ(Logged().size(), 1u);  // nothing went wrong
}

TEST_F(OptionsTest, TheFontDialogOffersEightToEightyPointsAndItsChoiceIsTheSample) {
  Open();
  sim::FontChoice too_big;
  too_big.size = 90;
  world.dialogs.QueueFont(too_big);
  sim::FontChoice choice;
  choice.name = "Tahoma";
  choice.size = 14;
  choice.italic = true;
  choice.color = 0x00FF00;
  world.dialogs.QueueFont(choice);
  Do(FormAction::Click("cmdFont"));
  const auto& shown = world.dialogs.shown().back();
  EXPECT_EQ(shown.font.flags, 0x12101u);
  EXPECT_EQ(shown.font.min_size, 8);
  EXPECT_EQ(shown.font.max_size, 80);
  EXPECT_EQ(shown.refused.size(), 1u);
  auto sample = Get<ui::TextBox>("txtFont");
  EXPECT_EQ(sample->GetFont().name, "Tahoma");
  EXPECT_EQ(sample->GetFont().size, 14);
  EXPECT_TRUE(sample->GetFont().italic);
  EXPECT_EQ(sample->ForeColor(), 0x00FF00u);
}

TEST_F(OptionsTest, TheColourDialogSetsTheBackgroundAndTheList) {
  Open();
  world.dialogs.QueueColor(0xFFFFFF);
  Do(FormAction::Click("cmdColor"));
  EXPECT_EQ(world.dialogs.shown().back().color.flags, cc::kRgbInit | cc::kFullOpen);
  EXPECT_EQ(Text("cboColors"), "White");
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  Do(FormAction::Click("cmdColor"));
  EXPECT_EQ(Get<ui::TextBox>("txtFont")->BackColor(), 0xFFFFFFu);
}

TEST_F(OptionsTest, KeysTypedIntoTheFlagListAreDiscarded) {
  Store("MarkWithFlag", "1");
  Open();
  ItemRelatedTab();
  Do(FormAction::Type("cboFlags", "Blue"));
  EXPECT_EQ(Text("cboFlags"), "Red Flag");
}

TEST_F(OptionsTest, EachTabShowsItsOwnPanelAndHelpShowsTheDialogsPage) {
  Open();
  auto general = dialog->form()->Control("PicTab(0)");
  auto item = dialog->form()->Control("PicTab(1)");
  EXPECT_TRUE(general->Visible());
  EXPECT_FALSE(item->Visible());
  ItemRelatedTab();
  EXPECT_FALSE(general->Visible());
  EXPECT_TRUE(item->Visible());
  Do(FormAction::Click("cmdHelp"));
  EXPECT_EQ(Logged().back(), "ShowContextHelp Accessing_Pinlet_Options.htm");
}

TEST_F(OptionsTest, TheDialogIsShownModallyAndKeepsItsCustomColourForTheNextTime) {
  Store("BackColor", std::to_string(0x123456));
  world.ui.QueueFormAnswer("frmOptions", {FormAction::Choose("cboColors", "Green"),
                                          FormAction::Click("cmdOK")});
  ShowOptionsDialog(ctx());
  EXPECT_EQ(Stored("BackColor"), std::to_string(0xCCFFCC));
  EXPECT_EQ(world.ui.FindForm("frmOptions"), nullptr);
  world.ui.QueueFormAnswer("frmOptions", {FormAction::Choose("cboColors", "Custom"),
                                          FormAction::Click("cmdOK")});
  ShowOptionsDialog(ctx());
  EXPECT_EQ(Stored("BackColor"), std::to_string(0x123456));
}

// With no background stored, the sample shows the pale note colour a new
// note gets, and OK keeps it: pressing OK never turns new notes black.
TEST_F(OptionsTest, OkWithNoBackgroundStoredKeepsThePaleNoteColour) {
  Open();
  EXPECT_EQ(Get<ui::TextBox>("txtFont")->BackColor(), kDefaultNoteColour);
  EXPECT_EQ(Text("cboColors"), "Custom");
  Do(FormAction::Click("cmdOK"));
  EXPECT_EQ(Stored("BackColor"), std::to_string(kDefaultNoteColour));
}

// A load that fails half way leaves controls that do not hold the stored
// options; the dialog is not shown, so OK cannot store what they hold.
TEST_F(OptionsTest, ADialogWhoseLoadFailedIsNotShownAndStoresNothing) {
  Store("BackColor", std::to_string(0xCCFFCC));
  Store("MarkWithFlag", "1");
  world.faults.FailMember("CheckBox.Value", errors::kOperationFailed, 1);
  world.ui.QueueFormAnswer("frmOptions", {FormAction::Click("cmdOK")});
  ShowOptionsDialog(ctx());
  EXPECT_THAT(Logged().back(),
              testing::HasSubstr(
                  "frmOptions(Sub Form_Load), 20 | Simulated failure of CheckBox.Value"));
  EXPECT_TRUE(world.ui.modal_forms().empty());
  EXPECT_EQ(world.ui.FindForm("frmOptions"), nullptr);
  EXPECT_EQ(Stored("BackColor"), std::to_string(0xCCFFCC));
  EXPECT_EQ(Stored("MarkWithFlag"), "1");
  EXPECT_EQ(Stored("PrintItem"), "(absent)");
}

}  // namespace
}  // namespace pinlet
