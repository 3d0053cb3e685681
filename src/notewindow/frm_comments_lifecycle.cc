// The note window's life: built and loaded on its first show, re-used for
// another note, closed; and the keys and focus of the window.
#include <algorithm>
#include <cmath>

#include "addin/error_report.h"
#include "addin/session.h"
#include "addin/settings.h"
#include "notewindow/attachment_files.h"
#include "notewindow/frm_comments.h"
#include "notewindow/frm_comments_design.h"
#include "platform/file_names.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {

frmComments::frmComments(AddinContext& ctx) : ctx_(ctx), model_(ctx, ModelBinding()) {
  model_.back_colour = kFrameColour;
  m_sngFooterGap = design::kHeight - (design::kEditTextTop + design::kTextHeight +
                                      design::kFooterBelowText + design::kFooterHeight);
  m_textHeight = design::kTextHeight;
}

// Nothing of the context is touched here: a window may outlive its add-in.
frmComments::~frmComments() = default;

void frmComments::Show() {
  if (life_.Gone()) return;
  if (life_.Up()) {
    IgnoreError([&] { form_->Show(ui::kModeless); });
    return;
  }
  auto self = shared_from_this();
  // A window that could not be made or shown is tried once more before the
  // user is left without it.
  for (int attempt = 0; attempt < 2 && life_.phase() == Phase::kNew; ++attempt) {
    if (!Build()) continue;
    life_.Built();
    Form_Initialize();
    Form_Load();
    if (!life_.Up()) return;  // a duplicate closed itself
    if (!IgnoreError([&] { form_->Show(ui::kModeless); })) Abandon();
  }
}

// The add-in closes the window (the item's window closed, Outlook shuts
// down) and does not keep it: the changes that cannot be saved may go.
void frmComments::Unload() { CloseWindow(/*can_stay=*/false); }

void frmComments::Form_Initialize() {
  // The common controls need no initialisation on this platform.
}

void frmComments::Form_Load() {
  // 1. The window's own objects and flags.
  if (!ctx_.common_dialog && ctx_.platform.dialogs && ctx_.platform.window_manager)
    ctx_.common_dialog = std::make_shared<GCommonDialog>(*ctx_.platform.dialogs,
                                                         *ctx_.platform.window_manager);
  if (ctx_.common_dialog)
    m_cHookAddDlg = std::make_unique<cCommonDialog>(*ctx_.common_dialog);
  m_blnLayoutBusy = false;
  m_blnFirstFileDialog = true;
  m_blnViewSwitch = true;
  IgnoreError(
      [&] { m_sngFooterGap = form_->Height() - picFooter->Top() - picFooter->Height(); });
  // 2. Another window shows this note already: this one closes unsaved.
  if (DuplicateOpen()) {
    life_.KeepNothing();
    CloseWindow(/*can_stay=*/false);
    return;
  }
  // 3.-5.
  life_.ShowsExisting();
  frmState = kViewState;
  SetDefaultDisplayStyle();
  if (ctx_.platform.clipboard) {
    m_objTextEdit = std::make_unique<cTextBoxEdit>(*ctx_.platform.clipboard);
    m_objTextEdit->Bind(Text);
  }
  // 6.-8. A new note that cannot be stored opens no window.
  if (!LoadNote(true)) {
    life_.KeepNothing();  // nothing to save, no place to keep
    CloseWindow(/*can_stay=*/false);
    return;
  }
  ShowTime();
  EnableButton("imgTextUndo", false);
  // 9. The layout of the loaded note lets the panel follow its attachments;
  // only the View button and the fold-back keep the panel as it is.
  AddAttachments();
  EnableReminder();
  SetWindowOnTop();
  m_blnViewSwitch = false;
  Resize();
  EnsureOnWorkArea();
  // 10.-11.
  life_.NoteIn();
  CheckForScrollBar();
  UpdateTimer1();
  life_.Settled();
}

bool frmComments::DuplicateOpen() {
  if (!ctx_.note_windows) return false;
  for (const auto& window : *ctx_.note_windows)
    if (window.get() != this && window->strID == strID) return true;
  return false;
}

