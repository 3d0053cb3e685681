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
#include <string>
#include <string_view>

#include "addin/context.h"

namespace pinlet {

// The message class a note of a parent of class `parent_class` gets
// ("IPM.Note" for a mail, ...); empty for a class that cannot have notes.
std::string NoteMessageClass(int parent_class);

// Writes one text property of a note and saves the note (for a document
// note: sets the CDO field and updates the message). Raises a HostError on
// failure; callers choose their error regime.
void WriteNoteProperty(AddinContext& ctx, const ol::ItemPtr& note, std::string_view name,
                       std::string_view value);

// The CDO session for document items: the shared one, or a new one logged on
// to Outlook's session. Raises when CDO is not available.
std::shared_ptr<CdoSession> CdoSessionFor(AddinContext& ctx);
// The CDO message of an item (by its EntryID and its folder's StoreID).
std::shared_ptr<CdoMessage> CdoMessageOf(AddinContext& ctx, const ol::ItemPtr& item);
// The value of a CDO field, or nullopt when the message has none.
std::optional<std::string> ReadField(const std::shared_ptr<CdoMessage>& message,
                                     std::string_view name);

}  // namespace pinlet

#endif  // PINLET_STORE_NOTE_PROPERTY_H_
