// The contract of WindowManager (platform/windows.h), one suite for every
// backend. A backend is a type with
//   WindowManager& windows();
//   WindowHandle Make(const std::string& title);  // a new top-level window,
//                                                  // shown and activated
//   void Destroy(WindowHandle window);             // closes one it made
// instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, WindowManagerContract, Backend).
#ifndef PINLET_TESTS_CONTRACT_WINDOW_MANAGER_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_WINDOW_MANAGER_CONTRACT_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace pinlet::contract {

template <typename Backend>
class WindowManagerContract : public ::testing::Test {
 protected:
  WindowManager& windows() { return backend_.windows(); }
  WindowHandle Make(const std::string& title) {
    WindowHandle window = backend_.Make(title);
    made_.push_back(window);
    return window;
  }
  void Destroy(WindowHandle window) {
    backend_.Destroy(window);
    made_.erase(std::find(made_.begin(), made_.end(), window));
  }
  // The titles of the windows made here, front to back.
  std::vector<std::string> Order() {
    std::vector<std::string> order;
    for (WindowHandle window : windows().EnumWindows())
      if (std::count(made_.begin(), made_.end(), window))
        order.push_back(windows().GetWindowText(window));
    return order;
  }

 private:
  Backend backend_;
  std::vector<WindowHandle> made_;
};

TYPED_TEST_SUITE_P(WindowManagerContract);

TYPED_TEST_P(WindowManagerContract, TheTopMostBandStaysAboveActivation) {
  WindowManager& windows = this->windows();
  WindowHandle a = this->Make("A"), b = this->Make("B"), c = this->Make("C");
  EXPECT_EQ(windows.GetActiveWindow(), c);
  EXPECT_THAT(this->Order(), ::testing::ElementsAre("C", "B", "A"));
  ASSERT_TRUE(windows.SetTopMost(b, true));
  EXPECT_THAT(this->Order(), ::testing::ElementsAre("B", "C", "A"));
  ASSERT_TRUE(windows.SetForegroundWindow(a));
  EXPECT_EQ(windows.GetActiveWindow(), a);
  EXPECT_THAT(this->Order(), ::testing::ElementsAre("B", "A", "C"));
  // Back to the normal band, at its top.
  ASSERT_TRUE(windows.SetTopMost(b, false));
  EXPECT_THAT(this->Order(), ::testing::ElementsAre("B", "A", "C"));
  ASSERT_TRUE(windows.SetWindowPos(b, hwnd::kBottom, 0, 0, 0, 0,
                                   swp::kNoMove | swp::kNoSize | swp::kNoActivate));
  EXPECT_THAT(this->Order(), ::testing::ElementsAre("A", "C", "B"));
}

TYPED_TEST_P(WindowManagerContract, TitlesVisibilityAndShowing) {
  WindowManager& windows = this->windows();
  WindowHandle a = this->Make("Notes \xE2\x80\x93 K\xC3\xB6ln");  // Notes – Köln
  this->Make("Other");
  EXPECT_EQ(windows.GetWindowText(a), "Notes \xE2\x80\x93 K\xC3\xB6ln");
  EXPECT_TRUE(windows.IsWindow(a));
  EXPECT_TRUE(windows.IsWindowVisible(a));
  EXPECT_TRUE(windows.ShowWindow(a, sw::kHide));  // it was visible
  EXPECT_FALSE(windows.IsWindowVisible(a));
  EXPECT_FALSE(windows.SetForegroundWindow(a));  // hidden
  EXPECT_FALSE(windows.ShowWindow(a, sw::kShowNormal));
  EXPECT_TRUE(windows.IsWindowVisible(a));
  EXPECT_TRUE(ActivateWindowByTitle(windows, "notes \xE2\x80\x93"));
  EXPECT_EQ(windows.GetActiveWindow(), a);
  EXPECT_FALSE(ActivateWindowByTitle(windows, "no such title"));
}

TYPED_TEST_P(WindowManagerContract, AWindowThatIsGoneIsAnsweredAsUnknown) {
  WindowManager& windows = this->windows();
  WindowHandle gone = this->Make("Gone");
  this->Destroy(gone);
  for (WindowHandle window : {gone, WindowHandle{0}}) {
    EXPECT_FALSE(windows.IsWindow(window));
    EXPECT_FALSE(windows.IsWindowVisible(window));
    EXPECT_FALSE(windows.GetWindowRect(window));
    EXPECT_EQ(windows.GetWindowText(window), "");
    EXPECT_FALSE(windows.SetWindowPos(window, hwnd::kTop, 0, 0, 10, 10, 0));
    EXPECT_FALSE(windows.ShowWindow(window, sw::kShow));
    EXPECT_FALSE(windows.SetForegroundWindow(window));
  }
  EXPECT_EQ(windows.GetSysColor(25), 0u);  // after COLOR_INFOBK
  EXPECT_EQ(windows.GetSysColor(-1), 0u);
  EXPECT_GT(windows.GetScreenRect().width, 0);
  std::optional<Rect> work = windows.GetWorkArea();
  ASSERT_TRUE(work);
  EXPECT_LE(work->height, windows.GetScreenRect().height);
}

REGISTER_TYPED_TEST_SUITE_P(WindowManagerContract, TheTopMostBandStaysAboveActivation,
                            TitlesVisibilityAndShowing, AWindowThatIsGoneIsAnsweredAsUnknown);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_WINDOW_MANAGER_CONTRACT_H_
