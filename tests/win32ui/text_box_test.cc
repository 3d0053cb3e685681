// The text box on the real EDIT control: undo that toggles, Change exactly
// once per edit, the real clipboard, and positions in UTF-16 units.
#include <optional>

#include "form_fixture.h"
#include "platform/clipboard.h"
#include "platform/win32/win32_clipboard.h"

namespace pinlet::testing {
namespace {

class TextBoxTest : public FormTest {
 protected:
  TextBoxTest()
      : form_(NewForm()),
        box_(form_->Add<ui::TextBox>("Text")),
        change_(box_->OnChange([this] { ++changes_; })) {}

  // What the user types: a character as the keyboard sends it.
  void Type(wchar_t c) { SendMessageW(WindowOf(*box_), WM_CHAR, c, 1); }
  void Select(int32_t start, int32_t length) {
    box_->SetSelStart(start);
    box_->SetSelLength(length);
  }
  // Puts text on the clipboard as another program would.
  void PutOnClipboard(std::string_view text) {
    ASSERT_TRUE(clipboard_.Open());
    clipboard_.Empty();
    clipboard_.SetData(cf::kUnicodeText, UnicodeTextBlock(text));
    clipboard_.Close();
  }
  std::optional<std::string> ClipboardText() {
    if (!clipboard_.Open()) return std::nullopt;
    auto block = clipboard_.GetData(cf::kUnicodeText);
    clipboard_.Close();
    if (!block) return std::nullopt;
    return TextFromUnicodeBlock(*block);
  }

