// Commands that look at the mail store and use the note store: folders,
// items, views, the "Items with Notes" filter, and the storage side of
// adding a note.
#include <ostream>

#include "addin/settings.h"
#include "app/driver.h"
#include "platform/sim/sim_outlook.h"
#include "store/filter_view.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"

namespace pinlet::app {
namespace {

using sim::FolderNode;
using sim::ItemNode;

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

// A folder by path: "Inbox/Projects" under the default store, or a path
// whose first part names a store ("Archive/2025").
FolderNode* ResolveFolder(Driver& d, const std::string& path, std::string& error) {
  std::vector<std::string> parts = SplitPath(path);
  FolderNode* folder = nullptr;
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
  if (!folder) error = "no folder '" + path + "' (see show folders)";
  return folder;
}

std::shared_ptr<ItemNode> ResolveItem(FolderNode& folder, const std::string& which,
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
  error = "no item '" + which + "' in " + folder.Path();
  return nullptr;
}

// An item given as a folder path and a number or subject; its folder is
// item->folder.
std::shared_ptr<ItemNode> ResolveFolderItem(Driver& d, const std::string& folder_path,
                                            const std::string& which,
                                            std::string& error) {
  FolderNode* folder = ResolveFolder(d, folder_path, error);
  return folder ? ResolveItem(*folder, which, error) : nullptr;
}

bool HasNote(ItemNode& item) {
  sim::PropNode* prop = item.FindProp("ZPNHasNote");
  return prop && ToText(prop->value) == "TRUE";
}

std::string NotesFolderId(Driver& d) {
  auto value = d.world().registry.QueryValue(kFoldersKey, "EntryID");
  return value ? value->data : "";
}

void PrintTree(Driver& d, FolderNode& folder, int depth, std::ostream& out) {
  out << std::string(depth * 2, ' ') << folder.name << " (" << folder.items.size() << ")";
  if (!NotesFolderId(d).empty() && folder.entry_id == NotesFolderId(d))
    out << "  [notes folder]";
  out << "\n";
  for (auto& child : folder.children) PrintTree(d, *child, depth + 1, out);
}

int ShowFolders(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  for (auto& store : d.world().store.stores()) PrintTree(d, *store->root, 0, out);
  return 0;
}

// The condition of a view that keeps items whose string-named user property
// has one value ("&quot;<DASL name>&quot; = 'VALUE'"), as the "Items with
// Notes" view does: the property's name and value, or nothing for any other view.
std::optional<std::pair<std::string, std::string>> PropertyFilter(
    const sim::ViewNode& view) {
  const std::string prefix =
      "<filter>&quot;http://schemas.microsoft.com/mapi/string/"
      "{00020329-0000-0000-C000-000000000046}/";
  size_t at = view.xml.find(prefix);
  if (at == std::string::npos) return std::nullopt;
  size_t name_end = view.xml.find("&quot; = '", at + prefix.size());
  size_t value_end = name_end == std::string::npos
                         ? name_end
                         : view.xml.find("'</filter>", name_end + 10);
  if (value_end == std::string::npos) return std::nullopt;
  return std::make_pair(
      view.xml.substr(at + prefix.size(), name_end - at - prefix.size()),
      view.xml.substr(name_end + 10, value_end - name_end - 10));
}

int ShowItems(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() != 1) return 2;
  FolderNode* folder = ResolveFolder(d, args[0], error);
  if (!folder) return 2;
  std::optional<std::pair<std::string, std::string>> filter;
  if (sim::ViewNode* view = folder->FindView(folder->current_view))
    filter = PropertyFilter(*view);
  out << folder->Path() << ": " << folder->items.size() << " items";
  if (filter)
    out << "; view \"" << folder->current_view << "\" shows those with " << filter->first
        << " = " << filter->second;
  out << "\n";
  size_t index = 0;
  for (auto& item : folder->items) {
    ++index;
    if (filter) {
      sim::PropNode* prop = item->FindProp(filter->first);
      if (!prop || ToText(prop->value) != filter->second) continue;
    }
    out << (HasNote(*item) ? "* " : "  ") << index << ". [" << item->message_class << "] "
        << (item->subject.empty() ? "(no subject)" : item->subject) << "\n";
  }
  return 0;
}

int RenameFolder(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.size() != 2) return 2;
  FolderNode* folder = ResolveFolder(d, args[0], error);
  if (!folder) return 2;
  if (!folder->parent || args[1].empty() ||
      args[1].find_first_of("/\\") != std::string::npos ||
      (folder->parent->Child(args[1]) && folder->parent->Child(args[1]) != folder)) {
    error = "cannot rename " + folder->Path() + " to '" + args[1] + "'";
    return 2;
  }
  folder->name = args[1];
  out << "renamed to " << folder->Path() << "\n";
  return 0;
}

int ShowItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 2) return 2;
  auto item = ResolveFolderItem(d, args[0], args[1], error);
  if (!item) return 2;
  FolderNode* folder = item->folder;
  out << "Subject: " << item->subject << "\n"
      << "Class: " << item->cls << " (" << item->message_class << ")\n"
      << "EntryID: " << item->entry_id << "\n"
      << "Folder: " << folder->Path() << "\n"
      << "Last modified: " << item->last_modified.ToGeneralString() << "\n";
  for (auto& [name, value] : item->members) out << name << ": " << ToText(value) << "\n";
  for (auto& [tag, value] : item->mapi_props) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", tag);
    out << "MAPI " << hex << ": " << ToText(value) << "\n";
  }
  out << "User properties: " << item->user_props.size() << "\n";
  for (auto& prop : item->user_props)
    out << "  " << prop.name << " = " << ToText(prop.value) << "\n";
  out << "Attachments: " << item->attachments.size() << "\n";
  for (auto& a : item->attachments)
    out << "  " << a.file_name << " (" << a.content.size() << " bytes)\n";
  return 0;
}

int ShowViews(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() != 1) return 2;
  FolderNode* folder = ResolveFolder(d, args[0], error);
  if (!folder) return 2;
  static const char* kTypes[] = {"table", "card", "calendar", "timeline", "icon"};
  for (auto& view : folder->views) {
    out << (view.name == folder->current_view ? "> " : "  ") << view.name << " ("
        << (view.type >= 0 && view.type <= 4 ? kTypes[view.type] : "other") << ")\n";
  }
  if (folder->custom_views_only) out << "(custom views only)\n";
  return 0;
}

// The running add-in and the first main window, showing `folder`.
bool Explorer(Driver& d, FolderNode* folder, ol::ExplorerPtr& explorer,
              std::string& error) {
  if (!d.addin() || !d.session()->outlook() ||
      d.session()->outlook()->explorers().empty()) {
    error = "Outlook with a main window must be running (start)";
    return false;
  }
  explorer = d.session()->outlook()->explorers().front();
  sim::FaultInjector::Pause pause(d.world().faults);
  explorer->SetCurrentFolder(sim::WrapFolder(&d.world(), folder));
  return true;
}

int Filter(Driver& d, const std::vector<std::string>& args, std::ostream& out,
           std::string& error) {
  if (args.size() != 2 || (args[0] != "on" && args[0] != "off")) return 2;
  FolderNode* folder = ResolveFolder(d, args[1], error);
  ol::ExplorerPtr explorer;
  if (!folder || !Explorer(d, folder, explorer, error)) return 2;
  AddinContext& ctx = d.addin()->context();
  bool done = args[0] == "on" ? Filter_On(ctx, explorer) : Filter_Off(ctx, explorer);
  out << "filter " << args[0] << " in " << folder->Path() << ": "
      << (done ? "done" : "failed") << "; current view: " << folder->current_view << "\n";
  return 0;
}

int NoteAdd(Driver& d, const std::vector<std::string>& args, std::ostream& out,
            std::string& error) {
  if (args.size() != 2) return 2;
  auto node = ResolveFolderItem(d, args[0], args[1], error);
  if (!node) return 2;
  if (!d.addin() || !d.addin()->context().note_windows) {
    error = "Outlook must be running with Pinlet connected (start)";
    return 2;
  }
  AddinContext& ctx = d.addin()->context();
  ol::ItemPtr parent = sim::WrapItem(&d.world(), node);
  NewNote made = AddNewNoteItem(ctx, parent);
  if (!made.note) {
    out << "no note was made for '" << node->subject << "'\n";
    return 0;
  }
  ctx.item_update = true;
  SetParentItemProperties(ctx, parent, true);
  sim::FaultInjector::Pause pause(d.world().faults);
  out << "note added: " << made.caption << "\n"
      << "note item: " << made.note->Parent()->FolderPath() << ", subject "
      << made.note->Subject() << "\n";
  return 0;
}

}  // namespace

void AddStoreCommands(std::map<std::string, Command>& c) {
  c["show folders"] = {"show folders",
                       "every store's folder tree with item counts; the notes "
                       "folder is marked [notes folder]",
                       ShowFolders};
  c["show items"] = {"show items FOLDER",
                     "a folder's items, numbered; * marks an item that has a note",
                     ShowItems};
  c["show item"] = {"show item FOLDER N|SUBJECT",
                    "one item with its members, user properties and attachments",
                    ShowItem};
  c["show views"] = {"show views FOLDER", "a folder's views; > marks the current one",
                     ShowViews};
  c["rename folder"] = {"rename folder FOLDER NAME",
                        "rename a folder, as the user can in Outlook", RenameFolder};
  c["filter"] = {"filter on|off FOLDER",
                 "switch a folder to the \"Items with Notes\" view, and back", Filter};
  c["note add"] = {"note add FOLDER N|SUBJECT",
                   "create an item's note in the notes folder and mark the item",
                   NoteAdd};
}

}  // namespace pinlet::app
