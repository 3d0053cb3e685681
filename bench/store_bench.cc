// The note store against large notes folders: finding the notes folder with
// a valid cache and finding a parent's note by its EntryID should cost about
// the same with 1 000 and with 100 000 notes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/context.h"
#include "sim/machine/sim_outlook.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

// A simulated Outlook whose notes folder holds `notes` notes.
struct Fixture {
  explicit Fixture(int notes) {
    world.store.AddStore("Mailbox", true);
    outlook = std::make_shared<sim::SimOutlook>(&world, std::vector<std::string>{});
    ctx = std::make_unique<AddinContext>(world.platform(), Subsystems{});
    ctx->name_space = outlook->GetNameSpace("MAPI");
    world.Install("<view/>");
    sim::FolderNode* folder = sim::NodeOf(NotesFolder(*ctx));
    for (int i = 0; i < notes; ++i) {
      auto note = world.store.NewItem(*folder, "IPM.Note");
      note->subject = world.store.NewEntryId();  // a parent's EntryID
      world.store.SaveItem(note, world.clock.now());
      parents.push_back(note->subject);
    }
  }
  sim::World world;
  std::shared_ptr<sim::SimOutlook> outlook;
  std::unique_ptr<AddinContext> ctx;
  std::vector<std::string> parents;
};

void BM_NotesFolderWithValidCache(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(NotesFolder(*f.ctx));
}

void BM_FindNoteByParentEntryId(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  size_t i = 0;
  for (auto _ : state) {
    // Spread over the folder, first to last.
    const std::string& parent = f.parents[(i++ * 7919) % f.parents.size()];
    benchmark::DoNotOptimize(FindNote(*f.ctx, parent));
  }
}

void BM_FindNoteOfAnItemWithoutNote(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  std::string missing = f.world.store.NewEntryId();
  for (auto _ : state) benchmark::DoNotOptimize(FindNote(*f.ctx, missing));
}

BENCHMARK(BM_NotesFolderWithValidCache)->Arg(1000)->Arg(100000);
BENCHMARK(BM_FindNoteByParentEntryId)->Arg(1000)->Arg(100000);
BENCHMARK(BM_FindNoteOfAnItemWithoutNote)->Arg(1000)->Arg(100000);

}  // namespace
}  // namespace pinlet
