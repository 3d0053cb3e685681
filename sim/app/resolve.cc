#include "sim/app/resolve.h"

#include <limits>

#include "addin/settings.h"
#include "sim/app/script.h"
#include "platform/display_text.h"
#include "sim/machine/sim_form.h"
#include "platform/variant.h"
#include "store/parent_marking.h"

namespace pinlet::app {

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

// A folder by path: "Inbox/Projects" under the default store, or a path
// whose first part names a store ("Archive/2025").
sim::FolderNode* ResolveFolder(Driver& d, const std::string& path, std::string& error) {
  std::vector<std::string> parts = SplitPath(path);
  sim::FolderNode* folder = nullptr;
  size_t first = 0;
  for (auto& store : d.world().store.stores()) {
    if (!parts.empty() && sim::FoldCase(store->name) == sim::FoldCase(parts[0])) {
      folder = store->root.get();
      first = 1;
      break;
    }
  }
  if (!folder && d.world().store.default_store())
    folder = d.world().store.default_store()->root.get();
  for (size_t i = first; folder && i < parts.size(); ++i)
    folder = folder->Child(parts[i]);
  if (!folder) error = "no folder '" + Printable(path) + "' (see show folders)";
  return folder;
}

std::shared_ptr<sim::ItemNode> ResolveItem(sim::FolderNode& folder,
                                           const std::string& which, std::string& error) {
  bool number =
      !which.empty() && which.find_first_not_of("0123456789") == std::string::npos;
  if (number && which.size() < 9) {
    size_t index = std::stoul(which);
    if (index >= 1 && index <= folder.items.size()) return folder.items[index - 1];
  } else {
    for (auto& item : folder.items)
      if (item->subject == which) return item;
  }
  error = "no item '" + Printable(which) + "' in " + Printable(folder.Path());
  return nullptr;
}

// An item given as a folder path and a number or subject; its folder is
// item->folder.
std::shared_ptr<sim::ItemNode> ResolveFolderItem(Driver& d,
                                                 const std::string& folder_path,
                                                 const std::string& which,
                                                 std::string& error) {
  sim::FolderNode* folder = ResolveFolder(d, folder_path, error);
  return folder ? ResolveItem(*folder, which, error) : nullptr;
}

sim::SimOutlook* RunningOutlook(Driver& d, std::string& error) {
  sim::SimOutlook* outlook = d.session() ? d.session()->outlook().get() : nullptr;
  if (!outlook) error = "Outlook must be running (start)";
  return outlook;
}

std::shared_ptr<sim::SimExplorer> ActiveExplorer(Driver& d, std::string& error) {
  sim::SimOutlook* outlook = RunningOutlook(d, error);
  if (!outlook) return nullptr;
  std::shared_ptr<sim::SimExplorer> explorer = outlook->active_explorer();
  if (!explorer && !outlook->explorers().empty()) explorer = outlook->explorers().front();
  if (!explorer) error = "Outlook has no main window open";
  return explorer;
}

std::shared_ptr<sim::SimExplorer> ResolveExplorer(Driver& d, const std::string& number,
                                                  std::string& error) {
  if (number.empty()) return ActiveExplorer(d, error);
  sim::SimOutlook* outlook = RunningOutlook(d, error);
  if (!outlook) return nullptr;
  const auto& windows = outlook->explorers();
  bool digits = !number.empty() && number.size() < 6 &&
                number.find_first_not_of("0123456789") == std::string::npos;
  size_t index = digits ? std::stoul(number) : 0;
  if (index >= 1 && index <= windows.size()) return windows[index - 1];
  error = "no main window " + Printable(number) + " (" + std::to_string(windows.size()) +
          " open)";
  return nullptr;
}

int ExplorerNumber(Driver& d, const sim::SimExplorer& explorer) {
  sim::SimOutlook* outlook = d.session() ? d.session()->outlook().get() : nullptr;
  if (!outlook) return 0;
  const auto& windows = outlook->explorers();
  for (size_t i = 0; i < windows.size(); ++i)
    if (windows[i].get() == &explorer) return static_cast<int>(i) + 1;
  return 0;
}

namespace {

using ControlPtr = std::shared_ptr<sim::ControlNode>;

bool CaptionMatches(const sim::ControlNode& control, const std::string& key) {
  return sim::CaptionKey(control.caption) == key;
}

bool TipMatches(const sim::ControlNode& control, const std::string& key) {
  return sim::WithoutAccessKeys(control.caption).find_first_not_of(' ') ==
             std::string::npos &&
         !control.tooltip.empty() && sim::CaptionKey(control.tooltip) == key;
}

// The first control on `bar` (depth first through its menus when `deep`)
// that `matches`.
template <typename Matches>
ControlPtr FindOn(const sim::BarNode& bar, bool deep, const Matches& matches) {
  for (const auto& control : bar.controls) {
    if (!control->deleted && matches(*control)) return control;
    if (deep && control->popup_bar)
      if (ControlPtr found = FindOn(*control->popup_bar, true, matches)) return found;
  }
  return nullptr;
}

// Every control on `bar` and its menus, depth first, that `matches`.
template <typename Matches>
void FindAllOn(const sim::BarNode& bar, const Matches& matches,
               std::vector<ControlPtr>& found) {
  for (const auto& control : bar.controls) {
    if (!control->deleted && matches(*control)) found.push_back(control);
    if (control->popup_bar) FindAllOn(*control->popup_bar, matches, found);
  }
}

}  // namespace

std::string UserPathOf(const sim::SimCommandBars& bars, const sim::ControlNode& control) {
  std::string path = bars.PathOf(control);
  if (control.caption.find_first_not_of(' ') == std::string::npos)
    path += "(tip \"" + control.tooltip + "\")";
  return path;
}

bool ClickControl(sim::SimCommandBars& bars,
                  const std::shared_ptr<sim::ControlNode>& control, std::string& error,
                  bool* action_ran) {
  sim::SimCommandBars::ClickResult result = bars.Click(control);
  if (action_ran) *action_ran = result.action_ran;
  if (result.refused.empty()) return true;
  error = "cannot click " + UserPathOf(bars, *control) + ": it " + result.refused;
  return false;
}

std::shared_ptr<sim::ControlNode> ResolveControl(const sim::SimCommandBars& bars,
                                                 const std::string& path,
                                                 std::string& error) {
  std::vector<std::string> parts = SplitPath(path);
  error = "no control '" + Printable(path) + "' on the window's bars (see show explorer)";
  if (parts.empty()) return nullptr;
  if (parts.back().size() > 1 && parts.back()[0] == '#') {
    std::optional<int64_t> id = ParseInteger(std::string_view(parts.back()).substr(1), 1,
                                             std::numeric_limits<int32_t>::max());
    if (!id || parts.size() > 2) return nullptr;
    ControlPtr found =
        bars.FindById(static_cast<int>(*id), parts.size() == 2 ? parts[0] : "");
    if (found) error.clear();
    return found;
  }
  auto find = [](const sim::BarNode& bar, bool deep, const std::string& part) {
    std::string key = sim::CaptionKey(part);
    ControlPtr found = FindOn(
        bar, deep, [&](const sim::ControlNode& c) { return CaptionMatches(c, key); });
    if (!found)
      found = FindOn(bar, deep,
                     [&](const sim::ControlNode& c) { return TipMatches(c, key); });
    return found;
  };
  std::shared_ptr<sim::BarNode> bar = parts.size() > 1 ? bars.FindBar(parts[0]) : nullptr;
  if (bar) {
    ControlPtr control;
    for (size_t i = 1; i < parts.size(); ++i) {
      if (i > 1 && !(control && control->popup_bar)) return nullptr;
      control = find(i == 1 ? *bar : *control->popup_bar, false, parts[i]);
      if (!control) return nullptr;
    }
    error.clear();
    return control;
  }
  if (parts.size() != 1) return nullptr;
  // A caption alone must name one control, by its caption or by its tip, on
  // the toolbars and menus; failing any there, on the shortcut menus.
  std::string key = sim::CaptionKey(parts[0]);
  auto matches = [&](const sim::ControlNode& c) {
    return CaptionMatches(c, key) || TipMatches(c, key);
  };
  for (bool shortcut : {false, true}) {
    std::vector<ControlPtr> found;
    for (const auto& candidate : bars.bars())
      if ((candidate->type == office::kBarTypePopup) == shortcut)
        FindAllOn(*candidate, matches, found);
    if (found.empty()) continue;
    if (found.size() == 1) {
      error.clear();
      return found[0];
    }
    error = "'" + Printable(path) + "' names " + std::to_string(found.size()) +
            " controls; give the path of one:";
    for (const ControlPtr& control : found) error += " \"" + UserPathOf(bars, *control) + "\"";
    return nullptr;
  }
  return nullptr;
}

bool ItemHasNote(Driver& d, const sim::ItemNode& item) {
  if (item.entry_id.empty()) return false;
  sim::FaultInjector::Pause pause(d.world().faults);
  auto id = d.world().registry.QueryValue(kFoldersKey, "EntryID");
  sim::FolderNode* folder = id ? d.world().store.FindFolder(id->data) : nullptr;
  return folder && d.world().store.FindBySubject(*folder, item.entry_id);
}

bool HasNote(const sim::ItemNode& item) {
  for (const sim::PropNode& prop : item.user_props)
    if (sim::FoldCase(prop.name) == sim::FoldCase(kHasNoteProperty))
      return ToText(prop.value) == "TRUE";
  return false;
}

}  // namespace pinlet::app
