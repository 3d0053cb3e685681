#include "app/resolve.h"

#include "app/printable.h"

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

std::shared_ptr<sim::ItemNode> ResolveItem(sim::FolderNode& folder, const std::string& which,
                                      std::string& error) {
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
std::shared_ptr<sim::ItemNode> ResolveFolderItem(Driver& d, const std::string& folder_path,
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

}  // namespace pinlet::app
