// The item-window side against a large notes folder: opening an item's
// window (and closing it again) should cost about the same with 1 000 and
// with 100 000 notes, for an item with a note ("View Note", and the note
// shown with "ItemOpen" on) and for one without. Each is measured as the
// user's action in the simulated Outlook, so the time includes the host's
// own work (the window's bars, its events, the calls the add-in makes).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "addin/connect.h"
#include "addin/settings.h"
#include "explorer/bas_explorers.h"
#include "inspector/bas_inspectors.h"
#include "large_mailbox.h"
#include "sim/machine/host_session.h"
#include "store/notes_folder.h"
#include "store/store_subsystems.h"

namespace pinlet {
namespace {

// Outlook with Pinlet on a mailbox whose Inbox holds `notes` mails, every
// other one with a note, and whose notes folder holds `notes` notes.
struct Fixture {
  explicit Fixture(int notes) {
    session = StartPinlet(world, addin, [](Subsystems& s) { InstallExplorer(s); InstallInspectors(s); });
    AddinContext& ctx = addin->context();
    inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    AddMailsAndNotes(world, ctx, *inbox, notes);
  }
  // Item `i` of the Inbox spread over the folder; even positions have notes.
  std::shared_ptr<sim::ItemNode> Spread(size_t i, bool with_note) {
    size_t n = inbox->items.size();
    size_t at = ((i * 7919) % n) & ~static_cast<size_t>(1);
    return inbox->items[with_note ? at : (at + 1) % n];
  }
  void OpenAndClose(const std::shared_ptr<sim::ItemNode>& item) {
    sim::SimOutlook& outlook = *session->outlook();
    auto window = outlook.OpenItem(item);
    outlook.CloseInspector(window);
  }

  sim::World world;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
  sim::FolderNode* inbox = nullptr;
};

void BM_OpenItemWithoutNote(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  size_t i = 0;
  for (auto _ : state) f.OpenAndClose(f.Spread(i++, false));
}

void BM_OpenItemWithNote(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  size_t i = 0;
  for (auto _ : state) f.OpenAndClose(f.Spread(i++, true));
}

void BM_OpenItemShowingItsNote(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  WriteText(f.world.registry, kNoteKey, "ItemOpen", "1");
  size_t i = 0;
  for (auto _ : state) f.OpenAndClose(f.Spread(i++, true));
}

BENCHMARK(BM_OpenItemWithoutNote)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenItemWithNote)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenItemShowingItsNote)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pinlet
