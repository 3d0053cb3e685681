// The menus the user opens on a window's bars: the chain of popups, the
// shortcut menu with its redraw, and what closes them.
#include "sim/machine/builtin_bars.h"
#include "sim/machine/sim_command_bars.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

class OpenMenusTest : public SimTest {
 protected:
  OpenMenusTest() : explorer(outlook->OpenExplorer()), bars(explorer->command_bars()) {}
  std::shared_ptr<ControlNode> Control(const std::string& caption) {
    return bars->FindByCaption(caption);
  }
  std::shared_ptr<SimExplorer> explorer;
  std::shared_ptr<SimCommandBars> bars;
};

TEST_F(OpenMenusTest, ASubmenuOpensWithTheMenusItIsIn) {
  auto macro = Control("&Macro");
  ASSERT_TRUE(macro);
  EXPECT_EQ(bars->OpenMenu(macro), "");
  const auto& open = bars->open_menus();
  ASSERT_EQ(open.popups.size(), 2u);
  EXPECT_EQ(open.popups[0], Control("&Tools"));
  EXPECT_EQ(open.popups[1], macro);
  EXPECT_FALSE(open.shortcut);
  // Another menu of the menu bar replaces them.
  EXPECT_EQ(bars->OpenMenu(Control("&Help")), "");
  EXPECT_EQ(bars->open_menus().popups.size(), 1u);
}

TEST_F(OpenMenusTest, WhatCannotOpenSaysWhy) {
  EXPECT_EQ(bars->OpenMenu(bars->FindById(command::kReply, "Standard")),
            "is not a popup");
  auto tools = Control("&Tools");
  tools->visible = false;
  EXPECT_EQ(bars->OpenMenu(tools), "is hidden");
  tools->visible = true;
  bars->FindBar("Menu Bar")->enabled = false;
  EXPECT_EQ(bars->OpenMenu(tools), "is on a disabled bar");
  // The follow-up submenu of the shortcut menu needs the shortcut menu open.
  EXPECT_EQ(bars->OpenMenu(Control("Follow &Up")),
            "is in a shortcut menu that is not open");
  EXPECT_TRUE(bars->open_menus().empty());
  EXPECT_EQ(bars->OpenShortcutMenu(bars->FindBar("Standard"), 0, 0),
            "is not a shortcut menu");
}

TEST_F(OpenMenusTest, TheShortcutMenuOpensAfterTheBarsAreRedrawn) {
  int updates = 0;
  bool open_during_update = true;
  Subscription update = explorer->CommandBars()->OnUpdate([&] {
    ++updates;
    open_during_update = !bars->open_menus().empty();
  });
  auto context = bars->FindBar("Context Menu");
  EXPECT_EQ(bars->OpenShortcutMenu(context, 300, 160), "");
  EXPECT_EQ(updates, 1);
  EXPECT_FALSE(open_during_update);
  EXPECT_EQ(bars->open_menus().shortcut, context);
  EXPECT_EQ(bars->open_menus().x, 300);
  // Its submenu opens inside it, and a click closes every menu.
  EXPECT_EQ(bars->OpenMenu(Control("Follow &Up")), "");
  EXPECT_EQ(bars->open_menus().shortcut, context);
  EXPECT_EQ(bars->open_menus().popups.size(), 1u);
  bars->Click(bars->FindById(command::kAddressBook, "Standard"));
  EXPECT_TRUE(bars->open_menus().empty());
}

}  // namespace
}  // namespace pinlet::sim
