// Commands for Outlook's main windows, as the user works in them: opening,
// activating and closing windows, selecting items, switching folders and
// views, clicking toolbar, menu and context-menu entries, opening the
// context menu, and looking at what Pinlet put on a window.
#include <ostream>

#include "addin/context.h"
#include "sim/app/driver.h"
#include "sim/app/effects.h"
#include "sim/app/resolve.h"
#include "platform/display_text.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/view_filter.h"

namespace pinlet::app {
namespace {

using sim::SimExplorer;

constexpr const char* kToolbar = "Pinlet ToolBar";
constexpr const char* kContextMenu = "Context Menu";

// "6. Board slides": an item as show items numbers it.
std::string ItemLabel(const sim::ItemNode& item) {
  size_t number = 0;
  if (item.folder)
    for (size_t i = 0; i < item.folder->items.size(); ++i)
      if (item.folder->items[i].get() == &item) number = i + 1;
  return std::to_string(number) + ". " +
         (item.subject.empty() ? "(no subject)" : Printable(item.subject));
}

void PrintSelection(const SimExplorer& window, std::ostream& out) {
  const auto& selected = window.selection();
  out << "selected: ";
  if (selected.empty()) out << "nothing";
  for (size_t i = 0; i < selected.size(); ++i)
    out << (i ? ", " : "") << ItemLabel(*selected[i]);
  out << "\n";
}

void PrintPlace(const SimExplorer& window, std::ostream& out) {
  sim::FolderNode* folder = window.folder();
  out << "folder: " << (folder ? Printable(folder->Path()) : "(none)") << ", view \""
      << (folder ? Printable(folder->current_view) : "") << "\"\n";
}

// The main button as the user reads it, once the window has its toolbar.
void PrintMainButton(const SimExplorer& window, std::ostream& out) {
  auto bar = window.command_bars() ? window.command_bars()->FindBar(kToolbar) : nullptr;
  if (!bar || bar->controls.empty()) return;
  const sim::ControlNode& button = *bar->controls.front();
  out << kToolbar << ": \"" << button.caption << "\""
      << (bar->enabled ? "" : ", disabled") << "\n";
}

int OpenExplorer(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.size() > 1) return 2;
  sim::SimOutlook* outlook = RunningOutlook(d, error);
  if (!outlook) return 2;
  sim::FolderNode* folder = nullptr;
  if (!args.empty() && !(folder = ResolveFolder(d, args[0], error))) return 2;
  Effects effects(d.world());
  std::shared_ptr<SimExplorer> window = outlook->OpenExplorer(folder);
  int number = ExplorerNumber(d, *window);
  out << "main window " << number << " opened";
  if (window->folder()) out << " on " << Printable(window->folder()->Path());
  out << "\n";
  effects.Print(out);
  return 0;
}

int CloseExplorer(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string& error) {
  if (args.size() > 1) return 2;
  std::shared_ptr<SimExplorer> window =
      ResolveExplorer(d, args.empty() ? "" : args[0], error);
  if (!window) return 2;
  int number = ExplorerNumber(d, *window);
  Effects effects(d.world());
  d.session()->outlook()->CloseExplorer(window);
  size_t left = d.session()->outlook()->explorers().size();
  out << "main window " << number << " closed; " << left << " main window"
      << (left == 1 ? "" : "s") << " open\n";
  effects.Print(out);
  return 0;
}

int ActivateExplorer(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                     std::string& error) {
  if (args.size() != 1) return 2;
  std::shared_ptr<SimExplorer> window = ResolveExplorer(d, args[0], error);
  if (!window) return 2;
  Effects effects(d.world());
  d.session()->outlook()->ActivateExplorer(window);
  out << "main window " << args[0] << " is active\n";
  effects.Print(out);
  return 0;
}

int Select(Driver& d, const std::vector<std::string>& args, std::ostream& out,
           std::string& error) {
  if (args.size() < 2) return 2;
  std::shared_ptr<SimExplorer> window = ActiveExplorer(d, error);
  sim::FolderNode* folder = window ? ResolveFolder(d, args[0], error) : nullptr;
  if (!folder) return 2;
  std::vector<std::shared_ptr<sim::ItemNode>> items;
  if (!(args.size() == 2 && args[1] == "none")) {
    for (size_t i = 1; i < args.size(); ++i) {
      auto item = ResolveItem(*folder, args[i], error);
      if (!item) return 2;
      items.push_back(item);
    }
  }
  Effects effects(d.world());
  // The user goes to the folder first, then clicks the items.
  if (window->folder() != folder) window->SwitchFolder(folder);
  if (window->folder() == folder) window->Select(std::move(items));
  PrintPlace(*window, out);
  PrintSelection(*window, out);
  PrintMainButton(*window, out);
  effects.Print(out);
  return 0;
}

int ShowSelection(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string& error) {
  if (!args.empty()) return 2;
  std::shared_ptr<SimExplorer> window = ActiveExplorer(d, error);
  if (!window) return 2;
  PrintPlace(*window, out);
  PrintSelection(*window, out);
  PrintMainButton(*window, out);
  return 0;
}

int SwitchFolder(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.size() != 1) return 2;
  std::shared_ptr<SimExplorer> window = ActiveExplorer(d, error);
  sim::FolderNode* folder = window ? ResolveFolder(d, args[0], error) : nullptr;
  if (!folder) return 2;
  Effects effects(d.world());
  bool switched = window->SwitchFolder(folder);
  if (!switched) out << "the switch was cancelled\n";
  PrintPlace(*window, out);
  PrintSelection(*window, out);
  PrintMainButton(*window, out);
  effects.Print(out);
  return 0;
}

