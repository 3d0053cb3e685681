// Forms as real windows, beyond the forms' contract that every backend
// keeps: geometry in twips, events of the window procedure, modal showing,
// menus, painting, and the firewall of the window procedures.
#include <stdexcept>

#include "form_fixture.h"
#include "platform/win32/twips.h"
#include "window_capture.h"

namespace pinlet::testing {
namespace {

HWND Window(ui::Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }

TEST(Twips, PixelsSurviveTheRoundTrip) {
  for (int32_t pixels = -50; pixels <= 2000; ++pixels) {
    ASSERT_EQ(TwipsToPixelsX(PixelsToTwipsX(pixels)), pixels);
    ASSERT_EQ(TwipsToPixelsY(PixelsToTwipsY(pixels)), pixels);
  }
  EXPECT_EQ(PixelsToTwipsX(TwipsToPixelsX(1440)), 1440);  // an inch
}

// A position set between two pixels reads back as set, so that arithmetic
// on it does not drift; once the window moves otherwise, its pixels count.
TEST_F(FormTest, GeometryReadsBackAsSetUntilTheWindowMovesOtherwise) {
  auto form = NewForm();
  auto label = form->Add<ui::Label>("lbl");
  int32_t odd = PixelsToTwipsY(200) + 7;  // between two pixels
  form->SetTop(odd);
  label->SetTop(odd);
  EXPECT_EQ(form->Top(), odd);
  EXPECT_EQ(label->Top(), odd);
  form->Move(odd, odd, PixelsToTwipsX(300) + 4, PixelsToTwipsY(200) + 4);
  EXPECT_EQ(form->Width(), PixelsToTwipsX(300) + 4);
  SetWindowPos(reinterpret_cast<HWND>(form->hWnd()), nullptr, 10, 20, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(form->Top(), PixelsToTwipsY(20));
  EXPECT_EQ(form->Left(), PixelsToTwipsX(10));
}

TEST_F(FormTest, GeometryIsInTwipsAndControlsSitInTheirContainer) {
  auto form = NewForm();
  int32_t left = PixelsToTwipsX(100), top = PixelsToTwipsY(80);
  int32_t width = PixelsToTwipsX(400), height = PixelsToTwipsY(300);
  form->Move(left, top, width, height);
  EXPECT_EQ(form->Left(), left);
  EXPECT_EQ(form->Top(), top);
  EXPECT_EQ(form->Width(), width);
  EXPECT_EQ(form->Height(), height);
  EXPECT_LT(form->ScaleWidth(), width);                         // without the frame
  EXPECT_LT(form->ScaleHeight(), height - PixelsToTwipsY(10));  // and title bar

  auto picture = form->Add<ui::PictureBox>("picBox");
  picture->Move(PixelsToTwipsX(40), PixelsToTwipsY(30), PixelsToTwipsX(200),
                PixelsToTwipsY(100));
  auto label = form->Add<ui::Label>("lblInside", "picBox");
  label->Move(PixelsToTwipsX(10), PixelsToTwipsY(5), PixelsToTwipsX(50),
              PixelsToTwipsY(20));
  EXPECT_EQ(label->Left(), PixelsToTwipsX(10));
  EXPECT_EQ(label->Top(), PixelsToTwipsY(5));
  picture->SetLeft(PixelsToTwipsX(60));
  EXPECT_EQ(label->Left(), PixelsToTwipsX(10)) << "moves with its container";

  auto frame = form->Add<ui::Frame>("fraBox");
  auto check = form->Add<ui::CheckBox>("chkInside", "fraBox");
  check->SetTop(PixelsToTwipsY(20));
  EXPECT_EQ(check->Top(), PixelsToTwipsY(20));
  EXPECT_EQ(ErrorOf([&] { check->SetWidth(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { form->SetHeight(-1); }), errors::kInvalidPropertyValue);
}

TEST_F(FormTest, ResizeFiresOnAChangeOfSizeAndOnTheFirstShow) {
  auto form = NewForm();
  int resizes = 0;
  auto resize = form->OnResize([&] { ++resizes; });
  form->SetLeft(PixelsToTwipsX(30));
  EXPECT_EQ(resizes, 0) << "a move is no resize";
  form->SetWidth(PixelsToTwipsX(321));
  EXPECT_EQ(resizes, 1);
  form->Show(ui::kModeless);
  EXPECT_EQ(resizes, 2);
  EXPECT_TRUE(form->Visible());
  form->Show(ui::kModeless);
  EXPECT_EQ(resizes, 2);
}

TEST_F(FormTest, ModalShowRunsUntilAHandlerHidesTheForm) {
  auto owner = NewForm("frmOwner");
  owner->Show(ui::kModeless);
  auto form = NewForm("frmDialog");
  auto timer = form->Add<ui::Timer>("tmrClose");
  bool owner_disabled = false;
  auto tick = timer->OnTimer([&] {
    owner_disabled = !IsWindowEnabled(Window(*owner));
    form->Hide();
  });
  timer->SetInterval(30);
  form->Show(ui::kModal);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(Window(*owner))) << "enabled again afterwards";
  // The form hid itself while every other window was disabled, so the
  // system could activate none; the window active before it is active again.
  EXPECT_EQ(GetActiveWindow(), Window(*owner));

  EXPECT_EQ(ErrorOf([&] { owner->Show(ui::kModal); }), errors::kFormAlreadyDisplayed);
}

TEST_F(FormTest, ModalShowEndsWhenTheFormIsUnloaded) {
  auto form = NewForm();
  auto button = form->Add<ui::CommandButton>("cmdOK");
  auto click = button->OnClick([&] { form->Unload(); });
  PostMessageW(reinterpret_cast<HWND>(form->hWnd()), WM_COMMAND,
               MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetWindow(Window(*form), GW_CHILD)));
  form->Show(ui::kModal);
  EXPECT_EQ(ErrorOf([&] { form->Visible(); }), errors::kObjectUnloaded);
}

TEST_F(FormTest, ARaisingHandlerIsStoppedAtTheWindowProcedureAndRecorded) {
  auto form = NewForm();
  auto button = form->Add<ui::CommandButton>("cmdOK");
  int clicks = 0;
  auto raise_host = button->OnClick([] { throw HostError(91, "not set"); });
  auto raise_other = button->OnClick([] { throw std::runtime_error("ours"); });
  auto count = button->OnClick([&] { ++clicks; });
  HWND window = GetWindow(Window(*form), GW_CHILD);
  SendMessageW(window, BM_CLICK, 0, 0);  // the real button notifies the form
  auto defects = TakeDefects();
  ASSERT_EQ(defects.size(), 2u);
  EXPECT_NE(defects[0].find("frmTest.cmdOK_Click"), std::string::npos) << defects[0];
  EXPECT_NE(defects[1].find("ours"), std::string::npos) << defects[1];
  EXPECT_EQ(clicks, 1) << "the other handlers still ran";

  auto box = form->Add<ui::TextBox>("Text");
  auto change = box->OnChange([] { throw std::logic_error("in Change"); });
  box->SetText("set by the code");  // the caller does not see the defect
  EXPECT_EQ(TakeDefects().size(), 1u);
}

TEST_F(FormTest, APictureBoxMeasuresTextInItsFont) {
  auto form = NewForm();
  auto picture = form->Add<ui::PictureBox>("picMeasure");
  int32_t one = picture->TextWidth("W");
  EXPECT_GT(one, 0);
  EXPECT_GT(picture->TextWidth("WW"), one);
  EXPECT_EQ(picture->TextWidth("WW\r\nW"), picture->TextWidth("WW")) << "the widest line";
  EXPECT_EQ(picture->TextHeight("a\r\nb"), 2 * picture->TextHeight("a"));
  std::string words = "several words that wrap when the box is narrow";
  EXPECT_GT(picture->WrappedTextHeight(words, PixelsToTwipsX(60)),
            picture->WrappedTextHeight(words, PixelsToTwipsX(2000)));
  ui::Font big;
  big.name = "Arial";
  big.size = 20;
  picture->SetFont(big);
  EXPECT_EQ(picture->GetFont(), big);
  EXPECT_GT(picture->TextWidth("W"), one);
}

TEST_F(FormTest, APopupMenuFiresTheChosenEntrysClick) {
  auto form = NewForm();
  form->Show(ui::kModeless);
  auto menu = form->Add<ui::Menu>("mnuPopup");
  auto hidden = form->Add<ui::Menu>("mnuHidden", "mnuPopup");
  auto open = form->Add<ui::Menu>("mnuOpen", "mnuPopup");
  hidden->SetVisible(false);
  open->SetCaption("&Open");
  open->SetChecked(true);
  std::vector<std::string> clicked;
  auto on_hidden = hidden->OnClick([&] { clicked.push_back("hidden"); });
  auto on_open = open->OnClick([&] { clicked.push_back("open"); });
  // The menu's own loop takes the keys: the first visible entry, chosen.
  HWND window = Window(*form);
  PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
  form->PopupMenu(menu);
  EXPECT_EQ(clicked, std::vector<std::string>{"open"});
  EXPECT_EQ(ErrorOf([&] { form->PopupMenu(open); }), errors::kInvalidArgument)
      << "an entry is no menu of its own";
}

TEST_F(FormTest, MouseEventsCarryTwipsRelativeToTheControl) {
  auto form = NewForm();
  auto picture = form->Add<ui::PictureBox>("picBar");
  picture->Move(PixelsToTwipsX(20), PixelsToTwipsY(20), PixelsToTwipsX(100),
                PixelsToTwipsY(50));
  auto image = form->Add<ui::Image>("imgButton", "picBar");
  image->Move(PixelsToTwipsX(30), PixelsToTwipsY(10), PixelsToTwipsX(21),
              PixelsToTwipsY(21));
  std::vector<std::string> events;
  auto note = [&](const char* what) {
    return [&events, what](int button, int, int x, int y) {
      events.push_back(std::string(what) + " " + std::to_string(button) + " " +
                       std::to_string(x) + "," + std::to_string(y));
    };
  };
  auto move = image->OnMouseMove(note("move"));
  auto down = image->OnMouseDown(note("down"));
  auto up = image->OnMouseUp(note("up"));
  auto click = image->OnClick([&] { events.push_back("click"); });
  HWND window = GetWindow(GetWindow(Window(*form), GW_CHILD), GW_CHILD);
  LPARAM at = MAKELPARAM(10, 5);
  SendMessageW(window, WM_MOUSEMOVE, 0, at);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
  SendMessageW(window, WM_RBUTTONUP, 0, at);  // no Click without its down
  std::string x = std::to_string(PixelsToTwipsX(10)),
              y = std::to_string(PixelsToTwipsY(5));
  EXPECT_EQ(events,
            (std::vector<std::string>{"move 0 " + x + "," + y, "down 1 " + x + "," + y,
                                      "move 1 " + x + "," + y, "up 1 " + x + "," + y,
                                      "click", "up 2 " + x + "," + y}));
}

TEST_F(FormTest, TheFocusMovesWithLostFocusThenGotFocus) {
  auto form = NewForm();
  auto first = form->Add<ui::TextBox>("txtFirst");
  auto second = form->Add<ui::TextBox>("txtSecond");
  second->SetTop(PixelsToTwipsY(50));
  std::vector<std::string> events;
  auto got_first = first->OnGotFocus([&] { events.push_back("got first"); });
  auto lost_first = first->OnLostFocus([&] { events.push_back("lost first"); });
  auto got_second = second->OnGotFocus([&] { events.push_back("got second"); });
  form->Show(ui::kModeless);
  EXPECT_EQ(events, std::vector<std::string>{"got first"}) << "the first that can";
  second->SetFocus();
  EXPECT_EQ(events, (std::vector<std::string>{"got first", "lost first", "got second"}));
  // Tab goes round the controls that take the focus, into a container.
  auto picture = form->Add<ui::PictureBox>("picTab");
  picture->SetTop(PixelsToTwipsY(100));
  auto third = form->Add<ui::CommandButton>("cmdInside", "picTab");
  auto got_third = third->OnGotFocus([&] { events.push_back("got third"); });
  HWND second_window = GetFocus();
  SendMessageW(second_window, WM_KEYDOWN, VK_TAB, 1);
  SendMessageW(second_window, WM_CHAR, L'\t', 1);
  EXPECT_EQ(events.back(), "got third");
  EXPECT_EQ(second->Text(), "") << "no tab character typed";
  SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_EQ(events.back(), "got first");
  second->SetEnabled(false);
  EXPECT_EQ(ErrorOf([&] { second->SetFocus(); }), errors::kInvalidArgument);
}

TEST_F(FormTest, AControlPaintsInItsColoursThroughItsContainer) {
  auto form = NewForm();
  auto box = form->Add<ui::TextBox>("Text");
  box->SetBackColor(0x123456);
  box->SetForeColor(0x00FF00);
  auto frame = form->Add<ui::Frame>("fraSample");
  auto label = form->Add<ui::Label>("lblInside", "fraSample");
  label->SetBackColor(0xABCDEF);
  HDC dc = GetDC(Window(*form));
  auto brush_colour = [](LRESULT brush) {
    LOGBRUSH description = {};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof description, &description);
    return static_cast<uint32_t>(description.lbColor);
  };
  LRESULT brush =
      SendMessageW(Window(*form), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(WindowOf(*box)));
  EXPECT_EQ(brush_colour(brush), 0x123456u);
  EXPECT_EQ(GetBkColor(dc), 0x123456u);
  EXPECT_EQ(GetTextColor(dc), 0x00FF00u);
  HWND frame_window = GetWindow(WindowOf(*box), GW_HWNDNEXT);
  HWND label_window = GetWindow(frame_window, GW_CHILD);
  brush = SendMessageW(frame_window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(label_window));
  EXPECT_EQ(brush_colour(brush), 0xABCDEFu);
  ReleaseDC(Window(*form), dc);
}

}  // namespace
}  // namespace pinlet::testing

