// What the note model saves: the note's text, font, colour, on-top state
// and reminder as the note's properties, the note item after its
// attachments changed, and Outlook's reminder on the parent item; each save
// that fails is kept until it is done again. And the deletion of the note
// for good.
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

bool NoteModel::DeleteNote(const ol::ItemPtr& note) {
  if (!note) return true;
  IgnoreError([&] {
    ol::AttachmentsPtr attachments = note->Attachments();
    for (int i = attachments->Count(); i >= 1; --i)
      IgnoreError([&] { attachments->Remove(i); });
  });
  std::string id;
  if (!IgnoreError([&] { id = note->EntryID(); })) {
    // The model knows the EntryID of a new note it recorded.
    if (new_note_id_.empty()) return false;
    id = new_note_id_;
  }
  if (id.empty()) return true;  // never saved: nothing is stored
  // The note is moved to Deleted Items and deleted for good there: in an
  // Exchange mailbox the move gives it a new EntryID, which only the item
  // the move answers knows. A step that failed is done again.
  ol::FolderPtr deleted_items;
  for (int attempt = 0; attempt < 3; ++attempt) {
    ol::ItemPtr moved;
    if (!IgnoreError([&] {
          if (!deleted_items)
            deleted_items =
                Must(ctx_.name_space).GetDefaultFolder(ol::kFolderDeletedItems);
          moved = note->Move(deleted_items);
        }) ||
        !moved)
      continue;
    for (int tries = 0; tries < 3; ++tries)
      if (IgnoreError([&] { moved->Delete(); })) return true;
    return false;
  }
  // No move succeeded: the note is deleted where it is, and looked for in
  // Deleted Items by the EntryID it had.
  IgnoreError([&] { note->Delete(); });
  // A deleted item lands in Deleted Items; it is deleted again from there,
  // so that nothing of the note is left. A deletion that failed on the way
  // is done again the same way.
  for (int attempt = 0; attempt < 3; ++attempt) {
    ol::ItemPtr found;
    std::optional<HostError> error =
        Attempt([&] { found = Must(ctx_.name_space).GetItemFromID(id); });
    if (error && error->number() == errors::kNotFound) return true;
    if (error) continue;
    if (!found) return true;
    IgnoreError([&] { found->Delete(); });
  }
  return false;
}

}  // namespace pinlet
