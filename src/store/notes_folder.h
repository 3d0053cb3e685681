// The notes folder: where it is, how it is found again, how it is made.
//
// Notes live as items of a folder named "Pinlet" under the default Notes
// folder. Its EntryID and StoreID are cached under "\folders" at every start;
// when the cache fails the folder is looked for by name, then searched in
// every store (deepest match first, first store wins), and created with its
// fields and view as a last resort. A note's subject is its parent's EntryID,
// which is how a parent's note is found.
#ifndef PINLET_STORE_NOTES_FOLDER_H_
#define PINLET_STORE_NOTES_FOLDER_H_

#include <string>

#include "addin/context.h"

namespace pinlet {

// The notes folder, found or created, with its identifiers cached; nullptr
// only when Outlook fails. Each step runs with errors ignored. A session
// namespace the connection could not take is asked for first
// (ReachNameSpace).
ol::FolderPtr NotesFolder(AddinContext& ctx);
// The first folder named "Pinlet" in all stores, or nullptr.
ol::FolderPtr SearchNotesFolder(AddinContext& ctx);
// The deepest folder named `name` at or below `folder` (subfolders first, in
// order), or nullptr.
ol::FolderPtr CheckFolderName(AddinContext& ctx, const ol::FolderPtr& folder,
                              const std::string& name);
// Creates the notes folder under the default Notes folder with its folder
// fields and its "Pinlet" view; nullptr on failure (reported).
ol::FolderPtr CreatePinletFolder(AddinContext& ctx);

// What looking for an item's note found: its note, that it has none, or
// nothing, because the notes folder could not be asked. Only kAbsent means
// that the item has no note.
enum class NoteLookup { kFound, kAbsent, kUnknown };
struct NoteSearch {
  NoteLookup result = NoteLookup::kUnknown;
  ol::ItemPtr note;  // set when kFound
};

// Looks for the note of the item whose EntryID is `parent_entry_id`. An
// empty EntryID (an item never saved) has no note; otherwise the note is
// absent only when the notes folder answered that it holds none (no item, or
// the host's "not found"). Any other failure leaves the answer unknown.
NoteSearch LookUpNote(AddinContext& ctx, const std::string& parent_entry_id);
// The note of that item, or nullptr when it has none or none could be found.
ol::ItemPtr FindNote(AddinContext& ctx, const std::string& parent_entry_id);

// Writes "ZPNFolder" and "FolderPath" on a note; errors ignored. A document
// note's fields are written only when their value differs.
void SetNoteParentItemFolder(AddinContext& ctx, const ol::ItemPtr& note,
                             const std::string& folder_name,
                             const std::string& folder_path);

// What AddNewNoteItem leaves for its note window.
struct NewNote {
  ol::ItemPtr note;      // the window's note (objMyNote); nullptr when none was made
  ol::ItemPtr new_item;  // the item created (m_objNewItem); nullptr when none was
  bool existed = false;  // the parent had a note already: `note` is that note
  std::string caption;   // "Subject: " and the title, always set
  // The notes folder was there; when it was not, nothing can be stored now.
  bool folder_reached = false;
};

// Creates the note item of a parent (nullptr: a note without parent, which
// stays the window's new item) in the notes folder, linked by the parent's
// EntryID. A parent that already has a note gets that note back, marked
// `existed`, and the created item is not linked or kept. Errors ignored step
// by step; the caption is set whatever failed before it.
NewNote AddNewNoteItem(AddinContext& ctx, const ol::ItemPtr& parent);

}  // namespace pinlet

#endif  // PINLET_STORE_NOTES_FOLDER_H_