namespace pinlet::testing {
namespace {

// A picture button over a coloured picture box: its magenta pixels show the
// box's colour, its other pixels their own; nothing is left unpainted.
TEST_F(FormTest, AnImageIsTransparentWhereItsPictureIsMagenta) {
  constexpr uint32_t kBox = 0x00C0FFFF;  // pale yellow
  constexpr uint32_t kRed = 0x000000FF;
  ui::FormPtr form = NewForm();
  form->Move(0, 0, 3000, 2000);
  auto box = form->Add<ui::PictureBox>("picBox");
  box->Move(0, 0, 1500, 1000);
  box->SetBackColor(kBox);
  auto image = form->Add<ui::Image>("imgButton", "picBox");
  image->Move(150, 150, 600, 600);
  // 16 x 16: a red square inside a magenta border of 4 pixels.
  Picture face{16, 16, 24, std::vector<uint32_t>(256, kMagenta)};
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) face.pixels[static_cast<size_t>(y) * 16 + x] = kRed;
  image->SetPicture("FACE", face);
  form->Show(ui::kModeless);

  HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(form->hWnd()));
  std::optional<Capture> shot = CaptureWindow(window);
  ASSERT_TRUE(shot);
  EXPECT_EQ(CountColour(shot->image, kRed), 64u);
  EXPECT_EQ(CountColour(shot->image, kMagenta), 0u);
  // The image's own 40 x 40 pixels beyond the red square show the box.
  EXPECT_GE(CountColour(shot->image, kBox), 40u * 40u - 64u);
}

}  // namespace
}  // namespace pinlet::testing

