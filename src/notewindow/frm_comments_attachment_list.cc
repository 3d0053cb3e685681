// The note's attachments as the window lists them: the list filled from the
// note at load, the panel and the count following the list. The commands
// that add, open, save and remove attachments come with their own code.
#include "addin/error_report.h"
#include "notewindow/frm_comments.h"

namespace pinlet {

void frmComments::AddAttachments() {
  int count = 0;
  ol::AttachmentsPtr attachments;
  IgnoreError([&] {
    attachments = Must(objMyNote).Attachments();
    count = attachments->Count();
  });
  if (count == 0) {
    EnableButton("imgSaveAtt", false);
    EnableButton("imgDeleteAtt", false);
    ShowPanel(false);
    return;
  }
  for (int i = 1; i <= count; ++i) {
    m_blnListFill = true;
    IgnoreError([&] { lstAttachments->AddItem(attachments->Item(i)->FileName(), -1); });
    m_blnListFill = false;
  }
  m_blnBusy = true;
  lstAttachments_Click();
  m_blnBusy = false;
  ShowAttachCount();
  EnableButton("imgSaveAtt", true);
  EnableButton("imgDeleteAtt", true);
  ShowPanelToggle(true);
}

void frmComments::lstAttachments_Click() {
  if (m_blnListFill) return;
  RunGuardedSub(ctx_, "frmComments(Sub lstAttachments_Click)", [&](Proc&) {
    int32_t entries = lstAttachments->ListCount();
    if (entries > 0) {
      if (lstAttachments->ListIndex() < 0) {
        m_blnListFill = true;
        auto error = Attempt([&] { lstAttachments->SetListIndex(0); });
        m_blnListFill = false;
        if (error) throw *error;
      }
      m_strAttachCount = std::to_string(entries);
      ShowAttachCount();
      return;
    }
    ShowPanelToggle(false);
    if (m_blnPanelShown) {
      ShowPanel(false);
      Resize();
    }
  });
}

void frmComments::ShowAttachCount() {
  IgnoreError([&] { lblAttachments->SetCaption(m_strAttachCount); });
}

}  // namespace pinlet
