// The note window's layout and editing on real windows (the fixture in
// note_window_fixture.h).
// clang-format off
#include "note_window_fixture.h"
#include "notewindow/frm_comments_design.h"
#include "platform/win32/twips.h"
// clang-format on

namespace pinlet::testing {
namespace {

TEST_F(NoteWindowOnWin32, TooSmallAWindowSnapsBackToItsMinimum) {
  auto window = AddNote(6);
  ASSERT_TRUE(window && window->loaded());
  ui::Form& form = *window->form();
  EXPECT_TRUE(form.Visible());
  form.Move(form.Left(), form.Top(), 3000, 1000);
  EXPECT_EQ(form.Width(), design::kWidth);
  int32_t minimum = window->frmState == kEditState ? design::kMinEdit : design::kMinView;
  EXPECT_EQ(form.Height(), minimum);
  // The text fills the width less the margin, to the pixel.
  auto text = form.Control("Text");
  EXPECT_NEAR(text->Width(), design::kWidth - design::kWidthLess, PixelsToTwipsX(1));
}

TEST_F(NoteWindowOnWin32, TheUndoButtonTogglesTheLastEdit) {
  auto window = AddNote(6);
  ASSERT_TRUE(window && window->loaded());
  ui::Form& form = *window->form();
  auto text = std::dynamic_pointer_cast<ui::TextBox>(form.Control("Text"));
  HWND edit = WindowOf(*text);
  text->SetSelStart(static_cast<int32_t>(text->Text().size()));
  std::string before = text->Text();
  for (wchar_t c : std::wstring(L"note")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(text->Text(), before + "note");
  HWND undo = ControlWindow(form, "imgTextUndo");
  ASSERT_NE(undo, nullptr);
  ClickOn(undo);
  EXPECT_EQ(text->Text(), before);
  ClickOn(undo);
  EXPECT_EQ(text->Text(), before + "note");
}

}  // namespace
}  // namespace pinlet::testing
