// A selection change against a notes folder of 1 000 and of 100 000 notes:
// one whose item finds its note by EntryID, one whose item moved and has
// its note relinked (found by its key with one Items.Find), and one whose
// item has no note. Each should take the same number of host calls at both
// sizes (the "host calls" counter) and 1 ms or less; each is measured as the
// user's action in the simulated Outlook, the host's own work included.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/connect.h"
#include "explorer/bas_explorers.h"
#include "large_mailbox.h"
#include "sim/machine/host_session.h"
#include "store/note_link.h"
#include "store/notes_folder.h"
#include "store/store_subsystems.h"

namespace pinlet {
namespace {

// How many items of each kind a measure can select, each once.
constexpr int kPerKind = 400;

struct Fixture {
  explicit Fixture(int notes) {
    session = StartPinlet(world, addin, [](Subsystems& s) { InstallExplorer(s); });
    inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    folder = sim::NodeOf(NotesFolder(addin->context()));
    for (const char* field : {"ZPNHasNote", kKeyProperty})
      inbox->user_fields.push_back(field);
    folder->user_fields.push_back(kKeyProperty);
    // Items whose notes name them; the first kPerKind are measured.
    for (int i = 0; i < notes - kPerKind; ++i) linked.push_back(Mail(i, true));
    // Items that moved: their notes name an EntryID that is no more.
    for (int i = 0; i < kPerKind; ++i) moved.push_back(Mail(i, false));
    for (int i = 0; i < kPerKind; ++i) plain.push_back(Plain(i));
    window = session->outlook()->explorers().front();
  }

  // A mail with its note; `linked`: the note names it, else an EntryID gone.
  std::shared_ptr<sim::ItemNode> Mail(int i, bool linked_by_id) {
    auto mail = world.store.NewItem(*inbox, "IPM.Note");
    mail->subject = "Mail " + std::to_string(i);
    world.store.SaveItem(mail, world.clock.now());
    std::string key = linked_by_id ? mail->entry_id : world.store.NewEntryId();
    mail->user_props = {{"ZPNHasNote", 1, Variant("TRUE")},
                        {kKeyProperty, 1, Variant(key)}};
    auto note = world.store.NewItem(*folder, "IPM.Note");
    note->subject = linked_by_id ? mail->entry_id : key;
    note->user_props = {
        {kKeyProperty, 1, Variant(key)},
        {kStoreIdProperty, 1, Variant(world.store.default_store()->store_id)}};
    world.store.SaveItem(note, world.clock.now());
    return mail;
  }
  std::shared_ptr<sim::ItemNode> Plain(int i) {
    auto mail = world.store.NewItem(*inbox, "IPM.Note");
    mail->subject = "Plain " + std::to_string(i);
    world.store.SaveItem(mail, world.clock.now());
    return mail;
  }

  // Selects each of `items` in turn, from the second; the first warms up.
  void Measure(benchmark::State& state,
               std::vector<std::shared_ptr<sim::ItemNode>>& items) {
    window->Select({items[0]});
    size_t next = 1;
    int64_t calls = 0;
    for (auto _ : state) {
      int64_t before = world.faults.call_count();
      window->Select({items[next++ % items.size()]});
      calls += world.faults.call_count() - before;
    }
    state.counters["host calls"] = benchmark::Counter(static_cast<double>(calls),
                                                      benchmark::Counter::kAvgIterations);
  }

  sim::World world;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
  sim::FolderNode* inbox = nullptr;
  sim::FolderNode* folder = nullptr;
  std::vector<std::shared_ptr<sim::ItemNode>> linked, moved, plain;
  std::shared_ptr<sim::SimExplorer> window;
};

void BM_SelectionFindsNoteByEntryId(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.linked.resize(kPerKind);
  f.Measure(state, f.linked);
}

void BM_SelectionRelinksMovedItem(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.Measure(state, f.moved);
}

void BM_SelectionFindsNoNote(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  f.Measure(state, f.plain);
}

// Each item is relinked once, so no measure selects more items than it has.
BENCHMARK(BM_SelectionFindsNoteByEntryId)
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(kPerKind - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionRelinksMovedItem)
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(kPerKind - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionFindsNoNote)
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(kPerKind - 1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pinlet
