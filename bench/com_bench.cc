// What crossing COM costs (the Windows build, under Wine or on Windows):
// - one late-bound call: a member called by name through a client of a
//   served object, the DISPID cached for its type (a trivial member, and
//   an item's Subject of the simulated store);
// - Outlook's start-up and shut-down callbacks with Pinlet loaded as the
//   registered COM add-in (pinlet.dll must be registered: regsvr32), beside
//   the same with the add-in linked in.
#include <benchmark/benchmark.h>
#include <objbase.h>

#include <iostream>
#include <sstream>
#include <string>

#include "sim/app/com_loading.h"
#include "sim/app/driver.h"
#include "platform/com/com_outlook.h"
#include "platform/com/late_bound.h"
#include "platform/com/served_object.h"
#include "sim/machine/sample_mailbox.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/world.h"

namespace pinlet {
namespace {

struct Value {
  int32_t number = 7;
};

const com::ServedType<Value>& ValueType() {
  static const com::ServedType<Value> type = [] {
    com::ServedType<Value> t("Value");
    t.Get("Number", [](Value& v, com::ServedCall& call) { call.Return(v.number); });
    return t;
  }();
  return type;
}

void BM_LateBoundCallOfATrivialMember(benchmark::State& state) {
  CoInitialize(nullptr);
  {
    com::ServeAsAnotherModule foreign;
    com::LateBound value(com::Serve(std::make_shared<Value>(), ValueType()), "Value");
    for (auto _ : state) benchmark::DoNotOptimize(value.Long("Number"));
  }
  CoUninitialize();
}
BENCHMARK(BM_LateBoundCallOfATrivialMember);

void BM_LateBoundCallOfAnItemsSubject(benchmark::State& state) {
  CoInitialize(nullptr);
  {
    sim::World world;
    sim::BuildSampleMailbox(world.store, world.clock.now());
    com::ServeAsAnotherModule foreign;
    sim::FolderNode* inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    ol::ItemPtr item = com::MakeClient<ol::Item>(
        com::ToDispatch<ol::Item>(sim::WrapItem(&world, inbox->items.front())));
    for (auto _ : state) benchmark::DoNotOptimize(item->Subject());
  }
  CoUninitialize();
}
BENCHMARK(BM_LateBoundCallOfAnItemsSubject);

// One start of Outlook (OnConnection, OnAddInsUpdate, OnStartupComplete and
// the main window shown) and one stop (OnBeginShutdown, OnDisconnection),
// timed apart.
void StartAndStop(benchmark::State& state, bool com) {
  std::ostringstream out, err;
  app::DriverOptions options;
  options.keep_files = false;
  std::string why;
  if (com) options.loading = app::MakeComLoading(why);
  app::Driver driver(out, err, options);
  std::string error;
  if (!driver.Open(error)) {
    state.SkipWithError(("cannot prepare the machine: " + error).c_str());
    return;
  }
  bool stopping = state.range(0) == 1;
  for (auto _ : state) {
    if (stopping) state.PauseTiming();
    driver.StartHost({}, error);
    if (stopping)
      state.ResumeTiming();
    else
      state.PauseTiming();
    driver.StopHost(error);
    if (!stopping) state.ResumeTiming();
  }
  if (!driver.world().defects().empty())
    state.SkipWithError(driver.world().defects().front().c_str());
  driver.Close(error);
}

void BM_OutlookStartsWithTheComAddin(benchmark::State& state) {
  StartAndStop(state, true);
}
void BM_OutlookStartsWithTheLinkedInAddin(benchmark::State& state) {
  StartAndStop(state, false);
}
// Argument 0 times the start, 1 the stop.
BENCHMARK(BM_OutlookStartsWithTheComAddin)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlookStartsWithTheLinkedInAddin)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pinlet
