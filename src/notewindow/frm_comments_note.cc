// The note toolbar's commands: keep the window on top, delete the note,
// open the item the note belongs to.
#include "addin/error_report.h"
#include "addin/string_table.h"
#include "notewindow/frm_comments.h"
#include "store/note_link.h"
#include "store/note_windows.h"
#include "store/parent_marking.h"

namespace pinlet {
namespace {

constexpr const char* kCannotOpenParent = "Sorry, can't open parent item";

}  // namespace

void frmComments::MakeTopMost() { SetTopMost(ctx_, hwnd_, true); }

void frmComments::MakeNormal() { SetTopMost(ctx_, hwnd_, false); }

void frmComments::SetWindowOnTop() {
  bool was_on_top = blnOnTop;
  blnOnTop = model_.LoadOnTop(objMyNote);
  if (blnOnTop) {
    MakeTopMost();
  } else if (was_on_top) {
    // The window showed a note kept on top before this one.
    MakeNormal();
  }
  SetButtonPicture("imgNoteOnTop", OnTopRestingKey());
}

void frmComments::imgNoteDelete_Click() {
  m_blnCollapseArmed = false;
  if (!DeleteNoteCommand(/*ask=*/!life_.UntouchedNew())) return;
  life_.KeepNothing();  // nothing is saved on close
  CloseWindow(/*can_stay=*/false);
}

bool frmComments::DeleteNoteCommand(bool ask) {
  bool confirmed =
      RunGuarded(ctx_, "frmComments(Sub imgNoteDelete_Click)", false, [&](Proc&) {
        if (!ask) return true;
        std::string caption = TryGet([&] { return form_->Caption(); });
        std::string question =
            LoadResString(res::kDeleteNoteQuestion) + " '" + caption + "'?";
        return ShowMessage(ctx_, question, mb::kYesNo | mb::kQuestion, mb::kNo) ==
               mb::kYes;
      });
  if (!confirmed) return false;
  // The note goes even when its item is gone; only the item's steps are
  // skipped then. A note that could not be deleted keeps its window.
  if (!model_.DeleteNote(objMyNote)) return false;
  if (!objParentItem) return true;
  SetParentItemProperties(ctx_, objParentItem, false);
  if (ctx_.subsystems.inspectors)
    IgnoreError(
        [&] { ctx_.subsystems.inspectors->SetNoteButton(ctx_, objParentItem, false); });
  RefreshExplorer();
  if (ctx_.subsystems.explorers) {
    IgnoreError(
        [&] { ctx_.subsystems.explorers->ForgetEntryId(ctx_, objParentItem->EntryID()); });
  }
  return true;
}

void frmComments::DisableParentButtons() {
  EnableButton("imgNoteOpen", false);
  EnableButton("imgNoteReminder", false);
}

bool frmComments::DisplayParent(const ol::ItemPtr& parent) {
  FlagScope opening(ctx_.parent_opening);
  if (blnOnTop) {
    blnParentOpened = true;
    MakeNormal();  // the item's window can come in front
  }
  return IgnoreError([&] { Must(parent).Display(); });
}

void frmComments::imgNoteOpen_Click() {
  if (!objParentItem) {
    DisableParentButtons();
    return;
  }
  if (DisplayParent(objParentItem)) return;
  // The item is looked up again where its note says it is.
  ol::ItemPtr note = objOriginalNote ? objOriginalNote : objMyNote;
  ol::ItemPtr found = FindItemOf(ctx_, note).item;
  if (found && DisplayParent(found)) return;
  ShowMessage(ctx_, kCannotOpenParent, mb::kOkOnly | mb::kCritical, mb::kOk);
  DisableParentButtons();
}

}  // namespace pinlet
