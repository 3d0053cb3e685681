// What a picture of the screen costs: one note window, and the whole screen
// with Outlook's main window and ten note windows over it, all the add-in's
// own windows opened through the pinlet command. Writing the PNG file is
// measured apart, since the drawing is what the renderer does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>

#include "sim/app/driver.h"
#include "sim/app/pictures.h"
#include "sim/machine/sim_form.h"
#include "platform/ui_controls.h"

namespace {

using namespace pinlet;

// Outlook with the add-in, and `notes` note windows on the Inbox's first
// mails, each with a few lines typed.
struct Desktop {
  explicit Desktop(int notes) {
    std::string error;
    if (!driver.Open(error)) throw std::runtime_error(error);
    std::string script = "start\n";
    for (int i = 1; i <= notes; ++i)
      script +=
          "note open Inbox " + std::to_string(i) +
          "\nnote type \"Bring the figures for the third quarter.\"\nnote key Enter\n"
          "note type \"Ask Ravi about the travel budget before Thursday.\"\n";
    std::istringstream in(script);
    if (driver.RunScript(in, "bench") != 0) throw std::runtime_error(err.str());
  }
  std::ostringstream out, err;
  app::Driver driver{out, err, {}};
};

void BM_OneNoteWindow(benchmark::State& state) {
  Desktop desktop(1);
  sim::SimForm* form = desktop.driver.world().ui.FindForm("frmComments");
  for (auto _ : state) benchmark::DoNotOptimize(app::ScreenRenderer().Form(form->Look()));
}
BENCHMARK(BM_OneNoteWindow)->Unit(benchmark::kMillisecond);

// A note window whose text runs far past its box: the drawing lays out only
// what the box shows, so it costs about the same at 100 KB and at 1 MB.
void BM_NoteWindowWithLongText(benchmark::State& state) {
  Desktop desktop(1);
  sim::SimForm* form = desktop.driver.world().ui.FindForm("frmComments");
  auto* text = dynamic_cast<ui::TextBox*>(form->Find("Text")->AsControl());
  std::string words;
  while (words.size() < static_cast<size_t>(state.range(0)) * 1024)
    words += "Bring the figures for the third quarter. ";
  text->SetText(words);
  for (auto _ : state) benchmark::DoNotOptimize(app::ScreenRenderer().Form(form->Look()));
  state.SetLabel(std::to_string(state.range(0)) + " KB");
}
BENCHMARK(BM_NoteWindowWithLongText)->Arg(100)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_ScreenWithTenNoteWindows(benchmark::State& state) {
  Desktop desktop(10);
  for (auto _ : state)
    benchmark::DoNotOptimize(app::ScreenRenderer().Screen(desktop.driver.world()));
}
BENCHMARK(BM_ScreenWithTenNoteWindows)->Unit(benchmark::kMillisecond);

void BM_ScreenAsPngFile(benchmark::State& state) {
  Desktop desktop(10);
  render::Image image = app::ScreenRenderer().Screen(desktop.driver.world());
  std::string path = "/tmp/pinlet_render_bench.png";
  std::string error;
  for (auto _ : state) benchmark::DoNotOptimize(image.WritePng(path, error));
  std::remove(path.c_str());
}
BENCHMARK(BM_ScreenAsPngFile)->Unit(benchmark::kMillisecond);

}  // namespace
