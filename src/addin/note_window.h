// What the rest of the add-in knows of a note window (frmComments): the
// public members the note window registry and the shut-down use.
//
// The window itself lives with the note window code; the registry keeps
// shared pointers to this interface. `strID` is the key of a window: the
// EntryID of the note's parent item as handed to GetNoteForm.
#ifndef PINLET_ADDIN_NOTE_WINDOW_H_
#define PINLET_ADDIN_NOTE_WINDOW_H_

#include <string>

#include "platform/outlook_items.h"
#include "platform/windows.h"

namespace pinlet {

class NoteWindow {
 public:
  virtual ~NoteWindow() = default;

  std::string strID;
  ol::ItemPtr objOriginalNote;  // the note handed in; nullptr for a new note
  ol::ItemPtr objParentItem;
  bool blnOnTop = false;         // kept above other windows
  bool blnParentOpened = false;  // the parent item was opened from this window

  virtual WindowHandle hwnd() = 0;
  // Saves and clears what the window shows and makes it show another note.
  virtual void ClearForm(const std::string& id, ol::ItemPtr note, ol::ItemPtr parent) = 0;
  // Shows the window modeless; the first show loads it.
  virtual void Show() = 0;
  // Unloads the window (saving its note); it stays in no list by itself.
  virtual void Unload() = 0;
  // Whether the window was unloaded: it closed itself while it loaded (a
  // duplicate, or a note that cannot be reached) or later. A closed window
  // is never shown again and belongs in no list.
  virtual bool Closed() { return false; }
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_NOTE_WINDOW_H_
