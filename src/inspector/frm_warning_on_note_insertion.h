// frmWarningOnNoteInsertion: the question asked before a note goes into a
// reply or forward on its own.
//
// The dialog asks whether to insert the note; "View Note" shows the note
// (above all windows) and leaves the question open, "Help" shows its help
// page. Its check box "Don't ask this question again." is written back as
// the options "WarningOnNoteInsertion" (0 ticked, 1 not) and, when ticked
// and answered No, "ReplyForward" = 0, each time the dialog closes (Yes, No
// or the close box, which answers No).
#ifndef PINLET_INSPECTOR_FRM_WARNING_ON_NOTE_INSERTION_H_
#define PINLET_INSPECTOR_FRM_WARNING_ON_NOTE_INSERTION_H_

#include <memory>
#include <vector>

#include "addin/context.h"
#include "platform/ui_controls.h"

namespace pinlet {

class frmWarningOnNoteInsertion {
 public:
  explicit frmWarningOnNoteInsertion(AddinContext& ctx) : ctx_(ctx) {}
  ~frmWarningOnNoteInsertion();
  frmWarningOnNoteInsertion(const frmWarningOnNoteInsertion&) = delete;
  frmWarningOnNoteInsertion& operator=(const frmWarningOnNoteInsertion&) = delete;

  // Shows the question modally about `note` of `item`; true when the user
  // answered Yes. A dialog that cannot be shown answers No, writing nothing.
  bool Ask(const ol::ItemPtr& note, const ol::ItemPtr& item);

 private:
  void Build();
  void Form_Load();
  void cmdYes_Click();
  void cmdNo_Click();
  void cmdViewNote_Click();
  void cmdHelp_Click();
  void Form_Unload();
  // Sets the answer, writes the options and unloads the window.
  void Answer(bool yes);
  void Release();

  AddinContext& ctx_;
  ui::FormPtr form_;
  std::shared_ptr<ui::Label> lblWarning1, lblWarning2;
  std::shared_ptr<ui::Image> imgWarning;
  std::shared_ptr<ui::CheckBox> chkDontAsk;
  std::shared_ptr<ui::CommandButton> cmdYes, cmdNo, cmdViewNote, cmdHelp;
  std::vector<Subscription> events_;
  ol::ItemPtr note_, item_;
  bool answer_ = false;
  bool unloaded_ = false;
};

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_FRM_WARNING_ON_NOTE_INSERTION_H_
