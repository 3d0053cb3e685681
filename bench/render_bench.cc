// What a picture of the screen costs: one note window, and the whole screen
// with Outlook's main window and ten note windows over it. Writing the PNG
// file is measured apart, since the drawing is what the renderer does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "note_window_form.h"
#include "platform/sim/sample_mailbox.h"
#include "platform/sim/sim_form.h"
#include "platform/sim/sim_outlook.h"
#include "render/renderer.h"

namespace {

using namespace pinlet;

const render::Renderer& Shared() {
  static const render::Renderer renderer(
      {[](std::string_view key) { return LoadResPicture(key); }, nullptr});
  return renderer;
}

void BM_OneNoteWindow(benchmark::State& state) {
  sim::World world;
  ui::FormPtr form = bench::BuildNoteWindow(world, 1500, 1500);
  auto& sim_form = static_cast<sim::SimForm&>(*form);
  for (auto _ : state) benchmark::DoNotOptimize(Shared().Form(sim_form.Look()));
}
BENCHMARK(BM_OneNoteWindow)->Unit(benchmark::kMillisecond);

struct Desktop {
  Desktop()
      : outlook(std::make_shared<sim::SimOutlook>(&world, std::vector<std::string>{})) {
    sim::BuildSampleMailbox(world.store, world.clock.now());
    explorer = outlook->OpenExplorer();
    for (int i = 0; i < 10; ++i)
      notes.push_back(bench::BuildNoteWindow(world, 3000 + 600 * i, 300 + 450 * i));
  }
  sim::World world;
  std::shared_ptr<sim::SimOutlook> outlook;
  std::shared_ptr<sim::SimExplorer> explorer;
  std::vector<ui::FormPtr> notes;
};

void BM_ScreenWithTenNoteWindows(benchmark::State& state) {
  Desktop desktop;
  for (auto _ : state) benchmark::DoNotOptimize(Shared().Screen(desktop.world));
}
BENCHMARK(BM_ScreenWithTenNoteWindows)->Unit(benchmark::kMillisecond);

void BM_ScreenAsPngFile(benchmark::State& state) {
  Desktop desktop;
  render::Image image = Shared().Screen(desktop.world);
  std::string path = "/tmp/pinlet_render_bench.png";
  std::string error;
  for (auto _ : state) benchmark::DoNotOptimize(image.WritePng(path, error));
  std::remove(path.c_str());
}
BENCHMARK(BM_ScreenAsPngFile)->Unit(benchmark::kMillisecond);

}  // namespace
