// The attachment commands of the note window: adding a file (refused when
// its name is potentially unsafe, asked about when its name is listed
// already), opening, saving elsewhere and removing an attachment, and the
// list's keys, double click and popup menu.
//
// The list shows the note's attachments in order; position i stands for
// attachment i + 1. A command that acts on a position first checks that the
// entry still names that attachment, and fills the list again from the note
// when it does not, so a list that a failure left behind never makes a
// command act on the wrong file. A note whose save failed after its
// attachments changed is saved again at the next chance.
#include "addin/error_report.h"
#include "addin/string_table.h"
#include "notewindow/attachment_files.h"
#include "notewindow/frm_comments.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace pinlet {
namespace {

constexpr std::string_view kUnsafeMessage =
    "Pinlet regarded the file you are trying to add as potentially unsafe";
constexpr std::string_view kDuplicateMessage =
    "The name of the file you are about to attach "
    "already exists in the attachments list.\r\n"
    "Are you sure you want to add this file?";
constexpr std::string_view kFirstFolder = "%USERPROFILE%\\My Documents";
constexpr std::string_view kAddFilter =
    "All Files(*.*)|*.*|Text Files(*.txt)|*.txt|Picture Files(*.bmp;*.jpg)|*.bmp;*.jpg|";
constexpr std::string_view kSaveFilter = "All files (*.*)|*.*";
// Overwrite prompt, hide read-only, path must exist, no read-only return.
constexpr uint32_t kSaveFlags = ofn::kOverwritePrompt | ofn::kHideReadOnly |
                                ofn::kPathMustExist | ofn::kNoReadOnlyReturn;
static_assert(kSaveFlags == 0x8806);

}  // namespace

void frmComments::CreateAttachmentMenu() {
  mnuAttachPopup = form_->Add<ui::Menu>("mnuAttachPopup");
  mnuPopupOpen = form_->Add<ui::Menu>("mnuPopupOpen", "mnuAttachPopup");
  mnuPopupSaveAs = form_->Add<ui::Menu>("mnuPopupSaveAs", "mnuAttachPopup");
  mnuPopupRemove = form_->Add<ui::Menu>("mnuPopupRemove", "mnuAttachPopup");
  if (!mnuAttachPopup || !mnuPopupOpen || !mnuPopupSaveAs || !mnuPopupRemove)
    throw NotSupportedError("mnuAttachPopup");
  mnuAttachPopup->SetCaption("Attachment");
  mnuAttachPopup->SetVisible(false);  // a popup menu only, not on a menu bar
  mnuPopupOpen->SetCaption("Open");
  mnuPopupSaveAs->SetCaption("Save As...");
  mnuPopupRemove->SetCaption("Remove");
}

void frmComments::SubscribeAttachmentEvents(std::vector<Subscription>& events) {
  events.push_back(
      lstAttachments->OnDblClick(Handler(&frmComments::lstAttachments_DblClick)));
  events.push_back(
      lstAttachments->OnKeyDown(Handler(&frmComments::lstAttachments_KeyDown)));
  events.push_back(
      lstAttachments->OnMouseDown(Handler(&frmComments::lstAttachments_MouseDown)));
  events.push_back(mnuPopupOpen->OnClick(Handler(&frmComments::mnuPopupOpen_Click)));
  events.push_back(mnuPopupSaveAs->OnClick(Handler(&frmComments::mnuPopupSaveAs_Click)));
  events.push_back(mnuPopupRemove->OnClick(Handler(&frmComments::mnuPopupRemove_Click)));
}

std::string frmComments::FileDialogFolder() {
  if (!m_blnFirstFileDialog) return "";
  m_blnFirstFileDialog = false;
  return std::string(kFirstFolder);
}

int32_t frmComments::SelectedAttachment() {
  int32_t index = -1;
  IgnoreError([&] { index = ReadTwice([&] { return lstAttachments->ListIndex(); }); });
  return index;
}

void frmComments::ShowAttachmentControls() {
  EnableButton("imgSaveAtt", true);
  EnableButton("imgDeleteAtt", true);
  if (!m_blnPanelShown) {
    ShowPanel(true);
    Resize();
  }
}

void frmComments::HideAttachmentControls() {
  EnableButton("imgSaveAtt", false);
  EnableButton("imgDeleteAtt", false);
  if (m_astrHoverButton[0] == "imgDeleteAtt" && m_astrHoverButton[1] == "REMOVE")
    m_astrHoverButton[1] = "REMOVE_DISABLED";
  if (m_astrHoverButton[0] == "imgSaveAtt" && m_astrHoverButton[1] == "SAVE")
    m_astrHoverButton[1] = "SAVE_DISABLED";
  m_strAttachCount = "0";
  ShowPanelToggle(false);
  if (m_blnPanelShown) {
    ShowPanel(false);
    Resize();
  }
}

