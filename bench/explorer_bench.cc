// The explorer side against large folders: one selection change, one folder
// switch, one "Add Note" click and one redraw of the bars before the context
// menu opens should each cost about the same with 1 000 and with 100 000
// items in the Inbox and notes in the notes folder. Each is measured as the
// user's action in the simulated Outlook, so the time includes the host's
// own work (firing the events, the calls the add-in makes).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/connect.h"
#include "explorer/bas_explorers.h"
#include "large_mailbox.h"
#include "sim/machine/host_session.h"
#include "store/notes_folder.h"
#include "store/store_subsystems.h"

namespace pinlet {
namespace {

// Outlook with Pinlet on a mailbox whose Inbox holds `items` mails, every
// other one with a note, and whose notes folder holds `items` notes (half of
// them for items elsewhere).
struct Fixture {
  explicit Fixture(int items) {
    session = StartPinlet(world, addin, [](Subsystems& s) { InstallExplorer(s); });
    AddinContext& ctx = addin->context();
    inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    sent = world.store.default_store()->defaults.at(ol::kFolderSentMail);
    AddMailsAndNotes(world, ctx, *inbox, items);
    window = session->outlook()->explorers().front();
  }
  // Item `i` of the Inbox spread over the folder, first to last.
  std::shared_ptr<sim::ItemNode> Spread(size_t i) {
    return inbox->items[(i * 7919) % inbox->items.size()];
  }

  sim::World world;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
  sim::FolderNode* inbox = nullptr;
  sim::FolderNode* sent = nullptr;
  std::shared_ptr<sim::SimExplorer> window;
};

void BM_SelectionChange(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  size_t i = 0;
  for (auto _ : state) f.window->Select({f.Spread(i++)});
}

void BM_FolderSwitch(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  bool to_inbox = false;
  for (auto _ : state) {
    f.window->SwitchFolder(to_inbox ? f.inbox : f.sent);
    to_inbox = !to_inbox;
  }
}

void BM_AddNoteClick(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.window->Select({f.inbox->items[1]});  // an item without a note
  auto button = f.window->command_bars()->FindByCaption("Add Note", "Pinlet ToolBar");
  auto& windows = *f.addin->context().note_windows;
  for (auto _ : state) {
    f.window->command_bars()->Click(button);
    windows.clear();  // the window closes again
  }
}

void BM_ContextMenuUpdate(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.window->Select({f.inbox->items[0]});
  for (auto _ : state) f.window->command_bars()->Update();
}

BENCHMARK(BM_SelectionChange)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FolderSwitch)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddNoteClick)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContextMenuUpdate)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pinlet