int SwitchView(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.size() != 1) return 2;
  std::shared_ptr<SimExplorer> window = ActiveExplorer(d, error);
  if (!window) return 2;
  if (!window->folder() || !window->folder()->FindView(args[0])) {
    error = "the folder has no view '" + Printable(args[0]) + "' (see show views)";
    return 2;
  }
  Effects effects(d.world());
  if (!window->SwitchView(args[0])) out << "the switch was cancelled\n";
  PrintPlace(*window, out);
  PrintSelection(*window, out);
  effects.Print(out);
  return 0;
}

int Click(Driver& d, const std::vector<std::string>& args, std::ostream& out,
          std::string& error) {
  if (args.size() != 1) return 2;
  std::shared_ptr<SimExplorer> window = ActiveExplorer(d, error);
  if (!window) return 2;
  std::shared_ptr<sim::SimCommandBars> bars = window->command_bars();
  std::shared_ptr<sim::ControlNode> control = ResolveControl(*bars, args[0], error);
  if (!control) return 2;
  std::string path = UserPathOf(*bars, *control);
  Effects effects(d.world());
  bool action_ran = false;
  if (!ClickControl(*bars, control, error, &action_ran)) return kRefused;
  out << "clicked " << path << (action_ran ? "; Outlook's own command ran" : "") << "\n";
  effects.Print(out);
  return 0;
}

int ContextMenu(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string& error) {
  if (!args.empty()) return 2;
  std::shared_ptr<SimExplorer> window = ActiveExplorer(d, error);
  if (!window) return 2;
  Effects effects(d.world());
  // Office redraws the bars just before a shortcut menu opens.
  window->command_bars()->Update();
  if (auto bar = window->command_bars()->FindBar(kContextMenu))
    out << window->command_bars()->Show(*bar);
  effects.Print(out);
  return 0;
}

int ShowExplorer(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.size() > 1) return 2;
  std::shared_ptr<SimExplorer> window =
      ResolveExplorer(d, args.empty() ? "" : args[0], error);
  if (!window) return 2;
  sim::SimOutlook& outlook = *d.session()->outlook();
  out << "main window " << ExplorerNumber(d, *window) << " of "
      << outlook.explorers().size()
      << (outlook.active_explorer() == window ? " (active)" : "") << ": \""
      << Printable(d.world().windows.Find(window->hwnd())->title) << "\"\n";
  PrintPlace(*window, out);
  PrintSelection(*window, out);
  const sim::SimCommandBars& bars = *window->command_bars();
  if (auto bar = bars.FindBar(kToolbar))
    out << bars.Show(*bar);
  else
    out << "no " << kToolbar << "\n";
  if (auto menu_bar = bars.FindBar("Menu Bar")) {
    for (const char* menu : {"Tools", "Help"}) {
      std::string key = sim::CaptionKey(menu);
      for (const auto& control : menu_bar->controls)
        if (sim::CaptionKey(control->caption) == key)
          out << "menu \"Menu Bar/" << control->caption << "\":\n" << bars.Show(*control);
    }
  }
  if (auto bar = bars.FindBar(kContextMenu)) out << bars.Show(*bar);
  return 0;
}

}  // namespace

void AddExplorerCommands(std::map<std::string, Command>& c) {
  c["open explorer"] = {"open explorer [FOLDER]",
                        "the user opens another main window (on the Inbox by default)",
                        OpenExplorer, true};
  c["close explorer"] = {"close explorer [N]",
                         "the user closes main window N (the active one by default)",
                         CloseExplorer, true};
  c["activate explorer"] = {"activate explorer N",
                            "the user brings main window N to the front",
                            ActivateExplorer, true};
  c["select"] = {"select FOLDER N|SUBJECT [N|SUBJECT...] | select FOLDER none",
                 "the user selects items (by number or subject) in the active main "
                 "window, going to FOLDER first",
                 Select, true};
  c["show selection"] = {
      "show selection",
      "the active main window's folder, view, selection and main button", ShowSelection,
      true};
  c["switch folder"] = {"switch folder FOLDER",
                        "the user goes to another folder in the active main window",
                        SwitchFolder, true};
  c["switch view"] = {"switch view VIEW",
                      "the user chooses another view of the folder in the active main "
                      "window",
                      SwitchView, true};
  c["click"] = {
      "click CAPTION | click BAR/CAPTION[/CAPTION...] | click [BAR/]#ID",
      "the user clicks a toolbar, menu or context-menu entry of the active main "
      "window (by caption, or tool tip for a button without one, or Office ID: #354 "
      "Reply)",
      Click, true};
  c["context menu"] = {"context menu",
                       "the user opens the item context menu: Office redraws the bars, "
                       "then the menu is shown",
                       ContextMenu, true};
  c["show explorer"] = {
      "show explorer [N]",
      "a main window with Pinlet's toolbar, its Tools and Help menus and "
      "the context menu: each control's caption, tip, face, style, and "
      "whether it is down, hidden or disabled",
      ShowExplorer, true};
}

}  // namespace pinlet::app
