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

TEST_F(SimTextBoxTest, UndoTogglesAndTypingIsOneStepUntilTheCaretMoves) {
  text->SetText("Note");
  EXPECT_FALSE(text->CanUndo());  // setting the text empties the undo buffer
  text->SetSelStart(4);
  Type(" one");
  EXPECT_TRUE(text->Undo());
  EXPECT_EQ(text->Text(), "Note");
  EXPECT_TRUE(text->CanUndo());
  EXPECT_TRUE(text->Undo());  // the second undo redoes
  EXPECT_EQ(text->Text(), "Note one");
  EXPECT_EQ(text->SelStart(), 8);

  Key("Left");
  Type("!");  // a new run: undo takes back only the "!"
  EXPECT_EQ(text->Text(), "Note on!e");
  Key("Ctrl+Z");
  EXPECT_EQ(text->Text(), "Note one");
  text->SetText("");
  EXPECT_FALSE(text->Undo());
}

TEST_F(SimTextBoxTest, CutCopyAndPasteGoThroughTheClipboardAsUnicodeText) {
  text->SetText("alpha beta");
  text->SetSelStart(6);
  text->SetSelLength(4);
  EXPECT_TRUE(text->Cut());
  EXPECT_EQ(text->Text(), "alpha ");
  EXPECT_EQ(Clipboard(), "beta");
  EXPECT_TRUE(text->Undo());
  EXPECT_EQ(text->Text(), "alpha beta");

  text->SetSelStart(0);
  EXPECT_FALSE(text->Copy());  // nothing selected: the clipboard keeps "beta"
  EXPECT_EQ(Clipboard(), "beta");
  EXPECT_TRUE(text->Paste());
  EXPECT_EQ(text->Text(), "betaalpha beta");

  // A clipboard held by another window: nothing is cut, so nothing is lost.
  text->SetSelLength(4);
  world.clipboard.set_held_by_other(true);
  EXPECT_FALSE(text->Cut());
  EXPECT_EQ(text->Text(), "betaalpha beta");
}

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

TEST_F(SimTextBoxTest, ReplaceSelectionWithOrWithoutUndo) {
  text->SetText("Dear Sir");
  text->SetSelStart(5);
  text->SetSelLength(3);
  EXPECT_TRUE(text->ReplaceSel("Madam", true));
  EXPECT_EQ(text->Text(), "Dear Madam");
  EXPECT_TRUE(text->Undo());
  EXPECT_EQ(text->Text(), "Dear Sir");

  text->SetSelStart(0);
  text->SetSelLength(8);
  EXPECT_TRUE(text->ReplaceSel("", false));
  EXPECT_EQ(text->Text(), "");
  EXPECT_FALSE(text->CanUndo());
  EXPECT_FALSE(text->Undo());
}

TEST_F(SimTextBoxTest, ChangeFiresOnEveryEditThatAltersTheText) {
  text->SetText("ab");  // 1
  text->SetText("ab");  // unchanged: no event
  text->SetSelStart(2);
  Type("cd");   // 2, 3
  Key("Back");  // 4
  text->SetSelStart(0);
  text->SetSelLength(1);
  text->SetSelText("A");  // 5
  text->SetSelLength(0);
  text->ReplaceSel("", true);  // nothing replaced: no event
  text->SetSelStart(0);
  text->SetSelLength(1);
  text->Copy();
  text->Cut();    // 6
  text->Paste();  // 7
  text->Undo();   // 8
  EXPECT_EQ(changed, 8);
  EXPECT_EQ(text->Text(), "bc");
}

TEST_F(SimTextBoxTest, ALockedBoxRefusesTheUserButNotTheCode) {
  text->SetText("keep");
  text->SetLocked(true);
  text->SetSelStart(4);
  Type("x");
  Key("Back");
  text->SetSelStart(0);
  text->SetSelLength(4);
  EXPECT_FALSE(text->Cut());
  EXPECT_TRUE(text->Copy());
  EXPECT_EQ(text->Text(), "keep");
  EXPECT_TRUE(text->ReplaceSel("code", true));
  EXPECT_EQ(text->Text(), "code");
  std::string error;
  EXPECT_FALSE(world.ui.Perform(Sim(form), Action::Set("Text", "user"), error));
  EXPECT_EQ(error, "Text is locked");
}

TEST_F(SimTextBoxTest, SelectionIsClampedAndNegativeValuesRaise) {
  text->SetText("abc");
  text->SetSelStart(10);
  EXPECT_EQ(text->SelStart(), 3);
  text->SetSelStart(1);
  text->SetSelLength(10);
  EXPECT_EQ(text->SelLength(), 2);
  EXPECT_EQ(text->SelText(), "bc");
  try {
    text->SetSelStart(-1);
    FAIL() << "a negative SelStart was taken";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kInvalidPropertyValue);
  }
  Key("Enter");  // a multi-line box takes the line break
  Type("de");
  Key("Shift+Home");
  EXPECT_EQ(text->Text(), "a\r\nde");
  EXPECT_EQ(text->SelText(), "de");
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
