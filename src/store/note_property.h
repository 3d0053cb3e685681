// Writing a note's properties, and finding a parent's note.
//
// A note keeps its text, title, font, colours and links as text user
// properties, each also defined as a field of the notes folder. Document
// notes (class 41) keep no user properties through the object model, so
// theirs are written as CDO fields as well, through the shared CDO session
// when there is one.
#ifndef PINLET_STORE_NOTE_PROPERTY_H_
#define PINLET_STORE_NOTE_PROPERTY_H_

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "addin/context.h"

namespace pinlet {

// The message class a note of a parent of class `parent_class` gets
// ("IPM.Note" for a mail, ...); empty for a class that cannot have notes,
// Outlook's own notes (44) among them: no note is ever an "IPM.StickyNote",
// which has no user properties or attachments to keep a note in.
std::string NoteMessageClass(int parent_class);

// Writes one text property of a note and saves the note (for a document
// note: sets the CDO field and updates the message). Raises a HostError on
// failure; callers choose their error regime.
void WriteNoteProperty(AddinContext& ctx, const ol::ItemPtr& note, std::string_view name,
                       std::string_view value);

// One text property of a note and its value.
struct NoteValue {
  std::string name;
  std::string value;
};
// Writes several text properties of a note with one Save (a document note:
// one CDO message and one Update). The first failure raises and nothing is
// saved; properties added before it may stay on the unsaved item.
void WriteNoteProperties(AddinContext& ctx, const ol::ItemPtr& note,
                         std::span<const NoteValue> values);

// One text property of a note as read: its value, absent (the note has no
// such property), or unknown (reading it failed).
struct NoteRead {
  enum class State { kFound, kAbsent, kFailed };
  State state = State::kFailed;
  std::string value;
  bool found() const { return state == State::kFound; }
  bool absent() const { return state == State::kAbsent; }
};
// One CDO field as read: found, absent (CDO answers a missing field with
// MAPI_E_NOT_FOUND) or failed.
NoteRead ReadCdoField(CdoFields& fields, std::string_view name);
// Reads the note's text properties in order (a document note through its
// CDO message); never raises: what could not be read is kFailed, and a
// property a failed read might have is never reported absent.
std::vector<NoteRead> ReadNoteProperties(AddinContext& ctx, const ol::ItemPtr& note,
                                         std::span<const std::string> names);

// The CDO session for document items: the shared one, or a new one logged on
// to Outlook's session. Raises when CDO is not available; when it is not
// installed, the user is told so once (addin/helper_libraries.h).
std::shared_ptr<CdoSession> CdoSessionFor(AddinContext& ctx);
// False only when CDO is not installed (429); telling the user as above.
bool CdoInstalled(AddinContext& ctx);
// The CDO message of an item (by its EntryID and its folder's StoreID).
std::shared_ptr<CdoMessage> CdoMessageOf(AddinContext& ctx, const ol::ItemPtr& item);
// The value of a CDO field, or nullopt when the message has none.
std::optional<std::string> ReadField(const std::shared_ptr<CdoMessage>& message,
                                     std::string_view name);

}  // namespace pinlet

#endif  // PINLET_STORE_NOTE_PROPERTY_H_
