// What the note window reads and writes: the default appearance from the
// settings, the note's own properties, every save, and the marking of the
// parent item when a note is made or first changed.
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

constexpr const char* kOnTopProperty = "ZPNOnTop";
constexpr const char* kReminderProperty = "ZPNReminder";
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

std::string ColourText(uint32_t colour) { return std::to_string(colour & 0xFFFFFF); }
uint32_t ColourOf(const std::string& text) {
  return static_cast<uint32_t>(ToLong(Variant(text))) & 0xFFFFFF;
}

// The first line of the text that is not empty; the whole text when it has
// no line break, "" when every line is empty.
std::string FirstNonEmptyLine(std::string_view text) {
  while (!text.empty()) {
    size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (!line.empty() || end == std::string_view::npos) return std::string(line);
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    text.remove_prefix(next);
  }
  return "";
}

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
  Registry& reg = ctx_.registry();
  m_lngBackColor = ReadNoteBackColor(reg);
  m_font = ui::Font();
  std::string name = ReadText(reg, kNoteKey, "FontName");
  if (!name.empty()) m_font.name = name;
  double size = ToDouble(ReadValue(reg, RootKey::kCurrentUser, kNoteKey, "FontSize"));
  if (size > 0) m_font.size = size;
  auto flag = [&](const char* value) {
    return ToBool(ReadValue(reg, RootKey::kCurrentUser, kNoteKey, value));
  };
  m_font.bold = flag("FontBold");
  m_font.italic = flag("FontItalic");
  m_font.underline = flag("FontUnderline");
  m_font.strikethrough = flag("FontStrikethru");
  m_lngForeColor = ColourOf(ReadText(reg, kNoteKey, "ForeColor"));
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

std::vector<NoteValue> frmComments::ShownProperties() {
  std::string caption = std::string(design::kCaption);
  IgnoreError([&] { caption = form_->Caption(); });
  std::vector<NoteValue> values{{LoadResString(res::kZpnTitle), caption}};
  for (NoteValue& value : FontProperties()) values.push_back(std::move(value));
  values.push_back({LoadResString(res::kZpnBackColor), ColourText(m_lngBackColor)});
  values.push_back({LoadResString(res::kZpnFullBody), ""});
  values.push_back({kReminderProperty, m_strReminder});
  return values;
}

std::vector<NoteValue> frmComments::FontProperties() const {
  return {
      {LoadResString(res::kZpnFontName), m_font.name},
      {LoadResString(res::kZpnFontBold), ToText(Variant(m_font.bold))},
      {LoadResString(res::kZpnFontItalic), ToText(Variant(m_font.italic))},
      {LoadResString(res::kZpnFontSize), ToText(Variant(m_font.size))},
      {LoadResString(res::kZpnForeColor), ColourText(m_lngForeColor)},
      {LoadResString(res::kZpnFontUnderline), ToText(Variant(m_font.underline))},
      {LoadResString(res::kZpnFontStrikethru), ToText(Variant(m_font.strikethrough))}};
}

void frmComments::RecordNewNote() {
  IgnoreError([&] { new_note_id_ = objMyNote->EntryID(); });
  // A new note keeps the appearance it opened with from the start, as an
  // existing note has it after its first load; kept on top as the settings
  // say, or as the user set it already.
  std::vector<NoteValue> values = ShownProperties();
  values.erase(values.begin());  // its title is the item's, written already
  bool on_top =
      life_.HasNote() ? blnOnTop : ReadCheck(ctx_.registry(), kNoteKey, "NoteOnTop");
  values.push_back({kOnTopProperty, on_top ? "1" : "0"});
  IgnoreError([&] { WriteNoteProperties(ctx_, objMyNote, values); });
}

void frmComments::SetCustomDisplayStyle() {
  // What the window shows now, for the properties the note does not have.
  std::vector<NoteValue> shown_values = ShownProperties();
  std::vector<std::string> names;
  for (const NoteValue& v : shown_values) names.push_back(v.name);
  std::vector<NoteRead> reads = ReadNoteProperties(ctx_, objMyNote, names);
  std::vector<NoteValue> missing;
  for (size_t i = 0; i < reads.size(); ++i) {
    if (!reads[i].absent()) continue;
    missing.push_back(shown_values[i]);
    reads[i] = {NoteRead::State::kFound, shown_values[i].value};
  }
  if (!missing.empty())
    IgnoreError([&] { WriteNoteProperties(ctx_, objMyNote, missing); });
  auto value = [&](size_t i) -> const std::string* {
    return reads[i].found() ? &reads[i].value : nullptr;
  };
  if (auto v = value(0)) IgnoreError([&] { form_->SetCaption(*v); });
  if (auto v = value(1); v && !v->empty()) m_font.name = *v;
  if (auto v = value(2)) m_font.bold = ToBool(Variant(*v));
  if (auto v = value(3)) m_font.italic = ToBool(Variant(*v));
  if (auto v = value(4); v && ToDouble(Variant(*v)) > 0)
    m_font.size = ToDouble(Variant(*v));
  if (auto v = value(5)) m_lngForeColor = ColourOf(*v);
  if (auto v = value(6)) m_font.underline = ToBool(Variant(*v));
  if (auto v = value(7)) m_font.strikethrough = ToBool(Variant(*v));
  if (auto v = value(8)) m_lngBackColor = ColourOf(*v);
  ApplyFont();
  // A text that could not be shown is never overwritten: the box is locked
  // for this note and its text is not saved.
  bool text_shown = false;
  if (auto v = value(9)) text_shown = IgnoreError([&] { Text->SetText(*v); });
  if (!text_shown) {
    m_blnTextUnread = true;
    IgnoreError([&] { Text->SetLocked(true); });
  }
  if (auto v = value(10)) m_strReminder = *v;
  ApplyNoteColour();
  if (!m_strReminder.empty()) {
    IgnoreError([&] { transReminder->SetVisible(true); });
    IgnoreError([&] { transReminder->SetToolTipText(m_strReminder); });
  }
}

