// What the note model saves: the note's text, font, colour, on-top state
// and reminder as the note's properties, the note item after its
// attachments changed, and Outlook's reminder on the parent item; each save
// that fails is kept until it is done again.
#include "addin/error_report.h"
#include "addin/string_table.h"
#include "notewindow/note_model.h"
#include "platform/host_error.h"

namespace pinlet {
namespace {

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

}  // namespace

ol::ItemPtr NoteModel::NoteForSaving() const {
  ol::ItemPtr note = binding_.note();
  if (!note) throw ObjectRequiredError();
  return note;
}

void NoteModel::SaveNoteText() {
  if (text_unread_) return;
  std::string text = binding_.text();
  ol::ItemPtr note = NoteForSaving();
  const NoteValue values[] = {{LoadResString(res::kZpnFullBody), text},
                              {LoadResString(res::kZpnBody), FirstNonEmptyLine(text)}};
  WriteNoteProperties(ctx_, note, values);
}

void NoteModel::SaveFontSettings() {
  ol::ItemPtr note = NoteForSaving();
  WriteNoteProperties(ctx_, note, FontProperties());
}

void NoteModel::SaveBackgroundColor() {
  ol::ItemPtr note = NoteForSaving();
  WriteNoteProperty(ctx_, note, LoadResString(res::kZpnBackColor),
                    ColourProperty(back_colour));
}

void NoteModel::SaveNotePositionOnTop() {
  ol::ItemPtr note = NoteForSaving();
  WriteNoteProperty(ctx_, note, kOnTopProperty, binding_.on_top() ? "1" : "0");
}

void NoteModel::SaveNoteItem() { NoteForSaving()->Save(); }

void NoteModel::SaveReminderProperty() {
  ol::ItemPtr note = NoteForSaving();
  WriteNoteProperty(ctx_, note, kReminderProperty, reminder);
}

void NoteModel::SaveParentReminder() {
  ol::ItemPtr parent_item = binding_.parent();
  ol::Item& parent = Must(parent_item);
  int parent_class = parent.Class();
  std::optional<Date> when = reminder.empty() ? std::nullopt : Date::Parse(reminder);
  if (when && parent_class == ol::kMail) {
    IgnoreError([&] { parent.Put("ReminderSet", Variant(true)); });
    IgnoreError([&] { parent.Put("ReminderTime", Variant(*when)); });
    IgnoreError([&] { parent.Put("FlagDueBy", Variant(*when)); });
  } else if (when) {
    IgnoreError([&] { parent.Put("ReminderTime", Variant(*when)); });
    IgnoreError([&] { parent.Put("ReminderSet", Variant(true)); });
  } else {
    IgnoreError([&] { parent.Put("ReminderSet", Variant(false)); });
    IgnoreError([&] { parent.Put("ReminderTime", Variant(Date(0))); });
    if (parent_class == ol::kMail)
      IgnoreError([&] { parent.Put("FlagDueBy", Variant(Date(0))); });
  }
  // The selection handler ignores the events of this save.
  std::optional<HostError> error;
  {
    ItemUpdateScope updating(ctx_);
    error = Attempt([&] { parent.Save(); });
  }
  if (error) throw *error;
}

bool NoteModel::Store(unsigned what, std::string_view tag) {
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

void NoteModel::FlushPendingSaves(std::string_view tag) {
  for (unsigned what : {kPendingText, kPendingFont, kPendingBackColor, kPendingOnTop,
                        kPendingAttachments, kPendingReminder, kPendingParentReminder})
    if (pending_ & what) Store(what, tag);
}

}  // namespace pinlet