namespace pinlet::testing {
namespace {

// Images overlap as the note's toolbar does: a button made after the strip
// it sits on is drawn over it.
TEST_F(FormTest, AnImageMadeLaterIsDrawnOverTheOnesBefore) {
  constexpr uint32_t kStrip = 0x00808080;
  constexpr uint32_t kButton = 0x00FF0000;  // blue
  ui::FormPtr form = NewForm();
  form->Move(0, 0, 3000, 2000);
  auto strip = form->Add<ui::Image>("imgStrip");
  strip->Move(0, 0, 1500, 300);
  strip->SetPicture("STRIP", Picture{100, 20, 24, std::vector<uint32_t>(2000, kStrip)});
  auto button = form->Add<ui::Image>("imgButton");
  button->Move(150, 0, 300, 300);
  button->SetPicture("BUTTON", Picture{20, 20, 24, std::vector<uint32_t>(400, kButton)});
  form->Show(ui::kModeless);

  std::optional<Capture> shot =
      CaptureWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(form->hWnd())));
  ASSERT_TRUE(shot);
  EXPECT_EQ(CountColour(shot->image, kButton), 400u);
  EXPECT_EQ(CountColour(shot->image, kStrip), 2000u - 400u);
}

}  // namespace
}  // namespace pinlet::testing
