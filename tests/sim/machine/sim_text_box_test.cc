#include <gmock/gmock.h>

#include "platform/clipboard.h"
#include "ui_fixture.h"

namespace pinlet::sim {
namespace {

using Action = FormAction;

class SimTextBoxTest : public UiTest {
 protected:
  void SetUp() override {
    form->Show(ui::kModeless);
    changes = text->OnChange([this] { ++changed; });
  }
  void Type(const std::string& typed) { Do(form, Action::Type("Text", typed)); }
  void Key(const std::string& key) { Do(form, Action::Key("Text", key)); }
  std::string Clipboard() {
    FaultInjector::Pause pause(world.faults);
    world.clipboard.Open();
    auto block = world.clipboard.GetData(cf::kUnicodeText);
    world.clipboard.Close();
    return block ? TextFromUnicodeBlock(*block) : "(nothing)";
  }

  ui::FormPtr form = NewForm("frmComments");
  std::shared_ptr<ui::TextBox> text = form->Add<ui::TextBox>("Text");
  int changed = 0;
  Subscription changes;
};

TEST_F(SimTextBoxTest, PasteTakesUnicodeTextTheSystemMakesFromAnsiText) {
  world.clipboard.Put({{cf::kText, TextBlock("caf\xC3\xA9\r\nline 2")}});
  text->SetText("[]");
  text->SetSelStart(1);
  int64_t calls = world.faults.call_count();
  EXPECT_TRUE(text->Paste());
  // The edit control's own use of the clipboard is not a call of the add-in's.
  EXPECT_EQ(world.faults.call_count() - calls, 1);
  EXPECT_EQ(text->Text(), "[caf\xC3\xA9\r\nline 2]");
  EXPECT_EQ(text->SelStart(), 13);  // UTF-16 units: the caret follows the paste

  text->SetMultiLine(false);  // a single-line box takes the first line only
  text->SetText("");
  EXPECT_TRUE(text->Paste());
  EXPECT_EQ(text->Text(), "caf\xC3\xA9");
}

// (What a locked box lets the user and the code do is the forms' contract;
// the simulated user is also told why.)
TEST_F(SimTextBoxTest, TheUserIsToldALockedBoxRefusesAText) {
  text->SetLocked(true);
  std::string error;
  EXPECT_FALSE(world.ui.Perform(Sim(form), Action::Set("Text", "user"), error));
  EXPECT_EQ(error, "Text is locked");
  EXPECT_EQ(text->Text(), "");
}

TEST_F(SimTextBoxTest, FailedEditMessagesDoNothingAndAnswerFalse) {
  text->SetText("ab");
  text->SetSelStart(2);
  Type("c");
  text->SetSelStart(0);
  text->SetSelLength(3);
  world.faults.FailMember("SendMessage WM_CUT");
  world.faults.FailMember("SendMessage EM_CANUNDO");
  EXPECT_FALSE(text->Cut());
  EXPECT_EQ(text->Text(), "abc");
  EXPECT_FALSE(text->CanUndo());
  world.faults.Clear();
  EXPECT_TRUE(text->CanUndo());
}

}  // namespace
}  // namespace pinlet::sim