void frmComments::ApplyFont() {
  IgnoreError([&] { Text->SetFont(m_font); });
  IgnoreError([&] { Text->SetForeColor(m_lngForeColor); });
}

void frmComments::ApplyNoteColour() {
  IgnoreError([&] { Text->SetBackColor(m_lngBackColor); });
  IgnoreError([&] { lstAttachments->SetBackColor(m_lngBackColor); });
}

void frmComments::Text_Change() {
  if (life_.Busy()) return;
  RunGuardedSub(ctx_, "frmComments(Sub Text_Change)", [&](Proc&) {
    if (life_.HasNote()) {
      ChangesToParentItem();
      Store(kPendingText, "frmComments(Sub Text_Change)");
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

void frmComments::SaveNoteText() {
  if (m_blnTextUnread) return;
  std::string text = Text->Text();
  ol::ItemPtr note = NoteForSaving();
  if (!note) throw ObjectRequiredError();
  const NoteValue values[] = {{LoadResString(res::kZpnFullBody), text},
                              {LoadResString(res::kZpnBody), FirstNonEmptyLine(text)}};
  WriteNoteProperties(ctx_, note, values);
}

void frmComments::SaveFontSettings() {
  ol::ItemPtr note = NoteForSaving();
  if (!note) throw ObjectRequiredError();
  WriteNoteProperties(ctx_, note, FontProperties());
}

void frmComments::SaveBackgroundColor() {
  ol::ItemPtr note = NoteForSaving();
  if (!note) throw ObjectRequiredError();
  WriteNoteProperty(ctx_, note, LoadResString(res::kZpnBackColor),
                    ColourText(m_lngBackColor));
}

void frmComments::SaveNotePositionOnTop() {
  ol::ItemPtr note = NoteForSaving();
  if (!note) throw ObjectRequiredError();
  WriteNoteProperty(ctx_, note, kOnTopProperty, blnOnTop ? "1" : "0");
}

bool frmComments::Store(unsigned what, std::string_view tag) {
  std::optional<HostError> error = Attempt([&] {
    switch (what) {
      case kPendingText:
        return SaveNoteText();
      case kPendingFont:
        return SaveFontSettings();
      case kPendingBackColor:
        return SaveBackgroundColor();
      case kPendingOnTop:
        return SaveNotePositionOnTop();
      case kPendingAttachments:
        return SaveNoteItem();
      case kPendingReminder:
        return SaveReminderProperty();
      case kPendingParentReminder:
        return SaveParentReminder();
    }
  });
  if (!error) {
    pending_ &= ~what;
    return true;
  }
  pending_ |= what;
  ReportError(ctx_, tag, 0, error->number(), error->description());
  return false;
}

void frmComments::FlushPendingSaves(std::string_view tag) {
  for (unsigned what : {kPendingText, kPendingFont, kPendingBackColor, kPendingOnTop,
                        kPendingAttachments, kPendingReminder, kPendingParentReminder})
    if (pending_ & what) Store(what, tag);
}

bool frmComments::ConfirmSaved(bool can_stay, std::string_view tag) {
  if (m_blnAsking) return false;
  FlushPendingSaves(tag);
  while (pending_ != 0) {
    std::string message(kNotSaved);
    int style = mb::kExclamation;
    if (can_stay) {
      // The text is on the screen: the box need not repeat it.
      message += kAskWhileShown;
      style |= mb::kYesNoCancel | mb::kDefaultButton3;
    } else {
      message += kAskWhileClosing;
      std::string text;
      if (pending_ & kPendingText) IgnoreError([&] { text = Text->Text(); });
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
      FlushPendingSaves(tag);
      continue;
    }
    // A window that may stay keeps its text unless the user gave it up.
    if (can_stay && answer != mb::kNo) return false;
    pending_ = 0;
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
