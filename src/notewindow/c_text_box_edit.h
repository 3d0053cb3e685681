// cTextBoxEdit: the edit commands of the note's text box, as the system's
// edit control offers them through its messages (cut, copy, paste, undo,
// replace the selection).
//
// The box is bound once, right after the object is made; every operation
// before that does nothing. The operations ignore failures: a message the
// control refuses, or a member of the box that raises, leaves the text as
// it was, and the Can... questions then answer false. Text is UTF-8 all the
// way to the control, so any script round-trips.
#ifndef PINLET_NOTEWINDOW_C_TEXT_BOX_EDIT_H_
#define PINLET_NOTEWINDOW_C_TEXT_BOX_EDIT_H_

#include <memory>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/ui_controls.h"

namespace pinlet {

class cTextBoxEdit {
 public:
  // The clipboard is borrowed and must outlive this object.
  explicit cTextBoxEdit(Clipboard& clipboard) : clipboard_(clipboard) {}

  void Bind(std::shared_ptr<ui::TextBox> box) { box_ = std::move(box); }

  // WM_CUT, WM_COPY, WM_PASTE; Undo undoes only when there is an edit to
  // undo. Each answers whether the control did it.
  bool Cut();
  bool Copy();
  bool Paste();
  bool Undo();
  // A selection of at least one character in a box that is not locked.
  bool CanCut();
  bool CanCopy();
  // The clipboard holds text (CF_TEXT, CF_UNICODETEXT or CF_OEMTEXT).
  bool CanPaste();
  bool CanUndo();
  // EM_REPLACESEL: `text` replaces the selection, undoably when `can_undo`.
  // Nothing happens while the box has no window.
  void ReplaceSelection(std::string_view text, bool can_undo);
  // Removes the selection.
  void Delete(bool can_undo) { ReplaceSelection("", can_undo); }

 private:
  Clipboard& clipboard_;
  std::shared_ptr<ui::TextBox> box_;
};

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_C_TEXT_BOX_EDIT_H_
