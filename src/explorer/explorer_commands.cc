// What the wrapper's buttons and menu entries do when clicked. None of them
// cancels the click's default, so Outlook's own Reply, Reply to All and
// Forward always run after the note was handed over.
#include "addin/error_report.h"
#include "explorer/cls_explorer.h"
#include "options/frm_options.h"
#include "store/filter_view.h"
#include "store/note_link.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

constexpr const char* kNothingSelected =
    "Please, select the item you wish to add note to.";
constexpr const char* kSeveralSelected =
    "Currently we are able to handle only one selected item.\r\nSorry for the "
    "inconvenience.";
constexpr const char* kHelpPage = "About_Pinlet.htm";

void ShowHelpPage(AddinContext& ctx) {
  if (ctx.support) ctx.support->ShowContextHelp(kHelpPage);
}

void ShowAboutBox(AddinContext& ctx) {
  if (ctx.support) ctx.support->ShowAbout();
}

}  // namespace

void clsExplorer::cmdNewNote_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdNewNote_Click)", [&](Proc& proc) {
    proc.line = 10;
    ol::SelectionPtr selection = Must(m_objExplorer_).Selection();
    int count = Must(selection).Count();
    if (count == 0) {
      ShowMessage(ctx_, kNothingSelected, mb::kOkOnly);
      return;
    }
    if (count > 1) {
      ShowMessage(ctx_, kSeveralSelected, mb::kOkOnly);
      return;
    }
    proc.line = 20;
    ol::ItemPtr item = selection->Item(1);
    std::string entry_id = Must(item).EntryID();
    // The note of the item, or none for a new one.
    ol::ItemPtr note = FindNoteOf(ctx_, item).note;
    proc.line = 30;
    DisplayNote(ctx_, GetNoteForm(ctx_, entry_id, note, item));
  });
}

void clsExplorer::cmdContextNewNote_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdContextNewNote_Click)", [&](Proc&) {
    bool cancel_default = true;
    cmdNewNote_Click(cmdNewNote_.control, cancel_default);
  });
}

void clsExplorer::cmdFilter_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdFilter_Click)", [&](Proc& proc) {
    if (!m_objExplorer_) return;
    proc.line = 10;
    office::CommandBarControl& button = Must(cmdFilter_.control);
    if (button.State() == office::kButtonUp) {
      proc.line = 20;
      if (Filter_On(ctx_, m_objExplorer_)) button.SetState(office::kButtonDown);
    } else {
      proc.line = 30;
      if (Filter_Off(ctx_, m_objExplorer_)) button.SetState(office::kButtonUp);
    }
  });
}

void clsExplorer::AnswerClicked(const char* tag,
                                const office::CommandBarControlPtr& ctrl) {
  RunGuardedSub(ctx_, tag,
                [&](Proc&) { FindNoteBody(Must(Must(ctrl).Parent()).Parent()); });
}

void clsExplorer::cmdReply_Click(const office::CommandBarControlPtr& ctrl, bool&) {
  AnswerClicked("clsExplorer(Sub cmdReply_Click)", ctrl);
}

void clsExplorer::cmdReplyAll_Click(const office::CommandBarControlPtr& ctrl, bool&) {
  AnswerClicked("clsExplorer(Sub cmdReplyAll_Click)", ctrl);
}

void clsExplorer::cmdForward_Click(const office::CommandBarControlPtr& ctrl, bool&) {
  AnswerClicked("clsExplorer(Sub cmdForward_Click)", ctrl);
}

void clsExplorer::cmdSettings_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdSettings_Click)",
                [&](Proc&) { ShowOptionsDialog(ctx_); });
}

void clsExplorer::menOptions_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub menOptions_Click)",
                [&](Proc&) { ShowOptionsDialog(ctx_); });
}

void clsExplorer::cmdHelp_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdHelp_Click)",
                [&](Proc&) { ShowHelpPage(ctx_); });
}

void clsExplorer::cmdOtherHelp_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdOtherHelp_Click)",
                [&](Proc&) { ShowHelpPage(ctx_); });
}

void clsExplorer::cmdAbout_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub cmdAbout_Click)",
                [&](Proc&) { ShowAboutBox(ctx_); });
}

void clsExplorer::menAbout_Click(const office::CommandBarControlPtr&, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub menAbout_Click)",
                [&](Proc&) { ShowAboutBox(ctx_); });
}

}  // namespace pinlet
