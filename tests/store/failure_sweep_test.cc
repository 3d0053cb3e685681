// The whole store flow — start, a new note, marking, the filter, shut-down —
// with each of its host calls failing in turn: nothing may escape to the host,
// crash, or link two notes to one item.
#include "addin/settings.h"
#include "store/filter_view.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

// One run of the flow on a fresh simulated Outlook.
class FlowRun : public StoreTest {
 public:
  void TestBody() override {}
  using StoreTest::SetUp;
  using StoreTest::world;

  // Runs the flow, making the `fail_at`-th host call fail (none for 0);
  // returns the calls it made.
  int64_t Flow(int64_t fail_at) {
    WriteText(world.registry, kNoteKey, "MarkWithFlag", "1");
    if (fail_at > 0) world.faults.FailCall(world.faults.call_count() + fail_at);
    int64_t before = world.faults.call_count();
    Start();
    if (addin->context().note_windows) {
      auto mail =
          sim::WrapItem(&world, world.store.default_store()->defaults[6]->items[1]);
      NewNote made = AddNewNoteItem(ctx(), mail);
      SetParentItemProperties(ctx(), mail, true);
      auto explorer = session->outlook()->explorers().front();
      Filter_On(ctx(), explorer);
      Filter_Off(ctx(), explorer);
      SetParentItemProperties(ctx(), mail, false);
    }
    session->Stop();
    return world.faults.call_count() - before;
  }
};

TEST(FailureSweepTest, EachHostCallFailingInTurn) {
  FlowRun clean;
  clean.SetUp();
  int64_t calls = clean.Flow(0);
  ASSERT_GT(calls, 50);
  for (int64_t n = 1; n <= calls; ++n) {
    FlowRun run;
    run.SetUp();
    run.Flow(n);
    EXPECT_TRUE(run.world.defects().empty()) << "call " << n;
    EXPECT_EQ(run.world.faults.failures_raised(), 1) << "call " << n;
    // However the flow went, no item has two notes.
    for (auto& store : run.world.store.stores()) {
      std::function<void(sim::FolderNode&)> check = [&](sim::FolderNode& folder) {
        if (folder.name == "Pinlet") {
          std::set<std::string> subjects;
          for (auto& item : folder.items)
            if (!item->subject.empty()) {
              EXPECT_TRUE(subjects.insert(item->subject).second) << "call " << n;
            }
        }
        for (auto& child : folder.children) check(*child);
      };
      check(*store->root);
    }
  }
}

}  // namespace
}  // namespace pinlet
