#include "store/store_subsystems.h"

#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {

void InstallStore(Subsystems& s) {
  s.notes_folder = [](AddinContext& ctx) { return NotesFolder(ctx); };
  s.get_note_form = [](AddinContext& ctx, const std::string& id, ol::ItemPtr note,
                       ol::ItemPtr parent) { return GetNoteForm(ctx, id, note, parent); };
  s.display_note = [](AddinContext& ctx, const std::shared_ptr<NoteWindow>& window) {
    DisplayNote(ctx, window);
  };
  s.parent_item_closed = [](AddinContext& ctx, const std::string& id) {
    ParentItemClosed(ctx, id);
  };
}

}  // namespace pinlet
