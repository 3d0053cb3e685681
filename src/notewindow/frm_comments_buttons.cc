// The picture buttons of the note window: their pictures at rest, under the
// mouse and pressed, the on-top button's own pictures, the tool tips, and
// which command each click runs.
#include "addin/error_report.h"
#include "addin/pictures.h"
#include "notewindow/frm_comments.h"
#include "notewindow/frm_comments_design.h"

namespace pinlet {
namespace {

constexpr std::string_view kOnTopButton = "imgNoteOnTop";

// The commands of the buttons built here. The attachment, reminder and
// print buttons get theirs with those commands.
struct ClickCommand {
  std::string_view button;
  void (frmComments::*command)();
};

}  // namespace

void frmComments::SetToolTips() {
  for (const design::PictureButton& button : design::Buttons()) {
    if (button.tip.empty()) continue;
    IgnoreError([&] { Img(button.name)->SetToolTipText(button.tip); });
  }
  IgnoreError([&] { transAttachments->SetToolTipText("Attachments Panel On/Off"); });
}

void frmComments::SetButtonPicture(std::string_view button, std::string_view key) {
  // A picture the resources lack leaves the button as it is.
  Picture picture = LoadResPicture(key);
  if (picture.empty()) return;
  IgnoreError([&] { Must(Img(button)).SetPicture(key, picture); });
}

void frmComments::EnableButton(std::string_view button, bool enabled) {
  const design::PictureButton* design = design::FindButton(button);
  if (!design) return;
  SetButtonPicture(button, enabled || design->disabled_key.empty()
                               ? design->key
                               : design->disabled_key);
  IgnoreError([&] { Must(Img(button)).SetEnabled(enabled); });
}

void frmComments::Record(const std::string& button, const std::string& resting_key) {
  m_astrHoverButton = {button, resting_key};
}

void frmComments::ResetHoverButton() {
  if (m_astrHoverButton[0].empty()) return;
  SetButtonPicture(m_astrHoverButton[0], m_astrHoverButton[1]);
  m_astrHoverButton = {};
}

void frmComments::ButtonMouseDown(const std::string& button) {
  const design::PictureButton* design = design::FindButton(button);
  // The mouse came from another button: that one rests again.
  if (m_astrHoverButton[0] != button) ResetHoverButton();
  SetButtonPicture(button, std::string(design->key) + "_DOWN");
}

void frmComments::ButtonMouseMove(const std::string& button) {
  const design::PictureButton* design = design::FindButton(button);
  if (m_astrHoverButton[0] != button) ResetHoverButton();
  SetButtonPicture(button, std::string(design->key) + "_OVER");
  Record(button, std::string(design->key));
}

void frmComments::ButtonMouseUp(const std::string& button) {
  const design::PictureButton* design = design::FindButton(button);
  SetButtonPicture(button, std::string(design->key) + "_OVER");
  Record(button, std::string(design->key));
}

void frmComments::ButtonClick(const std::string& button) {
  static constexpr ClickCommand kCommands[] = {
      {"imgTextUndo", &frmComments::imgTextUndo_Click},
      {"imgTextCut", &frmComments::imgTextCut_Click},
      {"imgTextCopy", &frmComments::imgTextCopy_Click},
      {"imgTextPaste", &frmComments::imgTextPaste_Click},
      {"imgTextClearAll", &frmComments::imgTextClearAll_Click},
      {"imgTextCopyAll", &frmComments::imgTextCopyAll_Click},
      {"imgAddDate", &frmComments::cmdInsertDate_Click},
      {"imgTextFont", &frmComments::TextFontChange},
      {"imgTextColor", &frmComments::TextColorChange},
      {"imgNoteDelete", &frmComments::imgNoteDelete_Click},
      {"imgNoteOpen", &frmComments::imgNoteOpen_Click},
      {"imgNoteView", &frmComments::imgNoteView_Click},
      {"imgAddAtt", &frmComments::AddAttachment},
      {"imgSaveAtt", &frmComments::SaveAttachmentAs},
      {"imgDeleteAtt", &frmComments::DeleteAttachment},
      {"imgNoteReminder", &frmComments::imgNoteReminder_Click},
      {"imgTextPrint", &frmComments::imgTextPrint_Click},
  };
  for (const ClickCommand& entry : kCommands)
    if (entry.button == button) return (this->*entry.command)();
}

std::string frmComments::OnTopRestingKey() const {
  return blnOnTop ? "ONTOP_TURNED_DOWN" : "ONTOP";
}

void frmComments::imgNoteOnTop_MouseDown(int, int, int, int) {
  if (m_astrHoverButton[0] != kOnTopButton) ResetHoverButton();
  RunGuardedSub(ctx_, "frmComments(Sub imgNoteOnTop_MouseDown)", [&](Proc&) {
    blnOnTop = !blnOnTop;
    if (life_.HasNote()) {
      ChangesToParentItem();
      model_.Store(NoteModel::kPendingOnTop, "frmComments(Sub imgNoteOnTop_MouseDown)");
    }
    if (blnOnTop)
      MakeTopMost();
    else
      MakeNormal();
    SetButtonPicture(kOnTopButton, "ONTOP_DOWN");
    Record(std::string(kOnTopButton), OnTopRestingKey());
  });
}

void frmComments::imgNoteOnTop_MouseMove(int, int, int, int) {
  if (m_astrHoverButton[0] != kOnTopButton) ResetHoverButton();
  SetButtonPicture(kOnTopButton, blnOnTop ? "ONTOP_TURNED_OVER" : "ONTOP_OVER");
  Record(std::string(kOnTopButton), OnTopRestingKey());
}

void frmComments::BackgroundMouseMove(int, int, int, int) { ResetHoverButton(); }

}  // namespace pinlet