void frmComments::RefillAttachmentList() {
  std::vector<std::string> names;
  bool read = IgnoreError([&] {
    ol::AttachmentsPtr attachments = Must(objMyNote).Attachments();
    for (int i = 1, count = attachments->Count(); i <= count; ++i)
      names.push_back(attachments->Item(i)->FileName());
  });
  if (!read) return;  // the list stays as it is; the next command checks again
  m_blnListFill = true;
  IgnoreError([&] {
    lstAttachments->Clear();
    for (const std::string& name : names) lstAttachments->AddItem(name, -1);
    if (!names.empty()) lstAttachments->SetListIndex(0);
  });
  m_blnListFill = false;
  m_strAttachCount = std::to_string(names.size());
  ShowAttachCount();
  if (names.empty())
    HideAttachmentControls();
  else
    ShowAttachmentControls();
}

void frmComments::AddAttachment() {
  RunGuardedSub(ctx_, "frmComments(Sub AddAttachment)", [&](Proc& proc) {
    FileDialog dialog;
    dialog.owner = hwnd_;
    dialog.filter = std::string(kAddFilter);
    dialog.initial_folder = FileDialogFolder();
    m_blnCollapseArmed = false;
    bool chosen = Must(ctx_.platform.dialogs).ShowOpen(dialog);
    if (life_.HasNote()) m_blnCollapseArmed = true;
    // The dialog's CancelError: a cancel ends the command here.
    if (!chosen)
      throw HostError(errors::kCancelSelected, "Cancel was selected.", "CommonDialog");
    proc.line = 10;
    AttachFile(dialog.file_name);
    lstAttachments_Click();
    ShowAttachCount();
  });
}

void frmComments::AttachFile(const std::string& path) {
  RunGuardedSub(ctx_, "frmComments(Sub AttachFile)", [&](Proc& proc) {
    std::string name = GetName(path);
    auto ask = [&](std::string_view text, int style) {
      bool armed = m_blnCollapseArmed;
      m_blnCollapseArmed = false;
      int answer = ShowMessage(ctx_, text, style, mb::kNo);
      m_blnCollapseArmed = armed;
      return answer;
    };
    if (BlockFile(ctx_, name)) {
      ask(kUnsafeMessage, mb::kOkOnly | mb::kExclamation);
      return;
    }
    bool listed = false;
    IgnoreError([&] {
      for (int32_t i = 0, count = lstAttachments->ListCount(); i < count; ++i)
        listed = listed || GetName(lstAttachments->List(i)) == name;
    });
    if (listed && ask(kDuplicateMessage, mb::kYesNo | mb::kExclamation) != mb::kYes)
      return;
    proc.line = 10;
    ol::ItemPtr note = NoteForSaving();
    ol::AttachmentsPtr attachments = Must(note).Attachments();
    attachments->Add(path);
    // The attachment is on the note now; a save that fails is done again.
    if (life_.HasNote()) ChangesToParentItem();
    model_.Store(NoteModel::kPendingAttachments, "frmComments(Sub AttachFile)");
    proc.line = 20;
    m_blnListFill = true;
    auto listed_now = Attempt([&] {
      std::string added = attachments->Item(attachments->Count())->FileName();
      lstAttachments->AddItem(added, -1);
      lstAttachments->SetListIndex(lstAttachments->ListCount() - 1);
    });
    m_blnListFill = false;
    if (listed_now) {
      RefillAttachmentList();
      return;
    }
    ShowAttachmentControls();
  });
}

void frmComments::DeleteAttachment() {
  RunGuardedSub(ctx_, "frmComments(Sub DeleteAttachment)", [&](Proc& proc) {
    int32_t count = ReadTwice([&] { return lstAttachments->ListCount(); });
    int32_t i = SelectedAttachment();
    if (count == 0 || i < 0) return;
    ol::AttachmentsPtr attachments = Must(objMyNote).Attachments();
    // Only the attachment the entry names is removed.
    if (attachments->Count() != count ||
        attachments->Item(i + 1)->FileName() !=
            ReadTwice([&] { return lstAttachments->List(i); })) {
      RefillAttachmentList();
      return;
    }
    proc.line = 10;
    attachments->Remove(i + 1);
    if (life_.HasNote()) ChangesToParentItem();
    model_.Store(NoteModel::kPendingAttachments, "frmComments(Sub DeleteAttachment)");
    proc.line = 20;
    if (!IgnoreError([&] { lstAttachments->RemoveItem(i); })) {
      RefillAttachmentList();
      return;
    }
    if (lstAttachments->ListCount() == 0) HideAttachmentControls();
    lstAttachments_Click();
    ShowAttachCount();
  });
}

