// The text toolbar's commands: undo, cut, copy, paste, clear all, copy all,
// the date inserted at the caret, and the font and colour of the note.
#include <climits>

#include "addin/error_report.h"
#include "notewindow/c_clipboard.h"
#include "notewindow/frm_comments.h"
#include "platform/text.h"

namespace pinlet {
namespace {

// The custom colours the colour dialog offers the note.
constexpr uint32_t kNoteColours[16] = {
    0xF0CAA6, 0xCCFFCC, 0xCCCCFF, 0xCCFFFF, 0xFFFFFF, 0x0000FF, 0x00FFFF, 0xFF0000,
    0xF0CAA6, 0xCCFFCC, 0xCCCCFF, 0xCCFFFF, 0xFFFFFF, 0x00FF00, 0xFF00FF, 0xFFFF00};

constexpr uint32_t kColourFlags = 3;  // initial colour given, opened full
constexpr uint32_t kFontFlags = cf_font::kScreenFonts | cf_font::kEffects |
                                cf_font::kLimitSize | cf_font::kForceFontExist;
constexpr int kSmallestFont = 8;
constexpr int kLargestFont = 80;

int32_t Units(std::string_view text) {
  return static_cast<int32_t>(Utf8ToUtf16(text).size());
}

}  // namespace

void frmComments::FocusText() {
  IgnoreError([&] { Text->SetFocus(); });
}

void frmComments::imgTextUndo_Click() {
  if (m_objTextEdit) m_objTextEdit->Undo();
}

void frmComments::imgTextCut_Click() {
  if (m_objTextEdit) m_objTextEdit->Cut();
  FocusText();
}

void frmComments::imgTextCopy_Click() {
  if (m_objTextEdit) m_objTextEdit->Copy();
  FocusText();
}

void frmComments::imgTextPaste_Click() {
  if (m_objTextEdit) m_objTextEdit->Paste();
}

void frmComments::imgTextClearAll_Click() {
  if (!m_objTextEdit || model_.text_unread()) return;
  IgnoreError([&] {
    Text->SetSelStart(0);
    Text->SetSelLength(Units(Text->Text()));
  });
  m_objTextEdit->ReplaceSelection("", true);
  FocusText();
}

void frmComments::imgTextCopyAll_Click() {
  if (!m_objTextEdit) return;
  IgnoreError([&] {
    Text->SetSelStart(0);
    Text->SetSelLength(Units(Text->Text()));
  });
  m_objTextEdit->Copy();
}

void frmComments::cmdInsertDate_Click() {
  if (!m_objTextEdit || model_.text_unread()) return;
  RunGuardedSub(ctx_, "frmComments(Sub cmdInsertDate_Click)", [&](Proc&) {
    std::string date = Must(ctx_.platform.clock).Now().ToGeneralString();
    int32_t caret = Text->SelStart();
    Clipboard& clipboard = Must(ctx_.platform.clipboard);
    // The date goes in through the clipboard, so that Undo takes it out like
    // any paste; the user's clipboard comes back on every path.
    CClipboard saved(clipboard);
    bool pasted = false;
    if (saved.Save()) {
      std::optional<HostError> error = Attempt([&] {
        bool put = false;
        if (clipboard.Open()) {
          put = clipboard.Empty() &&
                clipboard.SetData(cf::kUnicodeText, UnicodeTextBlock(date));
          clipboard.Close();
        }
        if (put) pasted = m_objTextEdit->Paste();
      });
      if (clipboard.Open()) {
        clipboard.Empty();
        clipboard.Close();
      }
      saved.Restore();
      if (error) throw *error;
    }
    // Without the clipboard the date replaces the selection directly.
    if (!pasted) m_objTextEdit->ReplaceSelection(date, true);
    Text->SetSelStart(caret + Units(date));
    FocusText();
  });
}

void frmComments::TextColorChange() {
  RunGuardedSub(ctx_, "frmComments(Sub TextColorChange )", [&](Proc&) {
    m_blnCollapseArmed = false;
    cCommonDialog& dialog = Must(m_cHookAddDlg.get());
    dialog.Flags = kColourFlags;
    dialog.Color = model_.back_colour;
    dialog.CancelError = false;
    dialog.hWnd = hwnd_;
    for (int i = 0; i < 16; ++i) dialog.CustomColor(i, kNoteColours[i]);
    // A dialog that could not be shown at all is tried once more.
    if (!dialog.ShowColor() && dialog.ExtendedError() != cderr::kNone) dialog.ShowColor();
    model_.back_colour = dialog.Color & 0xFFFFFF;
    ApplyNoteColour();
    if (life_.HasNote()) {
      m_blnCollapseArmed = true;
      ChangesToParentItem();
      model_.Store(NoteModel::kPendingBackColor, "frmComments(Sub TextColorChange )");
    }
  });
}

void frmComments::TextFontChange() {
  RunGuardedSub(ctx_, "frmComments(Sub TextFontChange)", [&](Proc&) {
    m_blnCollapseArmed = false;
    CommonDialogs& dialogs = Must(ctx_.platform.dialogs);
    auto show = [&](FontDialog& dialog) {
      dialog = FontDialog();
      dialog.owner = hwnd_;
      dialog.flags = kFontFlags;
      dialog.min_size = kSmallestFont;
      dialog.max_size = kLargestFont;
      dialog.font = {model_.font.name,   model_.font.size,      model_.font.bold,
                     model_.font.italic, model_.font.underline, model_.font.strikethrough,
                     model_.fore_colour};
      return dialogs.ShowFont(dialog);
    };
    FontDialog dialog;
    bool chosen = show(dialog);
    // A dialog that could not be shown at all is tried once more.
    if (!chosen && dialog.extended_error != cderr::kNone) chosen = show(dialog);
    if (chosen) {
      model_.font.name = dialog.font.name;
      model_.font.size = dialog.font.size;
      model_.font.bold = dialog.font.bold;
      model_.font.italic = dialog.font.italic;
      model_.font.underline = dialog.font.underline;
      model_.font.strikethrough = dialog.font.strikeout;
      model_.fore_colour = dialog.font.color & 0xFFFFFF;
      ApplyFont();
    }
    if (life_.HasNote()) {
      m_blnCollapseArmed = true;
      ChangesToParentItem();
      model_.Store(NoteModel::kPendingFont, "frmComments(Sub TextFontChange)");
    }
  });
}

}  // namespace pinlet
