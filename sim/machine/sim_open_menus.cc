// The menus the user opens on a window's command bars: a popup control's
// menu with the popups around it, and a shortcut menu at the mouse.
#include <algorithm>

#include "sim/machine/sim_command_bars.h"

namespace pinlet::sim {

std::string SimCommandBars::OpenMenu(const std::shared_ptr<ControlNode>& popup) {
  if (!popup || popup->type != office::kControlPopup) return "is not a popup";
  std::string why = WhyUnreachable(*popup);
  if (!why.empty()) return why;
  // The chain of popups from the outermost one down to `popup`.
  std::vector<std::shared_ptr<ControlNode>> chain{popup};
  std::shared_ptr<BarNode> top;
  for (auto bar = popup->bar.lock(); bar;) {
    auto outer = bar->popup.lock();
    if (!outer) {
      top = bar;
      break;
    }
    chain.push_back(outer);
    bar = outer->bar.lock();
  }
  std::reverse(chain.begin(), chain.end());
  if (top && top->type == office::kBarTypePopup) {
    // Inside a shortcut menu: only while that menu is open.
    if (open_.shortcut != top) return "is in a shortcut menu that is not open";
    open_.popups = std::move(chain);
    return "";
  }
  open_ = {};
  open_.popups = std::move(chain);
  return "";
}

std::string SimCommandBars::OpenShortcutMenu(const std::shared_ptr<BarNode>& bar, int x,
                                             int y) {
  if (!bar || bar->type != office::kBarTypePopup || bar->popup.lock())
    return "is not a shortcut menu";
  if (bar->deleted) return "has been deleted";
  CloseMenus();
  auto self = shared_from_this();  // a handler may close the window
  Update();
  if (closed_ || bar->deleted) return "went away while the bars were redrawn";
  open_.shortcut = bar;
  open_.x = x;
  open_.y = y;
  return "";
}

}  // namespace pinlet::sim
