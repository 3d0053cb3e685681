// What the forms cost: a keystroke into a large note, and a form of about
// twenty controls made and shown. The figures are printed; the bounds
// only catch a cost grown out of all proportion.
#include <cstdio>
#include <string>

#include "form_fixture.h"

namespace pinlet::testing {
namespace {

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string LargeText(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "A line of a long note, typed over many days.\r\n";
  text.resize(bytes);
  return text;
}

TEST_F(FormTest, FiguresAKeystrokeIntoAHundredKilobyteNote) {
  constexpr int kKeys = 50;
  auto form = NewForm();
  auto box = form->Add<ui::TextBox>("Text");
  box->Move(0, 0, 6000, 4000);
  form->Show(ui::kModeless);
  double set_start = Now();
  box->SetText(LargeText(100 * 1024));
  std::printf("setting 100 KB: %.1f ms\n", (Now() - set_start) * 1e3);
  int changes = 0;
  int32_t caret = 0;
  auto change = box->OnChange([&] {
    ++changes;
    caret = box->SelStart();  // as the note window's handler reads the box
  });
  HWND window = WindowOf(*box);
  box->SetSelStart(50 * 1024);

  // A bare EDIT of the same styles, size, font and text beside it: the
  // control's own cost. The two take turns, so that the machine's load
  // weighs on both alike.
  RECT place = {};
  GetWindowRect(window, &place);
  HWND bare = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
      0, 0, place.right - place.left, place.bottom - place.top,
      reinterpret_cast<HWND>(form->hWnd()), nullptr, nullptr, nullptr);
  SendMessageW(bare, WM_SETFONT, SendMessageW(window, WM_GETFONT, 0, 0), FALSE);
  SendMessageW(bare, EM_LIMITTEXT, 0, 0);
  SetWindowTextA(bare, LargeText(100 * 1024).c_str());
  SendMessageW(bare, EM_SETSEL, 50 * 1024, 50 * 1024);
  double ours = 0, theirs = 0;
  for (int i = 0; i < kKeys; ++i) {
    double start = Now();
    SendMessageW(window, WM_CHAR, L'x', 1);
    double middle = Now();
    SendMessageW(bare, WM_CHAR, L'x', 1);
    ours += middle - start;
    theirs += Now() - middle;
  }
  DestroyWindow(bare);
  double per_key = ours / kKeys, bare_per_key = theirs / kKeys;

  std::printf("keystroke into 100 KB: %.1f us (a bare EDIT: %.1f us)\n", per_key * 1e6,
              bare_per_key * 1e6);
  EXPECT_EQ(changes, kKeys);
  EXPECT_EQ(caret, 50 * 1024 + kKeys);
  EXPECT_LT(per_key, 0.05);
}

TEST_F(FormTest, FiguresAFormOfTwentyControlsMadeAndShown) {
  constexpr int kForms = 20;
  double start = Now(), showing = 0;
  for (int i = 0; i < kForms; ++i) {
    auto form = NewForm("frmFigures");
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
    ASSERT_GE(form->Controls().size(), 20u);
    double shown = Now();
    form->Show(ui::kModeless);
    Pump(0);
    showing += Now() - shown;
    form->Unload();
  }
  double per_form = (Now() - start) / kForms;
  std::printf(
      "a form of 21 controls made, shown and unloaded: %.2f ms (showing %.2f ms)\n",
      per_form * 1e3, showing / kForms * 1e3);
  EXPECT_LT(per_form, 1.0);
}

}  // namespace
}  // namespace pinlet::testing
