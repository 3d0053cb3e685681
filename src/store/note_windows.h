// The note window registry: every open note window in one list, and the
// operations that obtain, show, find, close and forget them.
//
// A window is keyed by its strID, the EntryID of its note's parent. With the
// option "NotesInOneWindow" all notes share the last window of the list;
// otherwise each parent has its own window. A window enters the list only
// after its first show has finished loading it, and leaves it exactly when it
// unloads or its note is deleted: removal is by window identity, never by
// position, so a window that removed itself never takes another with it.
#ifndef PINLET_STORE_NOTE_WINDOWS_H_
#define PINLET_STORE_NOTE_WINDOWS_H_

#include <memory>
#include <string>

#include "addin/context.h"

namespace pinlet {

// The window for note `note` of item `parent` (key `id`), not yet shown:
// the open window of that key, a new one, or in one-window mode the re-used
// last window. nullptr on failure (reported), and for a new note of an item
// of the notes folder or of one of Outlook's own notes (44), which the user
// is told cannot have one.
std::shared_ptr<NoteWindow> GetNoteForm(AddinContext& ctx, const std::string& id,
                                        ol::ItemPtr note, ol::ItemPtr parent);
// The one-window form of GetNoteForm.
std::shared_ptr<NoteWindow> GetLastNoteForm(AddinContext& ctx, const std::string& id,
                                            ol::ItemPtr note, ol::ItemPtr parent);
// Shows the window; a window not yet in the list is loaded and then appended,
// one already there is brought up (and put back on top when it stays on top).
// A window that closed itself while it loaded is not listed.
void DisplayNote(AddinContext& ctx, const std::shared_ptr<NoteWindow>& window);
// Whether a window with that key is in the list.
bool NoteFormExists(AddinContext& ctx, const std::string& id);
// Unloads the first window with that key and removes it from the list.
void CloseNote(AddinContext& ctx, const std::string& id);
// The item window of `id` closed: the note window that opened it and stays
// on top goes back on top, once.
void ParentItemClosed(AddinContext& ctx, const std::string& id);
// Removes exactly `window` from the list without unloading it.
void RemoveNoteForm(AddinContext& ctx, const NoteWindow* window);
// Keeps a window above normal windows, or returns it to the normal order
// (MakeTopMost, MakeNormal). A failure ends it and is reported with the tag
// "basMainProc(Sub MakeTopMost)" or "basMainProc(Sub MakeNormal)".
void SetTopMost(AddinContext& ctx, WindowHandle window, bool top_most);

}  // namespace pinlet

#endif  // PINLET_STORE_NOTE_WINDOWS_H_
