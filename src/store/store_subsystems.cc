#include "store/store_subsystems.h"

#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {

namespace {

class StoreSubsystem : public Subsystems::Store {
 public:
  ol::FolderPtr NotesFolder(AddinContext& ctx) override { return pinlet::NotesFolder(ctx); }
  std::shared_ptr<NoteWindow> GetNoteForm(AddinContext& ctx, const std::string& id,
                                          ol::ItemPtr note, ol::ItemPtr parent) override {
    return pinlet::GetNoteForm(ctx, id, std::move(note), std::move(parent));
  }
  void DisplayNote(AddinContext& ctx, const std::shared_ptr<NoteWindow>& window) override {
    pinlet::DisplayNote(ctx, window);
  }
  void ParentItemClosed(AddinContext& ctx, const std::string& id) override {
    pinlet::ParentItemClosed(ctx, id);
  }
};

}  // namespace

void InstallStore(Subsystems& s) { s.store = std::make_shared<StoreSubsystem>(); }

}  // namespace pinlet
