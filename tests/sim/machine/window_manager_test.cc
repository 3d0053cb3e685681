#include <gmock/gmock.h>

#include "platform/display_text.h"
#include "sim/machine/fault_injector.h"
#include "sim/machine/sim_windows.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;

class WindowManagerTest : public ::testing::Test {
 protected:
  FaultInjector faults;
  SimWindowManager windows{&faults};
  WindowHandle outlook = windows.Create("Inbox - Microsoft Outlook");
  WindowHandle note = windows.Create("Edit Note");
};

TEST_F(WindowManagerTest, ATopMostWindowStaysAboveNormalWindowsActivatedLater) {
  EXPECT_THAT(windows.z_order(), ElementsAre(note, outlook));
  ASSERT_TRUE(windows.SetTopMost(note, true));
  WindowHandle reply = windows.Create("RE: Budget - Message");
  ASSERT_TRUE(windows.SetForegroundWindow(outlook));
  EXPECT_EQ(windows.GetActiveWindow(), outlook);
  EXPECT_THAT(windows.z_order(), ElementsAre(note, outlook, reply));

  // Back to the normal band, at its top; from there a normal window can
  // come in front of it again.
  ASSERT_TRUE(windows.SetTopMost(note, false));
  EXPECT_THAT(windows.z_order(), ElementsAre(note, outlook, reply));
  EXPECT_FALSE(windows.Find(note)->top_most);
  ASSERT_TRUE(windows.SetForegroundWindow(reply));
  EXPECT_THAT(windows.z_order(), ElementsAre(reply, note, outlook));
  EXPECT_THAT(windows.top_most_calls(),
              ElementsAre(std::make_pair(note, true), std::make_pair(note, false)));
}

TEST_F(WindowManagerTest, SetWindowPosMovesSizesAndActivatesAsItsFlagsSay) {
  ASSERT_TRUE(windows.SetForegroundWindow(outlook));
  ASSERT_TRUE(windows.SetWindowPos(note, hwnd::kTopMost, 0, 0, 0, 0,
                                   swp::kNoMove | swp::kNoSize | swp::kNoActivate));
  EXPECT_EQ(windows.GetActiveWindow(), outlook);
  EXPECT_EQ(windows.GetWindowRect(note), (Rect{0, 0, 9600, 7200}));
  ASSERT_TRUE(
      windows.SetWindowPos(note, hwnd::kTop, 1500, 900, 5310, 3300, swp::kNoZOrder));
  EXPECT_EQ(windows.GetWindowRect(note), (Rect{1500, 900, 5310, 3300}));
  EXPECT_EQ(windows.GetActiveWindow(), note);
  EXPECT_TRUE(windows.Find(note)->top_most);

  // Behind a given window, taking its band.
  ASSERT_TRUE(
      windows.SetWindowPos(note, outlook, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize));
  EXPECT_THAT(windows.z_order(), ElementsAre(outlook, note));
  EXPECT_FALSE(windows.Find(note)->top_most);
}

TEST_F(WindowManagerTest, HidingOrClosingTheActiveWindowActivatesTheNextVisibleOne) {
  std::vector<std::string> heard;
  windows.Find(outlook)->on_activation = [&](bool on) {
    heard.push_back(std::string("outlook ") + (on ? "on" : "off"));
  };
  EXPECT_TRUE(windows.ShowWindow(note, sw::kHide));  // it was visible
  EXPECT_EQ(windows.GetActiveWindow(), outlook);
  EXPECT_FALSE(windows.SetForegroundWindow(note));  // hidden windows are not activated
  EXPECT_FALSE(windows.ShowWindow(note, sw::kShow));
  EXPECT_EQ(windows.GetActiveWindow(), note);
  windows.Destroy(note);
  EXPECT_EQ(windows.GetActiveWindow(), outlook);
  EXPECT_FALSE(windows.IsWindow(note));
  EXPECT_THAT(heard, ElementsAre("outlook on", "outlook off", "outlook on"));
}

