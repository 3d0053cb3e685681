// What the real forms cost (the Windows build, under Wine or on Windows):
// - a keystroke into a note of 100 KB, in the form's text box (the EDIT
//   control with its change handler reading the caret, as the note window's
//   does), beside a bare EDIT of the same text: the control's own cost;
// - a form of 21 controls of every kind made, shown and unloaded.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <string>

#include "platform/ui_controls.h"
#include "platform/win32ui/win32_form_factory.h"

namespace pinlet {
namespace {

std::string LargeText(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "A line of a long note, typed over many days.\r\n";
  text.resize(bytes);
  return text;
}

constexpr size_t kNoteBytes = 100 * 1024;

// Types one character and takes it back, so that the text stays 100 KB.
void TypeAndTakeBack(benchmark::State& state, HWND edit) {
  for (auto _ : state) {
    SendMessageW(edit, WM_CHAR, L'x', 1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  }
  state.SetItemsProcessed(state.iterations() * 2);  // keystrokes
}

void BM_KeystrokeIntoAHundredKilobyteNote(benchmark::State& state) {
  Win32FormFactory factory;
  ui::FormPtr form = factory.CreateForm("frmComments");
  auto box = form->Add<ui::TextBox>("Text");
  box->SetMultiLine(true);
  box->Move(0, 0, 6000, 4000);
  form->Show(ui::kModeless);
  box->SetText(LargeText(kNoteBytes));
  box->SetSelStart(kNoteBytes / 2);
  int32_t caret = 0;
  auto change = box->OnChange([&] { caret = box->SelStart(); });
  TypeAndTakeBack(state, reinterpret_cast<HWND>(box->hWnd()));
  if (caret != static_cast<int32_t>(kNoteBytes / 2))
    state.SkipWithError("lost the caret");
  form->Unload();
}
BENCHMARK(BM_KeystrokeIntoAHundredKilobyteNote);

void BM_KeystrokeIntoABareEditOfAHundredKilobytes(benchmark::State& state) {
  HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"",
      WS_POPUP | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
      0, 0, 400, 267, nullptr, nullptr, nullptr, nullptr);
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  SetWindowTextA(edit, LargeText(kNoteBytes).c_str());
  SendMessageW(edit, EM_SETSEL, kNoteBytes / 2, kNoteBytes / 2);
  TypeAndTakeBack(state, edit);
  DestroyWindow(edit);
}
BENCHMARK(BM_KeystrokeIntoABareEditOfAHundredKilobytes);

void BM_FormOfTwentyOneControlsMadeShownAndUnloaded(benchmark::State& state) {
  Win32FormFactory factory;
  for (auto _ : state) {
    ui::FormPtr form = factory.CreateForm("frmFigures");
    form->SetCaption("Figures");
    auto tabs = form->Add<ui::TabStrip>("TabStrip1");
    tabs->AddTab("One");
    tabs->AddTab("Two");
    form->Add<ui::PictureBox>("PicTab(0)");
    form->Add<ui::Frame>("fraSample", "PicTab(0)");
    form->Add<ui::TextBox>("txtFont", "fraSample")->SetText("Sample");
    for (int n = 0; n < 4; ++n) {
      std::string k = std::to_string(n);
      form->Add<ui::Label>("lbl" + k)->SetCaption("Label " + k);
      form->Add<ui::CheckBox>("chk" + k)->SetCaption("Check " + k);
      form->Add<ui::CommandButton>("cmd" + k)->SetCaption("Button " + k);
    }
    auto combo = form->Add<ui::ComboBox>("cboColors");
    combo->AddItem("Yellow", "YELLOW");
    combo->AddItem("Blue", "BLUE");
    form->Add<ui::ListBox>("lstItems")->AddItem("entry", -1);
    form->Add<ui::Image>("imgFace");
    form->Add<ui::Calendar>("Calendar1");
    form->Add<ui::Timer>("Timer1");
    form->Show(ui::kModeless);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    form->Unload();
  }
}
BENCHMARK(BM_FormOfTwentyOneControlsMadeShownAndUnloaded)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pinlet
