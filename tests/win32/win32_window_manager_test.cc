// The window manager over real top-level windows of this thread.
#include "platform/win32/win32_window_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
#undef GetWindowText

#include <vector>

#include "platform/win32/twips.h"

namespace pinlet {
namespace {

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

  Win32WindowManager windows;
  std::vector<HWND> made_;
};

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

TEST_F(Win32WindowManagerTest, TheColoursAreTheSystems) {
  EXPECT_EQ(windows.GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(windows.GetSysColor(COLOR_INFOBK), ::GetSysColor(COLOR_INFOBK));
}

}  // namespace
}  // namespace pinlet
