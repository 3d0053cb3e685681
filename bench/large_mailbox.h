// What the benchmarks of the main and item windows share: a note window that
// does nothing but exist, so that a measure is the add-in's part (finding the
// note, obtaining and showing a window), and the filling of an Inbox and the
// notes folder to a given size at the node level.
#ifndef PINLET_BENCH_LARGE_MAILBOX_H_
#define PINLET_BENCH_LARGE_MAILBOX_H_

#include <functional>
#include <memory>
#include <string>

#include "addin/connect.h"
#include "addin/context.h"
#include "addin/note_window.h"
#include "sim/machine/host_session.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/world.h"
#include "store/notes_folder.h"
#include "store/store_subsystems.h"

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

// The note windows of the benchmarks: stand-ins, made and nothing more.
class StandInWindows : public Subsystems::NoteWindows {
 public:
  std::shared_ptr<NoteWindow> Create(AddinContext&) override {
    return std::make_shared<StandInWindow>();
  }
  void DeleteStaleFiles(AddinContext&) override {}
};

// Outlook started with Pinlet on a new mailbox in `world`: the store and what
// `install` adds on it, and note windows that only exist. `addin` is set.
inline std::unique_ptr<sim::HostSession> StartPinlet(
    sim::World& world, std::shared_ptr<Connect>& addin,
    const std::function<void(Subsystems&)>& install) {
  world.store.AddStore("Mailbox", true);
  world.Install("<view/>");
  auto session = std::make_unique<sim::HostSession>(&world, [&addin, install](const Platform& p) {
    Subsystems s;
    InstallStore(s);
    install(s);
    s.note_windows = std::make_shared<StandInWindows>();
    addin = std::make_shared<Connect>(p, s);
    return addin;
  });
  session->Start();
  return session;
}

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
