// The window manager over real top-level windows of this thread.
#include "platform/win32/win32_window_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
#undef GetWindowText

#include <algorithm>

#include "platform/win32/twips.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class Win32WindowManagerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HWND window : made_) DestroyWindow(window);
  }
  // A new visible top-level window, activated as it is shown.
  WindowHandle Make(const wchar_t* title) {
    HWND window =
        CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    made_.push_back(window);
    ::ShowWindow(window, SW_SHOW);
    return Handle(window);
  }
  static WindowHandle Handle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window));
  }
  // The titles of the windows made here, front to back.
  std::vector<std::string> Order() {
    std::vector<std::string> order;
    for (WindowHandle window : windows.EnumWindows())
      if (std::count(made_.begin(), made_.end(),
                     reinterpret_cast<HWND>(static_cast<intptr_t>(window))))
        order.push_back(windows.GetWindowText(window));
    return order;
  }

  Win32WindowManager windows;
  std::vector<HWND> made_;
};

TEST_F(Win32WindowManagerTest, TheTopMostBandStaysAboveActivation) {
  WindowHandle a = Make(L"A"), b = Make(L"B"), c = Make(L"C");
  EXPECT_EQ(windows.GetActiveWindow(), c);
  EXPECT_THAT(Order(), ElementsAre("C", "B", "A"));
  ASSERT_TRUE(windows.SetTopMost(b, true));
  EXPECT_THAT(Order(), ElementsAre("B", "C", "A"));
  ASSERT_TRUE(windows.SetForegroundWindow(a));
  EXPECT_EQ(windows.GetActiveWindow(), a);
  EXPECT_THAT(Order(), ElementsAre("B", "A", "C"));
  // Back to the normal band, at its top.
  ASSERT_TRUE(windows.SetTopMost(b, false));
  EXPECT_THAT(Order(), ElementsAre("B", "A", "C"));
  ASSERT_TRUE(windows.SetWindowPos(b, hwnd::kBottom, 0, 0, 0, 0,
                                   swp::kNoMove | swp::kNoSize | swp::kNoActivate));
  EXPECT_THAT(Order(), ElementsAre("A", "C", "B"));
}

TEST_F(Win32WindowManagerTest, PlacementIsInTwipsAtTheScreensResolution) {
  WindowHandle a = Make(L"A");
  ASSERT_TRUE(windows.SetWindowPos(a, hwnd::kTop, 1500, 3000, 4500, 6000,
                                   swp::kNoZOrder | swp::kNoActivate));
  RECT pixels;
  ::GetWindowRect(reinterpret_cast<HWND>(static_cast<intptr_t>(a)), &pixels);
  EXPECT_EQ(pixels.left, TwipsToPixelsX(1500));
  EXPECT_EQ(pixels.bottom - pixels.top, TwipsToPixelsY(6000));
  EXPECT_EQ(windows.GetWindowRect(a),
            (Rect{PixelsToTwipsX(pixels.left), PixelsToTwipsY(pixels.top),
                  PixelsToTwipsX(pixels.right - pixels.left),
                  PixelsToTwipsY(pixels.bottom - pixels.top)}));
  // At the usual 96 dots per inch a pixel is 15 twips and these are exact.
  if (TwipsToPixelsX(1440) == 96 && TwipsToPixelsY(1440) == 96) {
    EXPECT_EQ(windows.GetWindowRect(a), (Rect{1500, 3000, 4500, 6000}));
  }
  Rect screen = windows.GetScreenRect();
  EXPECT_GT(screen.width, 0);
  EXPECT_EQ(screen.width, PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN)));
  auto work = windows.GetWorkArea();
  ASSERT_TRUE(work);
  EXPECT_LE(work->height, screen.height);
}

TEST_F(Win32WindowManagerTest, TitlesVisibilityAndShowing) {
  WindowHandle a = Make(L"Notes \x2013 K\x00F6ln");
  EXPECT_EQ(windows.GetWindowText(a), "Notes \xE2\x80\x93 K\xC3\xB6ln");
  EXPECT_TRUE(windows.IsWindowVisible(a));
  EXPECT_TRUE(windows.ShowWindow(a, sw::kHide));  // it was visible
  EXPECT_FALSE(windows.IsWindowVisible(a));
  EXPECT_FALSE(windows.SetForegroundWindow(a));  // hidden
  EXPECT_FALSE(windows.ShowWindow(a, sw::kShowNormal));
  EXPECT_TRUE(windows.IsWindowVisible(a));
  EXPECT_TRUE(ActivateWindowByTitle(windows, "notes \xE2\x80\x93"));
  EXPECT_EQ(windows.GetActiveWindow(), a);
}

TEST_F(Win32WindowManagerTest, AWindowThatIsGoneIsAnsweredAsUnknown) {
  WindowHandle gone = Make(L"Gone");
  DestroyWindow(made_.back());
  made_.pop_back();
  for (WindowHandle window : {gone, WindowHandle{0}}) {
    EXPECT_FALSE(windows.IsWindow(window));
    EXPECT_FALSE(windows.IsWindowVisible(window));
    EXPECT_FALSE(windows.GetWindowRect(window));
    EXPECT_EQ(windows.GetWindowText(window), "");
    EXPECT_FALSE(windows.SetWindowPos(window, hwnd::kTop, 0, 0, 10, 10, 0));
    EXPECT_FALSE(windows.ShowWindow(window, sw::kShow));
    EXPECT_FALSE(windows.SetForegroundWindow(window));
  }
  EXPECT_EQ(windows.GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(windows.GetSysColor(COLOR_INFOBK + 1), 0u);
  EXPECT_EQ(windows.GetSysColor(-1), 0u);
}

}  // namespace
}  // namespace pinlet
