// The user's opening and closing of the menus of Outlook's windows.
#include <ostream>
#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/script.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::app {
namespace {

// The bars of the Outlook window the user works in: the active item
// window's, else the active main window's.
std::shared_ptr<sim::SimCommandBars> ActiveBars(Driver& d, std::string& error) {
  sim::SimOutlook* outlook = d.world().outlook;
  if (!outlook) {
    error = "Outlook is not running (start it first)";
    return nullptr;
  }
  WindowHandle active = d.world().windows.active();
  for (const auto& inspector : outlook->inspectors())
    if (inspector->hwnd() == active && inspector->command_bars())
      return inspector->command_bars();
  std::shared_ptr<sim::SimExplorer> explorer = outlook->active_explorer();
  if (!explorer && !outlook->explorers().empty()) explorer = outlook->explorers().front();
  if (!explorer || !explorer->command_bars()) error = "no Outlook window is open";
  return explorer ? explorer->command_bars() : nullptr;
}

int OpenMenu(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 1 && args.size() != 3) return 2;
  auto bars = ActiveBars(d, error);
  if (!bars) return 2;
  std::vector<std::string> path;
  std::stringstream split(args[0]);
  for (std::string part; std::getline(split, part, '/');) path.push_back(part);
  std::shared_ptr<sim::BarNode> bar = path.empty() ? nullptr : bars->FindBar(path[0]);
  if (!bar) {
    error = "no bar '" + (path.empty() ? std::string() : path[0]) + "' in this window";
    return 2;
  }
  size_t defects = d.world().defects().size();
  std::string refused;
  if (path.size() == 1) {
    int x = 300, y = 160;
    if (args.size() == 3) {
      auto px = ParseInteger(args[1], 0, 4000), py = ParseInteger(args[2], 0, 4000);
      if (!px || !py) {
        error = "the place of a shortcut menu is X Y in pixels inside the window";
        return 2;
      }
      x = static_cast<int>(*px);
      y = static_cast<int>(*py);
    }
    refused = bars->OpenShortcutMenu(bar, x, y);
  } else {
    std::shared_ptr<sim::ControlNode> control;
    for (size_t i = 1; i < path.size(); ++i) {
      if (!bar) {
        error = "'" + path[i - 1] + "' in " + args[0] + " is not a menu";
        return 2;
      }
      control = nullptr;
      for (const auto& c : bar->controls)
        if (!control && !c->deleted &&
            sim::CaptionKey(c->caption) == sim::CaptionKey(path[i]))
          control = c;
      if (!control) {
        error = "no control '" + path[i] + "' in " + args[0];
        return 2;
      }
      bar = control->popup_bar;
    }
    refused = bars->OpenMenu(control);
  }
  if (!refused.empty()) {
    error = "cannot open " + args[0] + ": it " + refused;
    return kRefused;
  }
  out << "opened " << args[0] << "\n";
  for (size_t i = defects; i < d.world().defects().size(); ++i)
    out << "DEFECT: " << d.world().defects()[i] << "\n";
  return 0;
}

int CloseMenu(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (!args.empty()) return 2;
  auto bars = ActiveBars(d, error);
  if (!bars) return 2;
  bars->CloseMenus();
  out << "the menus are closed\n";
  return 0;
}

}  // namespace

void AddMenuCommands(std::map<std::string, Command>& c) {
  c["open menu"] = {"open menu PATH [X Y]",
                    "the user opens a menu of the active Outlook window: \"Menu "
                    "Bar/Tools/Zarvo Options\", or a shortcut menu (\"Context Menu\") at "
                    "X Y",
                    OpenMenu};
  c["close menu"] = {"close menu", "the user closes the open menus (Escape)", CloseMenu};
}

}  // namespace pinlet::app
