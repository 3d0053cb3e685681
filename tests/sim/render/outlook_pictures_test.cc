// Pictures of Outlook's windows: the faces of command bar buttons with
// their masks, pressed and disabled; the menus the user opens; the items of
// the current view with those carrying notes marked; an item window.
#include <gtest/gtest.h>

#include "sim/machine/builtin_bars.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/sim_outlook.h"
#include "render_fixture.h"

namespace pinlet::render {
namespace {

constexpr uint32_t kBarColour = 0xC8D0D4;
constexpr uint32_t kPressed = 0xD8D5D4;

class OutlookPicturesTest : public RenderTest {
 protected:
  OutlookPicturesTest()
      : outlook(std::make_shared<sim::SimOutlook>(&world, std::vector<std::string>{})) {
    world.store.AddStore("Mailbox", true);
    inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    explorer = outlook->OpenExplorer(inbox);
  }
  Image Draw() { return *renderer->Window(world, explorer->hwnd()); }
  std::shared_ptr<sim::ItemNode> Mail(const std::string& subject) {
    auto item = world.store.NewItem(*inbox, "IPM.Note");
    item->subject = subject;
    world.store.SaveItem(item, world.clock.now());
    return item;
  }
  // A button on a new toolbar with a red face whose left half the mask
  // makes transparent.
  office::CommandBarControlPtr MaskedButton() {
    auto bar =
        explorer->CommandBars()->Add("Pinlet ToolBar", office::kBarTop, false, true);
    bar->SetVisible(true);
    auto button = bar->Controls()->Add(office::kControlButton);
    Picture face{16, 16, 24, std::vector<uint32_t>(256, 0x0000FF)};
    Picture mask = face;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) mask.pixels[y * 16 + x] = x < 8 ? kWhite : kBlack;
    button->SetPicture(face);
    button->SetMask(mask);
    return button;
  }
  // The leftmost red pixel of the picture; {-1, -1} when there is none.
  static std::pair<int, int> FirstRed(const Image& image) {
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y)
        if (image.Pixel(x, y) == 0x0000FF) return {x, y};
    return {-1, -1};
  }

  std::shared_ptr<sim::SimOutlook> outlook;
  sim::FolderNode* inbox;
  std::shared_ptr<sim::SimExplorer> explorer;
};

TEST_F(OutlookPicturesTest, AMaskedFaceShowsTheBarsColourWhereTheMaskIsWhite) {
  auto button = MaskedButton();
  Image image = Draw();
  EXPECT_EQ(Count(image, {0, 0, image.width(), image.height()}, Is(0x0000FF)), 16 * 8);
  auto [x, y] = FirstRed(image);
  ASSERT_GE(x, 8);
  for (int left = x - 8; left < x; ++left) EXPECT_EQ(image.Pixel(left, y), kBarColour);
  // Pressed, the button stands out from the bar; the mask still holds.
  button->SetState(office::kButtonDown);
  Image pressed = Draw();
  EXPECT_GT(Count(pressed, {x - 12, y - 6, 30, 28}, Is(kPressed)), 50);
  EXPECT_EQ(pressed.Pixel(x - 4, y), kPressed);
}

TEST_F(OutlookPicturesTest, ADisabledButtonsFaceDiffersFromItsEnabledOne) {
  auto button = MaskedButton();
  Image enabled = Draw();
  auto [x, y] = FirstRed(enabled);
  Region face{x - 8, y, 16, 16};
  button->SetEnabled(false);
  Image disabled = Draw();
  EXPECT_TRUE(Differ(enabled, disabled, face));
  EXPECT_EQ(Count(disabled, face, Is(0x0000FF)), 0);
  // A disabled bar greys every control on it.
  button->SetEnabled(true);
  explorer->CommandBars()->Item("Pinlet ToolBar")->SetEnabled(false);
  EXPECT_EQ(Count(Draw(), face, Is(0x0000FF)), 0);
}

TEST_F(OutlookPicturesTest, OpenMenusAreDrawnOverTheWindow) {
  auto bars = explorer->command_bars();
  // A shortcut menu at (300, 160) inside the window, over the empty list.
  constexpr int kX = 4 + 300 + 20, kY = 26 + 160 + 8;
  Image closed = Draw();
  EXPECT_EQ(closed.Pixel(kX, kY), 0xFFFFFFu);
  ASSERT_EQ(bars->OpenShortcutMenu(bars->FindBar("Context Menu"), 300, 160), "");
  EXPECT_EQ(Draw().Pixel(kX, kY), kBarColour);
  bars->CloseMenus();
  EXPECT_EQ(Draw().Pixel(kX, kY), 0xFFFFFFu);
  // A menu of the menu bar drops below its entry, a submenu opens beside it.
  ASSERT_EQ(bars->OpenMenu(bars->FindByCaption("&Tools")), "");
  Image tools = Draw();
  ASSERT_EQ(bars->OpenMenu(bars->FindByCaption("&Macro")), "");
  Image macro = Draw();
  EXPECT_TRUE(Differ(closed, tools, {150, 50, 150, 150}));
  EXPECT_TRUE(Differ(tools, macro, {150, 50, 400, 300}));
}

TEST_F(OutlookPicturesTest, TheItemListShowsTheViewWithNotesMarkedAndTheSelection) {
  auto plain = Mail("Lunch on Thursday?");
  auto noted = Mail("Board slides");
  Region list{170, 118, 470, 40};
  marked = [&](const sim::ItemNode& item) { return &item == noted.get(); };
  int marks = Count(Draw(), list, Is(0x78ECFF));
  marked = nullptr;
  EXPECT_GT(marks - Count(Draw(), list, Is(0x78ECFF)), 40);
  // The selected item's row is highlighted while the window is active.
  explorer->Select({plain});
  EXPECT_GT(Count(Draw(), list, Is(0x6A240A)), 1000);
}

TEST_F(OutlookPicturesTest, AnItemWindowShowsItsBarsHeaderAndBody) {
  auto item = Mail("Quarterly budget review");
  sim::WriteBody(*item, "Please bring the figures.");
  auto inspector = outlook->OpenItem(item);
  ASSERT_TRUE(inspector);
  auto image = renderer->Window(world, inspector->hwnd());
  ASSERT_TRUE(image);
  EXPECT_GT(Count(*image, {0, 0, image->width(), image->height()}, Ink), 500);
  // Looking is no call of the add-in's: nothing is counted, nothing can fail.
  int64_t calls = world.faults.call_count();
  world.faults.FailCall(calls + 1);
  renderer->Screen(world);
  renderer->Window(world, explorer->hwnd());
  EXPECT_EQ(world.faults.call_count(), calls);
  world.faults.Clear();
  // Opened over the main window at the same place, it is all the screen shows there.
  EXPECT_FALSE(Differ(renderer->Screen(world), *image, {0, 0, 640, 480}));
  EXPECT_TRUE(
      Differ(*image, *renderer->Window(world, explorer->hwnd()), {0, 0, 640, 480}));
}

}  // namespace
}  // namespace pinlet::render
