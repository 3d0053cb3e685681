// What the assembled add-in publishes of its windows to a host that drives
// it as a user would (the pinlet command, a test host in the DLL's process):
// which form is one of its note windows and what only the add-in knows of
// it, and how far each main window is set up. A host reads the add-in
// through these, never through the classes behind them. Reading calls
// nothing of the host's.
#ifndef PINLET_ASSEMBLY_PUBLISHED_STATE_H_
#define PINLET_ASSEMBLY_PUBLISHED_STATE_H_

#include <optional>
#include <string>
#include <vector>

#include "addin/connect.h"
#include "notewindow/note_window_report.h"
#include "platform/outlook_app.h"
#include "platform/ui.h"
#include "platform/windows.h"

namespace pinlet::assembly {

// One note window of the add-in's.
struct NoteWindowFacts {
  std::string kind;      // ", a new note" or ", the item's note"
  bool editing = false;  // in the edit state, not the view state
  std::string key;       // the parent item's EntryID the window was opened for
  ol::ItemPtr note;      // the note item shown; nullptr before it is made
};

// The facts of `addin`'s note window over the form window `form`; nullopt
// when the add-in has no note window there (or is not connected).
std::optional<NoteWindowFacts> NoteWindowFactsOf(Connect& addin, WindowHandle form);

// The note window over `form` as text (note_window_report.h), with the
// add-in's own lines when the form is one of `addin`'s note windows.
std::string DescribeNoteWindowOf(Connect* addin, ui::Form& form,
                                 const NoteWindowPlace& place);

// One main window the add-in tracks.
struct ExplorerFacts {
  int id = 0;
  ol::ExplorerPtr explorer;
  bool active = false;  // the explorer the add-in takes as the active one
  bool toolbar_built = false;
  bool menus_added = false;
};

// The main windows that `addin` tracks, in the order it met them; nullopt
// when its explorer side is not running.
std::optional<std::vector<ExplorerFacts>> ExplorerFactsOf(Connect& addin);

}  // namespace pinlet::assembly

#endif  // PINLET_ASSEMBLY_PUBLISHED_STATE_H_