bool frmComments::LoadNote(bool refresh_explorer) {
  if (objOriginalNote) {
    life_.ShowsExisting();
    objMyNote = objOriginalNote;
    SetCustomDisplayStyle();
    return true;
  }
  frmState = kEditState;
  NewNote made = AddNewNoteItem(ctx_, objParentItem);
  // Notes that could not be reached are tried once more before the user is
  // told: one failed look-up is no reason to turn the user away.
  if (!made.note && !made.folder_reached) made = AddNewNoteItem(ctx_, objParentItem);
  IgnoreError([&] { form_->SetCaption(made.caption); });
  if (!made.note && !made.folder_reached) {
    // Nothing typed here could be stored: the user learns it before typing.
    life_.ShowsExisting();
    model_.LockText();
    IgnoreError([&] { Text->SetLocked(true); });
    TellNotesUnreachable(ctx_);
    return false;
  }
  if (made.existed) {
    // The item has a note already (an "Add Note" that was out of date): that
    // note is opened as the existing note it is, and nothing of it is
    // overwritten or thrown away.
    objOriginalNote = made.note;
    objMyNote = made.note;
    life_.ShowsExisting();
    frmState = kViewState;
    SetCustomDisplayStyle();
    return true;
  }
  objMyNote = made.note;
  m_objNewItem = made.new_item;
  life_.ShowsNew();
  if (!objMyNote) return true;  // made at the first change (NoteForSaving)
  RecordNewNote();
  AddNoteToParentItem();
  if (refresh_explorer) RefreshExplorer();
  return true;
}

void frmComments::ShowTime() {
  IgnoreError([&] {
    std::string time = objMyNote ? objMyNote->LastModificationTime().ToShortString() : "";
    lblTime->SetCaption(time);
  });
}

void frmComments::ClearForm(const std::string& id, ol::ItemPtr note, ol::ItemPtr parent) {
  // 1. The note shown already: nothing happens.
  if (id == strID) return;
  if (!life_.Up()) {
    // Not shown yet: the next Show loads the new note.
    strID = id;
    objOriginalNote = std::move(note);
    objParentItem = std::move(parent);
    return;
  }
  auto self = shared_from_this();
  // What the user changed is saved before the note is given up; a window
  // whose note cannot be saved keeps showing it when the user asks so.
  if (!ConfirmSaved(/*can_stay=*/true, "frmComments(Sub ClearForm)")) return;
  if (!life_.Up()) return;  // closed meanwhile
  // 2.-4. The close-side steps for the old note.
  life_.Leave();
  int32_t old_state = frmState;
  SavePosition();
  life_.Refill();
  DiscardUntouchedNewNote();
  // 5.-7.
  IgnoreError([&] { Text->SetText(""); });
  strID = id;
  objMyNote.reset();
  m_objNewItem.reset();
  objOriginalNote = std::move(note);
  objParentItem = std::move(parent);
  m_objTextEdit.reset();
  IgnoreError([&] {
    for (int32_t i = lstAttachments->ListCount() - 1; i >= 0; --i)
      IgnoreError([&] { lstAttachments->RemoveItem(i); });
  });
  // 8.-9. The load-side steps for the new note.
  ResetNoteState();
  frmState = kViewState;
  SetDefaultDisplayStyle();
  if (ctx_.platform.clipboard) {
    m_objTextEdit = std::make_unique<cTextBoxEdit>(*ctx_.platform.clipboard);
    m_objTextEdit->Bind(Text);
  }
  LoadNote(false);
  ShowTime();
  AddAttachments();
  EnableReminder();
  SetWindowOnTop();
  // 10.
  int32_t entries = TryGet([&] { return lstAttachments->ListCount(); });
  if (entries == 0 || frmState != old_state)
    Resize();
  else
    ApplyBackColor(frmState == kViewState ? model_.back_colour : kFrameColour);
  EnsureOnWorkArea();
  // 11.-12.
  life_.NoteIn();
  EnableButton("imgTextUndo", false);
  EnableButton("imgSaveAtt", false);
  EnableButton("imgDeleteAtt", false);
  UpdateTimer1();
  life_.Settled();
}

void frmComments::ResetNoteState() {
  life_.ShowsExisting();
  m_blnCollapseArmed = false;
  model_.Forget();
}

void frmComments::DiscardUntouchedNewNote() {
  // Once only, and only the note this window made: a note that existed
  // before is never new here.
  if (!life_.ThrowAwayUntouched()) return;
  if (objMyNote) DeleteNoteCommand(false);
  objMyNote.reset();
  m_objNewItem.reset();
}

void frmComments::SavePosition() {
  int32_t left = 0, top = 0;
  if (!IgnoreError([&] {
        left = form_->Left();
        top = form_->Top();
      }))
    return;
  WriteText(ctx_.registry(), kNoteKey, "NoteLeft", std::to_string(left));
  WriteText(ctx_.registry(), kNoteKey, "NoteTop", std::to_string(top));
}

std::optional<Rect> frmComments::DisplayArea() {
  std::optional<Rect> area;
  IgnoreError([&] {
    WindowManager& windows = Must(ctx_.platform.window_manager);
    area = windows.GetWorkArea();
    if (!area) area = windows.GetScreenRect();
  });
  if (area && (area->width <= 0 || area->height <= 0)) return std::nullopt;
  return area;
}

