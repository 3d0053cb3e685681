// Loading and saving the files the pinlet command keeps: a mailbox of about
// 100 MB and a registry of about 10 MB. Besides the time, each benchmark
// reports the file's size and the peak memory the load or save added to the
// process (the high-water mark of its resident memory, reset before each
// iteration through /proc/self/clear_refs), both in MB. Linux and glibc only,
// like the rest of the simulated host's real-file code.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "sim/machine/mailbox_json.h"
#include "sim/machine/sim_registry.h"

namespace pinlet::sim {
namespace {

// The process's resident memory now and at its peak since the last reset, in kB.
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0)
      return std::stol(line.substr(std::string(field).size()));
  return 0;
}

// Resets the peak to the current resident memory; returns that memory in kB.
// Memory freed earlier goes back to the system first, so that it neither hides
// nor inflates what the measured work allocates.
long ResetPeak() {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusKb("VmRSS:");
}

std::string BenchPath(const char* name) {
  return std::filesystem::temp_directory_path() / (std::string("pinlet_bench_") + name);
}

double FileMb(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}

// A mailbox of ordinary mail: a few folders of items with a body, user
// properties, MAPI properties, and an attachment on every twentieth item.
std::unique_ptr<MailStore> BuildMailbox(size_t target_bytes) {
  auto store = std::make_unique<MailStore>();
  StoreNode& mailbox = store->AddStore("Mailbox", true);
  const std::string body(420, 'b');
  size_t bytes = 0;
  for (int n = 0; bytes < target_bytes; ++n) {
    FolderNode& folder = *mailbox.defaults[n % 3 == 0 ? 6 : n % 3 == 1 ? 5 : 12];
    auto item = store->NewItem(folder, "IPM.Note");
    item->subject =
        "Re: quarterly figures for the northern region, item " + std::to_string(n);
    item->members["Body"] = Variant(body);
    item->members["SenderName"] = Variant("Ravi Menon");
    item->user_props.push_back({"ZPNHasNote", 1, Variant("TRUE")});
    item->user_props.push_back({"Count", 3, Variant(int32_t{n})});
    item->mapi_props[0x10900003] = Variant(int32_t{2});
    if (n % 20 == 0) item->attachments.push_back({"report.txt", std::string(2048, 'r')});
    store->SaveItem(item, Date(46000.5 + n / 86400.0));
    bytes += 1140 + (n % 20 == 0 ? 4200 : 0);  // about what one item takes in the file
  }
  return store;
}

const std::string& MailboxFile() {
  static const std::string path = [] {
    std::string p = BenchPath("mailbox.json"), error;
    if (!SaveMailbox(*BuildMailbox(100u << 20), p, &error))
      std::fprintf(stderr, "%s\n", error.c_str());
    return p;
  }();
  return path;
}

// A registry of ten thousand keys under the add-in's branch, with text, DWORD
// and binary values, and one key 512 levels deep.
const std::string& RegistryFile() {
  static const std::string path = [] {
    SimRegistry reg;
    size_t bytes = 0;
    for (int k = 0; bytes < (10u << 20); ++k) {
      const std::string key = "Software\\Zarvo\\Pinlet\\folders\\" + std::to_string(k);
      for (int v = 0; v < 10; ++v) {
        const std::string name = "00000000A1B2C3D4E5F60718293A4B5C07" + std::to_string(v);
        reg.SetValue(key, name,
                     RegValue::Text("Items with Notes, the view of folder " + key));
        reg.SetValue(key, "Flag" + std::to_string(v),
                     RegValue::Dword(static_cast<uint32_t>(v)));
      }
      reg.SetValue(key, "Face", {kRegBinary, std::string(64, '\x5a')});
      bytes += 1020 + 2 * key.size() * 10;
    }
    std::string deep = "Deep";
    for (size_t i = 1; i < SimRegistry::kMaxDepth; ++i) deep += "\\L";
    reg.SetValue(deep, "Bottom", RegValue::Text("512 levels"));
    std::string p = BenchPath("registry.reg"), error;
    if (!reg.Save(p, &error)) std::fprintf(stderr, "%s\n", error.c_str());
    return p;
  }();
  return path;
}

void Report(benchmark::State& state, const std::string& path, long peak_kb) {
  state.counters["file_MB"] = FileMb(path);
  state.counters["peak_MB"] = static_cast<double>(peak_kb) / 1024;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_LoadMailbox(benchmark::State& state) {
  const std::string& path = MailboxFile();
  long peak = 0;
  for (auto _ : state) {
    const long before = ResetPeak();
    {
      MailStore store;
      std::string error;
      if (!LoadMailbox(path, store, &error)) state.SkipWithError(error.c_str());
      peak = std::max(peak, StatusKb("VmHWM:") - before);
    }
  }
  Report(state, path, peak);
}

void BM_SaveMailbox(benchmark::State& state) {
  MailStore store;
  std::string error;
  if (!LoadMailbox(MailboxFile(), store, &error)) state.SkipWithError(error.c_str());
  const std::string path = BenchPath("mailbox-saved.json");
  long peak = 0;
  for (auto _ : state) {
    const long before = ResetPeak();
    if (!SaveMailbox(store, path, &error)) state.SkipWithError(error.c_str());
    peak = std::max(peak, StatusKb("VmHWM:") - before);
  }
  Report(state, path, peak);
}

void BM_LoadRegistry(benchmark::State& state) {
  const std::string& path = RegistryFile();
  long peak = 0;
  for (auto _ : state) {
    const long before = ResetPeak();
    {
      SimRegistry reg;
      std::string error;
      if (!reg.Load(path, &error)) state.SkipWithError(error.c_str());
      peak = std::max(peak, StatusKb("VmHWM:") - before);
    }
  }
  Report(state, path, peak);
}

void BM_SaveRegistry(benchmark::State& state) {
  SimRegistry reg;
  std::string error;
  if (!reg.Load(RegistryFile(), &error)) state.SkipWithError(error.c_str());
  const std::string path = BenchPath("registry-saved.reg");
  long peak = 0;
  for (auto _ : state) {
    const long before = ResetPeak();
    if (!reg.Save(path, &error)) state.SkipWithError(error.c_str());
    peak = std::max(peak, StatusKb("VmHWM:") - before);
  }
  Report(state, path, peak);
}

BENCHMARK(BM_LoadMailbox)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveMailbox)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadRegistry)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveRegistry)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace pinlet::sim