void frmComments::SaveAttachmentAs() {
  RunGuardedSub(ctx_, "frmComments(Sub SaveAttachmentAs)", [&](Proc&) {
    int32_t i = SelectedAttachment();
    if (i >= 0) SaveAs(i);
  });
}

void frmComments::SaveAs(int32_t position) {
  m_blnCollapseArmed = false;
  FileDialog dialog;
  dialog.owner = hwnd_;
  dialog.filter = std::string(kSaveFilter);
  dialog.default_extension = "txt";
  dialog.flags = kSaveFlags;
  dialog.initial_folder = FileDialogFolder();
  dialog.title = "Save As...";
  ol::AttachmentPtr attachment;
  IgnoreError([&] { attachment = Must(objMyNote).Attachments()->Item(position + 1); });
  // Only the attachment's plain file name is proposed: a name that carries
  // a folder, a drive or ".." never chooses where the file goes.
  std::string name;
  IgnoreError([&] { name = Must(attachment).FileName(); });
  dialog.file_name = AttachmentFileName(name);
  bool chosen = false;
  IgnoreError([&] { chosen = Must(ctx_.platform.dialogs).ShowSave(dialog); });
  // A cancelled dialog saves nothing.
  if (chosen) IgnoreError([&] { Must(attachment).SaveAsFile(dialog.file_name); });
  if (life_.HasNote()) m_blnCollapseArmed = true;
}

void frmComments::mnuPopupOpen_Click() {
  RunGuardedSub(ctx_, "frmComments(Sub mnuPopupOpen_Click)", [&](Proc&) {
    int32_t i = SelectedAttachment();
    if (i < 0) return;
    ol::AttachmentPtr attachment = Must(objMyNote).Attachments()->Item(i + 1);
    // A file another client attached is never run when this client would
    // have refused it: the user is told so, and may save it instead.
    if (AttachmentBlocked(ctx_, attachment)) {
      m_blnCollapseArmed = false;
      ShowMessage(ctx_, LoadResString(res::kOpenRefused), mb::kOkOnly | mb::kExclamation);
      SaveAs(i);
      return;
    }
    if (AttachmentOpen(ctx_, attachment, &attachment_copies_) == se::kNoAssociation)
      SaveAs(i);
  });
}

void frmComments::DeleteOpenedCopies() { DeleteAttachmentCopies(ctx_, attachment_copies_); }

void frmComments::mnuPopupSaveAs_Click() {
  RunGuardedSub(ctx_, "frmComments(Sub mnuPopupSaveAs_Click)",
                [&](Proc&) { SaveAttachmentAs(); });
}

void frmComments::mnuPopupRemove_Click() {
  RunGuardedSub(ctx_, "frmComments(Sub mnuPopupRemove_Click)",
                [&](Proc&) { DeleteAttachment(); });
}

void frmComments::mnuAttachPopup_Click() {
  RunGuardedSub(ctx_, "frmComments(Sub mnuAttachPopup_Click)", [&](Proc&) {
    bool selected = SelectedAttachment() >= 0;
    mnuPopupOpen->SetEnabled(selected);
    mnuPopupSaveAs->SetEnabled(selected);
    mnuPopupRemove->SetEnabled(selected);
  });
}

void frmComments::lstAttachments_DblClick() {
  RunGuardedSub(ctx_, "frmComments(Sub lstAttachments_DblClick)",
                [&](Proc&) { mnuPopupOpen_Click(); });
}

void frmComments::lstAttachments_KeyDown(int& key_code, int& shift) {
  if (key_code == ui::key::kReturn) {
    key_code = shift = 0;
    mnuPopupOpen_Click();
  } else if (key_code == ui::key::kDelete) {
    key_code = shift = 0;
    DeleteAttachment();
  }
}

void frmComments::lstAttachments_MouseDown(int button, int, int, int) {
  if (button != ui::mouse::kRight || frmState != kEditState) return;
  RunGuardedSub(ctx_, "frmComments(Sub lstAttachments_MouseDown)", [&](Proc&) {
    mnuAttachPopup_Click();
    form_->PopupMenu(mnuAttachPopup);
  });
}

}  // namespace pinlet