void frmComments::EnsureOnWorkArea() {
  std::optional<Rect> area = DisplayArea();
  if (!area) return;
  IgnoreError([&] {
    int32_t left = form_->Left(), top = form_->Top();
    int32_t width = form_->Width(), height = form_->Height();
    // In a wide type: a place or a size near the limits of a 32-bit number
    // does not overflow. The result lies within the area.
    auto fit = [](int64_t at, int64_t size, int64_t start, int64_t extent) {
      at = std::min(at, start + extent - size);
      return static_cast<int32_t>(std::max(at, start));
    };
    int32_t new_left = fit(left, width, area->left, area->width);
    int32_t new_top = fit(top, height, area->top, area->height);
    if (new_left != left || new_top != top) form_->Move(new_left, new_top, width, height);
  });
}

void frmComments::Form_Unload() {
  if (!life_.KeepsNothing()) {
    // What the user typed was stored or given up by the user (ConfirmSaved)
    // before the text box is emptied.
    IgnoreError([&] { Text->SetText(""); });
    DiscardUntouchedNewNote();
    SavePosition();
  }
  // The printed pages hold the note and its mail: they go with the window.
  DeletePrintedPages();
  DeleteOpenedCopies();
  // A closing window always leaves the registry's list, whatever it showed.
  RemoveNoteForm(ctx_, this);
  m_cHookAddDlg.reset();
  objMyNote.reset();
  objOriginalNote.reset();
  objParentItem.reset();
  m_objNewItem.reset();
  m_objTextEdit.reset();
}

void frmComments::CloseWindow(bool can_stay) {
  if (!life_.Up()) return;
  auto self = shared_from_this();
  if (!life_.KeepsNothing() && !ConfirmSaved(can_stay, "frmComments(Sub Form_Unload)"))
    return;
  if (!life_.Up()) return;  // closed meanwhile
  life_.Close();
  Form_Unload();
  // A form that refuses to unload is at least hidden.
  if (!IgnoreError([&] { form_->Unload(); })) IgnoreError([&] { form_->Hide(); });
  Release();
  life_.Unloaded();
}

void frmComments::OnFormUnload(int& cancel) {
  if (!life_.Up()) return;
  auto self = shared_from_this();
  if (!life_.KeepsNothing() &&
      !ConfirmSaved(/*can_stay=*/true, "frmComments(Sub Form_Unload)")) {
    cancel = 1;
    return;
  }
  if (!life_.Up()) return;  // closed meanwhile
  life_.Close();
  Form_Unload();
  Release();  // the host unloads the form when this handler returns
  life_.Unloaded();
}

void frmComments::Abandon() {
  // Nothing was shown, so nothing of the window's place is kept; an
  // untouched new note goes.
  DiscardUntouchedNewNote();
  IgnoreError([&] { form_->Unload(); });
  Release();
  objMyNote.reset();
  m_objNewItem.reset();
  m_objTextEdit.reset();
  m_cHookAddDlg.reset();
  ResetNoteState();
  life_.Abandon();
}

void frmComments::Form_GotFocus() {
  if (life_.phase() == Phase::kShown && frmState == kEditState) FocusText();
}

void frmComments::Form_KeyDown(int& key_code, int& shift) {
  RunGuardedSub(ctx_, "frmComments(Sub Form_KeyDown)", [&](Proc&) {
    bool ctrl_only = (shift & (ui::shift::kCtrl | ui::shift::kAlt)) == ui::shift::kCtrl;
    if (!ctrl_only) return;
    if (key_code == 'O') {
      key_code = 0;
      imgNoteOpen_Click();
    } else if (key_code == ui::key::kF4) {
      key_code = 0;
      CloseWindow(/*can_stay=*/true);
    }
  });
}

std::string frmComments::GetName(std::string_view path) {
  // The name Windows would use: a path that hides an ending behind a NUL
  // ("run.exe", NUL, ".txt") names the file before it.
  path = TextWindowsReads(path);
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

namespace {

class NoteWindowSubsystem : public Subsystems::NoteWindows {
 public:
  std::shared_ptr<NoteWindow> Create(AddinContext& ctx) override {
    return std::make_shared<frmComments>(ctx);
  }
  void DeleteStaleFiles(AddinContext& ctx) override { DeleteStaleAttachmentCopies(ctx); }
};

}  // namespace

void InstallNoteWindow(Subsystems& subsystems) {
  subsystems.note_windows = std::make_shared<NoteWindowSubsystem>();
}

}  // namespace pinlet