TEST_F(WindowManagerTest, AWindowIsActivatedByAPartOfItsTitleIgnoringCase) {
  WindowHandle hidden = windows.Create("Inbox - hidden copy", false);
  ASSERT_TRUE(ActivateWindowByTitle(windows, "INBOX"));
  EXPECT_EQ(windows.GetActiveWindow(), outlook);
  EXPECT_EQ(windows.FindByTitle("inbox"), outlook);
  EXPECT_NE(windows.FindByTitle("hidden"), hidden);
  EXPECT_FALSE(ActivateWindowByTitle(windows, "Calendar"));
  EXPECT_EQ(windows.GetActiveWindow(), outlook);
}

TEST_F(WindowManagerTest, FailuresAreAnswersAndEachCallIsCountedOnce) {
  int64_t before = faults.call_count();
  faults.FailMember("SetWindowPos");
  EXPECT_FALSE(windows.SetTopMost(note, true));
  EXPECT_FALSE(windows.Find(note)->top_most);
  faults.Clear();
  faults.FailMember("GetActiveWindow");
  EXPECT_EQ(windows.GetActiveWindow(), 0);
  faults.FailMember("GetWindowRect");
  EXPECT_FALSE(windows.GetWindowRect(note));
  faults.FailMember("SystemParametersInfo");
  EXPECT_FALSE(windows.GetWorkArea());
  faults.Clear();
  EXPECT_EQ(faults.call_count() - before, 4);

  EXPECT_FALSE(windows.SetTopMost(0x999, true));
  EXPECT_EQ(windows.GetWindowText(0x999), "");
  EXPECT_EQ(windows.GetScreenRect(), (Rect{0, 0, 15360, 11520}));
  EXPECT_EQ(windows.GetWorkArea(), (Rect{0, 0, 15360, 11070}));
}

// Whoever keeps its own windows in step hears each change asked for, as
// the system's calls would make it; what follows a close or a hide is its
// own system's to decide.
TEST_F(WindowManagerTest, AnObserverHearsEachChangeOfOrderVisibilityAndActivation) {
  std::vector<std::string> heard;
  windows.set_observer([&](const SimWindowManager::Change& change) {
    static const char* const kNames[] = {"raised", "after", "lowered", "shown",
                                         "hidden", "activated", "destroyed"};
    std::string line = kNames[change.kind] + std::string(" ") + HandleText(change.window);
    if (change.after) line += " " + HandleText(change.after);
    if (change.top_most) line += " top-most";
    heard.push_back(line);
  });
  WindowHandle reply = windows.Create("RE: Budget - Message", false);
  windows.SetVisible(reply, true, true);
  ASSERT_TRUE(windows.SetTopMost(note, true));
  ASSERT_TRUE(windows.SetWindowPos(outlook, reply, 0, 0, 0, 0,
                                   swp::kNoMove | swp::kNoSize | swp::kNoActivate));
  ASSERT_TRUE(windows.SetWindowPos(outlook, hwnd::kBottom, 0, 0, 0, 0,
                                   swp::kNoMove | swp::kNoSize | swp::kNoActivate));
  windows.Destroy(reply);
  windows.SetVisible(note, false, false);
  EXPECT_THAT(heard, ElementsAre("raised " + HandleText(reply), "shown " + HandleText(reply),
                                 "raised " + HandleText(reply),
                                 "activated " + HandleText(reply),
                                 "raised " + HandleText(note) + " top-most",
                                 "activated " + HandleText(note) + " top-most",
                                 "after " + HandleText(outlook) + " " + HandleText(reply),
                                 "lowered " + HandleText(outlook),
                                 "destroyed " + HandleText(reply),
                                 "hidden " + HandleText(note) + " top-most"));
  windows.set_observer(nullptr);
  windows.SetVisible(note, true, true);
  EXPECT_EQ(heard.size(), 10u);
}

}  // namespace
}  // namespace pinlet::sim
