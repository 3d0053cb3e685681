// The note on the window: the model bound to the controls, the defaults the
// window opens with, the note shown from its model, the marking of the
// parent item when a note is made or first changed, and the question when a
// save still fails as the window gives up its note.
#include <algorithm>
#include <cmath>
#include <optional>

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "notewindow/frm_comments.h"
#include "notewindow/frm_comments_design.h"
#include "store/note_link.h"
#include "store/note_property.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"
#include "store/shared_folders.h"

namespace pinlet {
namespace {

constexpr std::string_view kNotSaved =
    "Pinlet could not save the last changes to this note in Outlook.";
constexpr std::string_view kAskWhileShown =
    "\r\nDo you want to try again? Click No to give the changes up, or Cancel to "
    "keep the note open.";
constexpr std::string_view kAskWhileClosing =
    " The note is being closed.\r\nClick Retry to try again, or Cancel to close it "
    "without the changes.";
constexpr std::string_view kNotSavedText =
    "\r\nThis is the text that could not be saved (press Ctrl+C to copy it):";

// The farthest from the origin a stored coordinate places the window, in
// twips: well beyond any screen, and far enough from the limits of a 32-bit
// number that a window's size added to it cannot overflow.
constexpr double kCoordinateLimit = 1 << 24;

// A coordinate of the window as stored: the number the text holds, rounded
// and clamped in a wide type; nullopt for text that holds no number.
std::optional<int32_t> StoredCoordinate(const std::string& text) {
  std::optional<double> number = ParseNumber(text);
  if (!number || std::isnan(*number)) return std::nullopt;
  return static_cast<int32_t>(
      std::lround(std::clamp(*number, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

NoteModel::Binding frmComments::ModelBinding() {
  NoteModel::Binding binding;
  binding.text = [this] { return Text->Text(); };
  binding.title = [this] { return ShownTitle(); };
  binding.on_top = [this] { return blnOnTop; };
  binding.note = [this] { return NoteForSaving(); };
  binding.parent = [this] { return objParentItem; };
  return binding;
}

std::string frmComments::ShownTitle() {
  std::string caption = std::string(design::kCaption);
  IgnoreError([&] { caption = form_->Caption(); });
  return caption;
}

void frmComments::SetDefaultDisplayStyle() {
  // 1. The window and every control with a background: pale yellow.
  IgnoreError([&] { form_->SetBackColor(kFrameColour); });
  for (const design::ControlPlace& place : design::Controls()) {
    if (place.kind == ui::Image::kTypeName) continue;  // images have no background
    IgnoreError([&] { form_->Control(place.name)->SetBackColor(kFrameColour); });
  }
  // 2.-3.
  SetToolTips();
  IgnoreError([&] { transReminder->SetVisible(false); });
  m_strAttachCount = std::to_string(0);
  ShowAttachCount();
  // 4. The default appearance. A value never set keeps a readable note:
  // the pale note colour and the text box's own font.
  model_.LoadDefaults();
  ApplyNoteColour();
  ApplyFont();
  // 5.-6.
  IgnoreError([&] { Text->SetLocked(false); });
  IgnoreError([&] { Text->SetText(""); });
  int parent_class = 0;
  IgnoreError([&] { parent_class = Must(objParentItem).Class(); });
  EnableButton("imgNoteReminder", parent_class == ol::kMail || parent_class == ol::kTask);
  // 7. The place of the last note window closed, or the middle of the
  // screen. A place far off the screen is brought onto it once the window
  // has its size (EnsureOnWorkArea).
  Registry& reg = ctx_.registry();
  std::optional<int32_t> left = StoredCoordinate(ReadText(reg, kNoteKey, "NoteLeft"));
  std::optional<int32_t> top = StoredCoordinate(ReadText(reg, kNoteKey, "NoteTop"));
  IgnoreError([&] {
    int32_t width = form_->Width(), height = form_->Height();
    if (left && top) {
      form_->Move(*left, *top, width, height);
      return;
    }
    std::optional<Rect> area = DisplayArea();
    if (!area) return;
    int64_t x = area->left + (int64_t{area->width} - width) / 2;
    int64_t y = area->top + (int64_t{area->height} - height) / 2;
    form_->Move(static_cast<int32_t>(x), static_cast<int32_t>(y), width, height);
  });
}

void frmComments::RecordNewNote() {
  // A new note keeps the appearance it opened with from the start, as an
  // existing note has it after its first load; kept on top as the settings
  // say, or as the user set it already.
  model_.RecordNew(objMyNote,
                   life_.HasNote() ? std::optional<bool>(blnOnTop) : std::nullopt);
}

void frmComments::SetCustomDisplayStyle() {
  NoteModel::Loaded loaded = model_.Load(objMyNote);
  if (loaded.title) IgnoreError([&] { form_->SetCaption(*loaded.title); });
  ApplyFont();
  // A text that could not be shown is never overwritten: the box is locked
  // for this note and its text is not saved.
  bool text_shown = loaded.text && IgnoreError([&] { Text->SetText(*loaded.text); });
  if (!text_shown) {
    model_.LockText();
    IgnoreError([&] { Text->SetLocked(true); });
  }
  ApplyNoteColour();
  if (!model_.reminder.empty()) {
    IgnoreError([&] { transReminder->SetVisible(true); });
    IgnoreError([&] { transReminder->SetToolTipText(model_.reminder); });
  }
}

void frmComments::ApplyFont() {
  IgnoreError([&] { Text->SetFont(model_.font); });
  IgnoreError([&] { Text->SetForeColor(model_.fore_colour); });
}

void frmComments::ApplyNoteColour() {
  IgnoreError([&] { Text->SetBackColor(model_.back_colour); });
  IgnoreError([&] { lstAttachments->SetBackColor(model_.back_colour); });
}

void frmComments::Text_Change() {
  if (life_.Busy()) return;
  RunGuardedSub(ctx_, "frmComments(Sub Text_Change)", [&](Proc&) {
    if (life_.HasNote()) {
      ChangesToParentItem();
      model_.Store(NoteModel::kPendingText, "frmComments(Sub Text_Change)");
    }
    EnableButton("imgTextUndo", true);
  });
  FocusText();
  if (frmState == kViewState) CheckForScrollBar();
}

void frmComments::ChangesToParentItem() {
  // The first change: a new note is no longer thrown away on close, and
  // an existing one marks its item.
  NoteWindowLife::Keeping before = life_.UserChanged();
  if (before == NoteWindowLife::Keeping::kExisting ||
      before == NoteWindowLife::Keeping::kNothing)
    AddNoteToParentItem();
  m_blnCollapseArmed = true;
}

void frmComments::AddNoteToParentItem() {
  if (!objParentItem) return;
  SetParentItemProperties(ctx_, objParentItem, true);
  KeepLink(ctx_, objParentItem, objMyNote);
  ol::FolderPtr folder;
  IgnoreError([&] { folder = objParentItem->Parent(); });
  if (objMyNote && folder) {
    IgnoreError([&] {
      SetNoteParentItemFolder(ctx_, objMyNote, folder->Name(), folder->FolderPath());
    });
    IgnoreError([&] { objMyNote->Save(); });
  }
  if (folder) {
    IgnoreError([&] { RecordSharedFolder(ctx_, folder->EntryID(), folder->StoreID()); });
  }
  if (ctx_.subsystems.inspectors)
    IgnoreError(
        [&] { ctx_.subsystems.inspectors->SetNoteButton(ctx_, objParentItem, true); });
}

ol::ItemPtr frmComments::NoteForSaving() {
  if (objMyNote || objOriginalNote || !objParentItem) return objMyNote;
  // The new note could not be made when the window opened: it is made now,
  // so that what the user typed has a note to go to. A note that appeared
  // meanwhile is not written over.
  NewNote made = AddNewNoteItem(ctx_, objParentItem);
  if (!made.note || made.existed) return nullptr;
  objMyNote = made.note;
  m_objNewItem = made.new_item;
  IgnoreError([&] { form_->SetCaption(made.caption); });
  RecordNewNote();
  AddNoteToParentItem();
  return objMyNote;
}

bool frmComments::ConfirmSaved(bool can_stay, std::string_view tag) {
  if (m_blnAsking) return false;
  model_.FlushPendingSaves(tag);
  while (model_.save_pending()) {
    std::string message(kNotSaved);
    int style = mb::kExclamation;
    if (can_stay) {
      // The text is on the screen: the box need not repeat it.
      message += kAskWhileShown;
      style |= mb::kYesNoCancel | mb::kDefaultButton3;
    } else {
      message += kAskWhileClosing;
      std::string text;
      if (model_.pending(NoteModel::kPendingText))
        IgnoreError([&] { text = Text->Text(); });
      if (!text.empty()) message += std::string(kNotSavedText) + "\r\n\r\n" + text;
      style |= mb::kRetryCancel | mb::kDefaultButton2;
    }
    // The box takes the activation: the window does not fold back for it.
    bool armed = m_blnCollapseArmed;
    m_blnCollapseArmed = false;
    m_blnAsking = true;
    // A box that could not be shown is tried once more before the user is
    // left without it.
    int answer = ShowMessage(ctx_, message, style);
    if (answer == 0) answer = ShowMessage(ctx_, message, style);
    m_blnAsking = false;
    m_blnCollapseArmed = armed;
    if (answer == mb::kYes || answer == mb::kRetry) {
      model_.FlushPendingSaves(tag);
      continue;
    }
    // A window that may stay keeps its text unless the user gave it up.
    if (can_stay && answer != mb::kNo) return false;
    model_.GiveUpPending();
  }
  return true;
}

void frmComments::RefreshExplorer() {
  if (!ctx_.subsystems.explorers) return;
  // The explorer handles its selection again as a refresh: it shows the
  // note's state without marking the item a second time.
  FlagScope refreshing(ctx_.note_refresh);
  FlagScope loading(ctx_.note_loading);
  IgnoreError([&] { ctx_.subsystems.explorers->RefreshActive(ctx_); });
}

}  // namespace pinlet
