// The real lists and check box, beyond the forms' contract: the system's own
// messages for the user's clicks, keys and typing, and the error numbers of
// each member.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "form_fixture.h"

namespace pinlet::testing {
namespace {

// The control's own window: the form's only child.
HWND OnlyChild(ui::Form& form) {
  return GetWindow(reinterpret_cast<HWND>(form.hWnd()), GW_CHILD);
}

TEST_F(FormTest, AListBoxClicksOnAChangeOfItsEntry) {
  auto form = NewForm();
  auto list = form->Add<ui::ListBox>("lstItems");
  int clicks = 0;
  auto click = list->OnClick([&] { ++clicks; });
  for (const char* text : {"a", "b", "c"}) list->AddItem(text, -1);
  list->SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  list->SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  list->SetSelected(2, true);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(list->Selected(1));
  list->SetSelected(1, false);  // not the selected one: nothing happens
  EXPECT_EQ(clicks, 2);
  list->SetSelected(2, false);
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_EQ(clicks, 3);
  // The user's click on the first entry, through the list's notification.
  HWND window = OnlyChild(*form);
  RECT item = {};
  SendMessageW(window, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(list->ListIndex(), 0);
  EXPECT_EQ(clicks, 4);
}

TEST_F(FormTest, AListBoxKeepsItsSelectionOnItsEntry) {
  auto form = NewForm();
  auto list = form->Add<ui::ListBox>("lstItems");
  for (const char* text : {"a", "b", "c"}) list->AddItem(text, -1);
  list->SetListIndex(1);
  int clicks = 0;
  auto click = list->OnClick([&] { ++clicks; });
  list->AddItem("first", 0);
  EXPECT_EQ(list->ListIndex(), 2);
  EXPECT_EQ(list->List(0), "first");
  list->RemoveItem(0);
  EXPECT_EQ(list->ListIndex(), 1);
  list->RemoveItem(1);
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_EQ(clicks, 0) << "adding and removing click nothing";
  EXPECT_EQ(list->ListCount(), 2);
  EXPECT_EQ(list->List(5), "");
  EXPECT_EQ(ErrorOf([&] { list->AddItem("x", 3); }), errors::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { list->RemoveItem(2); }), errors::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { list->SetListIndex(2); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { list->SetListIndex(-2); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { list->Selected(2); }), errors::kInvalidArrayIndex);
  EXPECT_EQ(ErrorOf([&] { list->SetSelected(-1, true); }), errors::kInvalidArrayIndex);
}

class ComboBoxTest : public FormTest {
 protected:
  ComboBoxTest() : form_(NewForm()), combo_(form_->Add<ui::ComboBox>("cboColors")) {
    combo_->AddItem("Yellow", "YELLOW");
    combo_->AddItem("Blue", "BLUE");
    click_ = combo_->OnClick([this] { events_.push_back("click"); });
    change_ = combo_->OnChange([this] { events_.push_back("change"); });
  }
  std::vector<std::string> Events() { return std::exchange(events_, {}); }

  ui::FormPtr form_;
  std::shared_ptr<ui::ComboBox> combo_;
  std::vector<std::string> events_;
  Subscription click_, change_;
};

TEST_F(ComboBoxTest, ListIndexClicksThenChangesTheText) {
  combo_->SetListIndex(1);
  EXPECT_EQ(combo_->Text(), "Blue");
  EXPECT_EQ(Events(), (std::vector<std::string>{"click", "change"}));
  combo_->SetListIndex(1);
  EXPECT_TRUE(Events().empty());
  combo_->SetText("yellow");  // selects the entry, keeps the text as given
  EXPECT_EQ(combo_->ListIndex(), 0);
  EXPECT_EQ(combo_->Text(), "yellow");
  EXPECT_EQ(Events(), (std::vector<std::string>{"click", "change"}));
  combo_->SetText("Green");
  EXPECT_EQ(combo_->ListIndex(), -1);
  EXPECT_EQ(Events(), (std::vector<std::string>{"click", "change"}));
  EXPECT_EQ(combo_->ItemPicture(1), "BLUE");
  EXPECT_EQ(combo_->List(0), "Yellow");
  EXPECT_EQ(combo_->List(2), "");
  EXPECT_EQ(ErrorOf([&] { combo_->ItemPicture(2); }), errors::kIndexOutOfBounds);
  EXPECT_EQ(ErrorOf([&] { combo_->SetListIndex(2); }), errors::kInvalidPropertyValue);
  combo_->Clear();
  EXPECT_EQ(combo_->ListCount(), 0);
  EXPECT_EQ(combo_->Text(), "");
  EXPECT_EQ(Events(), std::vector<std::string>{"change"});
}

TEST_F(ComboBoxTest, TheUsersTypingAndChoosingAnnounceOnce) {
  HWND combo_window = OnlyChild(*form_);
  HWND edit =
      reinterpret_cast<HWND>(SendMessageW(combo_window, CBEM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, WM_CHAR, L'R', 1);
  SendMessageW(edit, WM_CHAR, L'e', 1);
  EXPECT_EQ(combo_->Text(), "Re");
  EXPECT_EQ(Events(), (std::vector<std::string>{"change", "change"}));
  HWND list =
      reinterpret_cast<HWND>(SendMessageW(combo_window, CBEM_GETCOMBOCONTROL, 0, 0));
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);  // the user's arrow picks an entry
  EXPECT_EQ(combo_->ListIndex(), 0);
  EXPECT_EQ(combo_->Text(), "Yellow");
  EXPECT_EQ(Events(), (std::vector<std::string>{"click", "change"}));
}

TEST_F(FormTest, ACheckBoxClicksOnAChangeOfValue) {
  auto form = NewForm();
  auto check = form->Add<ui::CheckBox>("chkDontAsk");
  int clicks = 0;
  auto click = check->OnClick([&] { ++clicks; });
  check->SetValue(2);
  EXPECT_EQ(check->Value(), 2);
  EXPECT_EQ(clicks, 1);
  check->SetValue(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ErrorOf([&] { check->SetValue(3); }), errors::kInvalidPropertyValue);
  // The user's clicks: a grey box becomes checked, a checked one clear.
  SendMessageW(OnlyChild(*form), BM_CLICK, 0, 0);
  EXPECT_EQ(check->Value(), 1);
  SendMessageW(OnlyChild(*form), BM_CLICK, 0, 0);
  EXPECT_EQ(check->Value(), 0);
  EXPECT_EQ(clicks, 3);
}

TEST_F(FormTest, ATabStripCountsFromOneAndClicksOnAnotherTab) {
  auto form = NewForm();
  auto tabs = form->Add<ui::TabStrip>("TabStrip1");
  int clicks = 0;
  auto click = tabs->OnClick([&] { ++clicks; });
  EXPECT_EQ(tabs->SelectedTab(), 0);
  for (const char* caption : {"General", "Notes", "About"}) tabs->AddTab(caption);
  EXPECT_EQ(tabs->SelectedTab(), 1);
  EXPECT_EQ(clicks, 0) << "the first tab is selected without a click";
  EXPECT_EQ(tabs->TabCaption(2), "Notes");
  tabs->SetSelectedTab(3);
  tabs->SetSelectedTab(3);
  EXPECT_EQ(clicks, 1);
  SendMessageW(OnlyChild(*form), WM_KEYDOWN, VK_LEFT, 1);  // the user's arrow
  EXPECT_EQ(tabs->SelectedTab(), 2);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ErrorOf([&] { tabs->SetSelectedTab(4); }), errors::kIndexOutOfBounds);
  EXPECT_EQ(ErrorOf([&] { tabs->SetSelectedTab(0); }), errors::kIndexOutOfBounds);
  EXPECT_EQ(ErrorOf([&] { tabs->TabCaption(0); }), errors::kIndexOutOfBounds);
  EXPECT_EQ(ErrorOf([&] { tabs->SetBackColor(0); }), errors::kNotSupported);
}

}  // namespace
}  // namespace pinlet::testing
