#include "notewindow/c_text_box_edit.h"

#include "platform/host_error.h"

namespace pinlet {

bool cTextBoxEdit::Cut() {
  return TryGet([&] { return Must(box_).Cut(); });
}

bool cTextBoxEdit::Copy() {
  return TryGet([&] { return Must(box_).Copy(); });
}

bool cTextBoxEdit::Paste() {
  return TryGet([&] { return Must(box_).Paste(); });
}

bool cTextBoxEdit::Undo() {
  return TryGet([&] { return Must(box_).CanUndo() && box_->Undo(); });
}

bool cTextBoxEdit::CanCut() {
  return TryGet([&] { return Must(box_).SelLength() >= 1 && !box_->Locked(); });
}

bool cTextBoxEdit::CanCopy() {
  return TryGet([&] { return Must(box_).SelLength() >= 1; });
}

bool cTextBoxEdit::CanPaste() {
  for (uint32_t format : {cf::kText, cf::kUnicodeText, cf::kOemText})
    if (clipboard_.IsFormatAvailable(format)) return true;
  return false;
}

bool cTextBoxEdit::CanUndo() {
  return TryGet([&] { return Must(box_).CanUndo(); });
}

void cTextBoxEdit::ReplaceSelection(std::string_view text, bool can_undo) {
  IgnoreError([&] {
    if (Must(box_).hWnd() == 0) return;
    box_->ReplaceSel(text, can_undo);
  });
}

}  // namespace pinlet
