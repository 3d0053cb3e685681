// What the benchmarks of the main and item windows share: a note window that
// does nothing but exist, so that a measure is the add-in's part (finding the
// note, obtaining and showing a window), and the filling of an Inbox and the
// notes folder to a given size at the node level.
#ifndef PINLET_BENCH_LARGE_MAILBOX_H_
#define PINLET_BENCH_LARGE_MAILBOX_H_

#include <memory>
#include <string>

#include "addin/context.h"
#include "addin/note_window.h"
#include "platform/sim/sim_outlook.h"
#include "platform/sim/world.h"
#include "store/notes_folder.h"

namespace pinlet {

class StandInWindow : public NoteWindow {
 public:
  WindowHandle hwnd() override { return 0; }
  void ClearForm(const std::string& id, ol::ItemPtr note, ol::ItemPtr parent) override {
    strID = id;
    objOriginalNote = std::move(note);
    objParentItem = std::move(parent);
  }
  void Show() override {}
  void Unload() override {}
};

// Puts `count` mails into `inbox` and `count` notes into the notes folder:
// every other mail has its note, the other notes belong to items elsewhere.
inline void AddMailsAndNotes(sim::World& world, AddinContext& ctx, sim::FolderNode& inbox,
                             int count) {
  sim::FolderNode* notes = sim::NodeOf(NotesFolder(ctx));
  for (int i = 0; i < count; ++i) {
    auto mail = world.store.NewItem(inbox, "IPM.Note");
    mail->subject = "Mail " + std::to_string(i);
    world.store.SaveItem(mail, world.clock.now());
    auto note = world.store.NewItem(*notes, "IPM.StickyNote");
    note->subject = i % 2 == 0 ? mail->entry_id : world.store.NewEntryId();
    world.store.SaveItem(note, world.clock.now());
  }
}

}  // namespace pinlet

#endif  // PINLET_BENCH_LARGE_MAILBOX_H_