  ui::FormPtr form_;
  std::shared_ptr<ui::TextBox> box_;
  int changes_ = 0;
  Subscription change_;
  Win32Clipboard clipboard_;
};

TEST_F(TextBoxTest, UndoTogglesBetweenTheLastEditAndWhatWasBefore) {
  box_->SetText("hello");
  EXPECT_FALSE(box_->CanUndo());
  box_->SetSelStart(5);
  Type(L'!');
  EXPECT_EQ(box_->Text(), "hello!");
  ASSERT_TRUE(box_->CanUndo());
  EXPECT_TRUE(box_->Undo());
  EXPECT_EQ(box_->Text(), "hello");
  EXPECT_TRUE(box_->CanUndo());  // the undo can be undone
  EXPECT_TRUE(box_->Undo());
  EXPECT_EQ(box_->Text(), "hello!");

  Select(0, 5);
  box_->SetSelText("bye");
  EXPECT_EQ(box_->Text(), "bye!");
  EXPECT_EQ(box_->SelStart(), 3);  // the caret after the replacement
  EXPECT_TRUE(box_->Undo());
  EXPECT_EQ(box_->Text(), "hello!");

  EXPECT_TRUE(box_->ReplaceSel("X", false));
  EXPECT_FALSE(box_->CanUndo());
  EXPECT_FALSE(box_->Undo());
}

TEST_F(TextBoxTest, SettingTextEmptiesUndoAndPutsTheCaretFirst) {
  box_->SetText("abc");
  box_->SetSelStart(3);
  Type(L'd');
  ASSERT_TRUE(box_->CanUndo());
  box_->SetText("new text");
  EXPECT_FALSE(box_->CanUndo());
  EXPECT_FALSE(box_->Undo());
  EXPECT_EQ(box_->Text(), "new text");
  EXPECT_EQ(box_->SelStart(), 0);
  EXPECT_EQ(box_->SelLength(), 0);
}

TEST_F(TextBoxTest, ChangeFiresOncePerEditThatAltersTheText) {
  box_->SetText("abc");
  EXPECT_EQ(changes_, 1);
  box_->SetText("abc");
  EXPECT_EQ(changes_, 1) << "the same text is no change";
  box_->SetSelStart(3);
  Type(L'd');
  EXPECT_EQ(changes_, 2);
  box_->SetSelText("");  // nothing selected, nothing removed
  EXPECT_EQ(changes_, 2);
  Select(0, 1);
  box_->SetSelText("X");
  EXPECT_EQ(changes_, 3);
  box_->ReplaceSel("Y", true);
  EXPECT_EQ(changes_, 4);
  box_->Undo();
  EXPECT_EQ(changes_, 5);

  // A locked box still takes the code's edits.
  box_->SetLocked(true);
  box_->SetText("locked");
  EXPECT_EQ(box_->Text(), "locked");
  EXPECT_EQ(changes_, 6);
  box_->SetLocked(false);

  // A single-line EDIT notifies WM_SETTEXT itself; Change is still once.
  box_->SetMultiLine(false);
  EXPECT_FALSE(box_->MultiLine());
  EXPECT_EQ(box_->Text(), "locked");
  EXPECT_EQ(changes_, 6);
  box_->SetText("single");
  EXPECT_EQ(changes_, 7);
  box_->SetSelStart(6);
  Type(L's');
  EXPECT_EQ(changes_, 8);
}

TEST_F(TextBoxTest, CutCopyAndPasteGoThroughTheSystemClipboard) {
  box_->SetText("cut this");
  EXPECT_FALSE(box_->Copy()) << "nothing selected";
  Select(0, 4);
  ASSERT_TRUE(box_->Cut());
  EXPECT_EQ(box_->Text(), "this");
  EXPECT_EQ(ClipboardText(), "cut ");
  EXPECT_EQ(changes_, 2);

  box_->SetSelStart(4);
  ASSERT_TRUE(box_->Paste());
  EXPECT_EQ(box_->Text(), "thiscut ");
  EXPECT_EQ(changes_, 3);
  EXPECT_TRUE(box_->Undo());
  EXPECT_EQ(box_->Text(), "this");

  PutOnClipboard("\xC3\xA9t\xC3\xA9");  // "été", from another program
  box_->SetSelStart(0);
  ASSERT_TRUE(box_->Paste());
  EXPECT_EQ(box_->Text(), "\xC3\xA9t\xC3\xA9this");

  Select(0, 3);
  ASSERT_TRUE(box_->Copy());
  EXPECT_EQ(ClipboardText(), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(box_->Text(), "\xC3\xA9t\xC3\xA9this");
}

TEST_F(TextBoxTest, ALockedBoxCopiesButRefusesCutPasteAndUndo) {
  box_->SetText("keep");
  box_->SetSelStart(4);
  Type(L'!');
  box_->SetLocked(true);
  EXPECT_TRUE(box_->Locked());
  Select(0, 4);
  EXPECT_FALSE(box_->Cut());
  EXPECT_EQ(box_->Text(), "keep!");
  EXPECT_TRUE(box_->Copy());
  EXPECT_EQ(ClipboardText(), "keep");
  EXPECT_FALSE(box_->Paste());
  EXPECT_FALSE(box_->Undo());
  Type(L'x');  // the user cannot type into it
  EXPECT_EQ(box_->Text(), "keep!");
}

TEST_F(TextBoxTest, AClipboardHeldOpenElsewhereRemovesNothing) {
  box_->SetText("stays");
  Select(0, 5);
  Win32Clipboard other;
  ASSERT_TRUE(other.Open());
  EXPECT_FALSE(box_->Cut());
  EXPECT_FALSE(box_->Copy());
  EXPECT_FALSE(box_->Paste());
  other.Close();
  EXPECT_EQ(box_->Text(), "stays");
  EXPECT_EQ(changes_, 1);
}

TEST_F(TextBoxTest, PositionsCountUtf16UnitsAndStopAtTheEnd) {
  box_->SetText(
      "a\xF0\x9F\x98\x80"
      "b");  // U+1F600 takes two units
  Select(1, 2);
  EXPECT_EQ(box_->SelText(), "\xF0\x9F\x98\x80");
  box_->SetSelStart(100);
  EXPECT_EQ(box_->SelStart(), 4);
  box_->SetSelStart(3);
  box_->SetSelLength(100);
  EXPECT_EQ(box_->SelLength(), 1);
  EXPECT_EQ(ErrorOf([&] { box_->SetSelStart(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { box_->SetSelLength(-1); }), errors::kInvalidPropertyValue);
}

TEST_F(TextBoxTest, KeyHandlersConsumeOrChangeKeys) {
  auto press = box_->OnKeyPress([](int& key) {
    if (key == 'x') key = 0;
    if (key == 'a') key = 'b';
  });
  Type(L'x');
  Type(L'a');
  EXPECT_EQ(box_->Text(), "b");
  EXPECT_EQ(changes_, 1);

  // Under KeyPreview the form sees the key first; a key it consumes does
  // not reach the box.
  int box_keys = 0;
  auto box_down = box_->OnKeyDown([&](int&, int&) { ++box_keys; });
  auto form_down = form_->OnKeyDown([](int& key, int&) {
    if (key == ui::key::kDelete) key = 0;
  });
  form_->SetKeyPreview(true);
  box_->SetSelStart(0);
  SendMessageW(WindowOf(*box_), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(box_->Text(), "b");
  EXPECT_EQ(box_keys, 0);
  form_->SetKeyPreview(false);
  SendMessageW(WindowOf(*box_), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(box_->Text(), "");
  EXPECT_EQ(box_keys, 1);
}

TEST_F(TextBoxTest, ASingleLineBoxPastesTheFirstLineOnly) {
  box_->SetMultiLine(false);
  PutOnClipboard("one\r\ntwo");
  ASSERT_TRUE(box_->Paste());
  EXPECT_EQ(box_->Text(), "one");
  box_->SetMultiLine(true);
  ASSERT_TRUE(box_->Paste());
  EXPECT_EQ(box_->Text(), "oneone\r\ntwo");
}

}  // namespace
}  // namespace pinlet::testing
