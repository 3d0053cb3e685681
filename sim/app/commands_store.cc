// Commands that look at the mail store and use the note store: folders,
// items, views, the "Items with Notes" filter, and the storage side of
// adding a note.
#include <ostream>

#include "addin/settings.h"
#include "addin/string_table.h"
#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "platform/display_text.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/view_filter.h"
#include "store/filter_view.h"
#include "store/note_link.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"

namespace pinlet::app {
namespace {

using sim::FolderNode;
using sim::ItemNode;

std::string NotesFolderId(Driver& d) {
  sim::FaultInjector::Pause pause(d.world().faults);
  auto value = d.world().registry.QueryValue(kFoldersKey, "EntryID");
  return value ? value->data : "";
}

void PrintTree(Driver& d, FolderNode& folder, int depth, std::ostream& out) {
  out << std::string(depth * 2, ' ') << Printable(folder.name) << " ("
      << folder.items.size() << ")";
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

// "* " for an item that has a note, "! " for one marked as having a note
// that it does not have (a stale marking), else blanks.
const char* NoteMark(Driver& d, const ItemNode& item) {
  if (ItemHasNote(d, item)) return "* ";
  return HasNote(item) ? "! " : "  ";
}

int ShowItems(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() != 1) return 2;
  FolderNode* folder = ResolveFolder(d, args[0], error);
  if (!folder) return 2;
  sim::ViewContents shown = sim::ItemsInCurrentView(*folder);
  out << Printable(folder->Path()) << ": " << folder->items.size() << " items";
  if (shown.filtered)
    out << "; view \"" << Printable(folder->current_view) << "\" shows "
        << shown.items.size() << ", those with " << Printable(shown.conditions);
  else if (!shown.not_understood.empty())
    out << "; the filter of view \"" << Printable(folder->current_view)
        << "\" is not simulated, so all are shown";
  out << "\n";
  size_t index = 0;
  size_t next = 0;
  for (auto& item : folder->items) {
    ++index;
    if (next >= shown.items.size() || shown.items[next] != item.get()) continue;
    ++next;
    out << NoteMark(d, *item) << index << ". ["
        << Printable(item->message_class) << "] "
        << (item->subject.empty() ? "(no subject)" : Printable(item->subject)) << "\n";
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
    error =
        "cannot rename " + Printable(folder->Path()) + " to '" + Printable(args[1]) + "'";
    return 2;
  }
  folder->name = args[1];
  out << "renamed to " << Printable(folder->Path()) << "\n";
  return 0;
}

int ShowItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 2) return 2;
  auto item = ResolveFolderItem(d, args[0], args[1], error);
  if (!item) return 2;
  FolderNode* folder = item->folder;
  out << "Subject: " << Printable(item->subject) << "\n"
      << "Class: " << item->cls << " (" << Printable(item->message_class) << ")\n"
      << "EntryID: " << Printable(item->entry_id) << "\n"
      << "Folder: " << Printable(folder->Path()) << "\n"
      << "Last modified: " << item->last_modified.ToGeneralString() << "\n";
  for (auto& [name, value] : item->members)
    out << Printable(name) << ": " << Printable(ToText(value)) << "\n";
  for (auto& [tag, value] : item->mapi_props) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", tag);
    out << "MAPI " << hex << ": " << Printable(ToText(value)) << "\n";
  }
  out << "User properties: " << item->user_props.size() << "\n";
  for (auto& prop : item->user_props)
    out << "  " << Printable(prop.name) << " = " << Printable(ToText(prop.value)) << "\n";
  out << "Attachments: " << item->attachments.size() << "\n";
  for (auto& a : item->attachments)
    out << "  " << Printable(a.file_name) << " (" << a.content.size() << " bytes)\n";
  return 0;
}

int ShowViews(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() != 1) return 2;
  FolderNode* folder = ResolveFolder(d, args[0], error);
  if (!folder) return 2;
  static const char* kTypes[] = {"table", "card", "calendar", "timeline", "icon"};
  for (auto& view : folder->views) {
    out << (view.name == folder->current_view ? "> " : "  ") << Printable(view.name)
        << " (" << (view.type >= 0 && view.type <= 4 ? kTypes[view.type] : "other")
        << ")\n";
  }
  if (folder->custom_views_only) out << "(custom views only)\n";
  return 0;
}

// The active main window, switched to `folder` as the user does it;
// nullptr with `error` set when there is none.
std::shared_ptr<sim::SimExplorer> Explorer(Driver& d, FolderNode* folder,
                                           std::string& error) {
  std::shared_ptr<sim::SimExplorer> window = ActiveExplorer(d, error);
  if (window && window->folder() != folder) window->SwitchFolder(folder);
  return window;
}

// The filter switched as the user switches it: the active main window goes
// to the folder, and its Filter button is clicked when it is not pressed
// (on) or pressed (off) already. Done when the button then shows the
// filter as asked.
int Filter(Driver& d, const std::vector<std::string>& args, std::ostream& out,
           std::string& error) {
  if (args.size() != 2 || (args[0] != "on" && args[0] != "off")) return 2;
  FolderNode* folder = ResolveFolder(d, args[1], error);
  if (!folder) return 2;
  std::shared_ptr<sim::SimExplorer> window = Explorer(d, folder, error);
  if (!window) return 2;
  std::shared_ptr<sim::SimCommandBars> bars = window->command_bars();
  std::shared_ptr<sim::ControlNode> button =
      ResolveControl(*bars, LoadResString(res::kFilterCaption), error);
  if (!button) return 2;
  const int wanted = args[0] == "on" ? office::kButtonDown : office::kButtonUp;
  if (button->state != wanted && !ClickControl(*bars, button, error)) return kRefused;
  out << "filter " << args[0] << " in " << Printable(folder->Path()) << ": "
      << (button->state == wanted ? "done" : "failed")
      << "; current view: " << Printable(folder->current_view) << "\n";
  return 0;
}

int NoteAdd(Driver& d, const std::vector<std::string>& args, std::ostream& out,
            std::string& error) {
  if (args.size() != 2) return 2;
  auto node = ResolveFolderItem(d, args[0], args[1], error);
  if (!node) return 2;
  // The note is made as the add-in's note window makes it, by its own
  // procedures: a linked-in shortcut for what a user does in the window.
  int status = kDone;
  std::shared_ptr<Connect> addin = d.LinkedAddin(
      error, &status,
      "note add makes the note as the add-in's note window does; as a COM add-in that "
      "needs its real note window, which the test host cannot act on yet");
  if (!addin) return status;
  if (!addin->context().note_windows) {
    error = "Outlook must be running with Pinlet connected (start)";
    return 2;
  }
  AddinContext& ctx = addin->context();
  ol::ItemPtr parent = sim::WrapItem(&d.world(), node);
  std::string subject = Printable(node->subject);
  NewNote made;
  d.CallAddin("note add", [&] {
    made = AddNewNoteItem(ctx, parent);
    if (!made.note || made.existed) return;
    SetParentItemProperties(ctx, parent, true);
    KeepLink(ctx, parent, made.note);
  });
  if (!made.note) {
    out << "no note was made for '" << subject << "'\n";
    return 0;
  }
  sim::FaultInjector::Pause pause(d.world().faults);
  if (made.existed)
    out << "'" << subject << "' already has a note; nothing was added\n";
  else if (HasNote(*node))
    out << "note added: " << Printable(made.caption) << "\n";
  else
    out << "note added; the item could not be marked: " << Printable(made.caption)
        << "\n";
  out << "note item: " << Printable(made.note->Parent()->FolderPath()) << ", subject "
      << Printable(made.note->Subject()) << "\n";
  return 0;
}

}  // namespace

void AddStoreCommands(std::map<std::string, Command>& c) {
  c["show folders"] = {"show folders",
                       "every store's folder tree with item counts; the notes "
                       "folder is marked [notes folder]",
                       ShowFolders};
  c["show items"] = {"show items FOLDER",
                     "a folder's items, numbered; * marks an item that has a note, "
                     "! one marked as having a note that it does not have",
                     ShowItems};
  c["show item"] = {"show item FOLDER N|SUBJECT",
                    "one item with its members, user properties and attachments",
                    ShowItem};
  c["show views"] = {"show views FOLDER", "a folder's views; > marks the current one",
                     ShowViews};
  c["rename folder"] = {"rename folder FOLDER NAME",
                        "rename a folder, as the user can in Outlook", RenameFolder};
  c["filter"] = {"filter on|off FOLDER",
                 "switch a folder to the \"Items with Notes\" view, and back", Filter,
                 true};
  c["note add"] = {"note add FOLDER N|SUBJECT",
                   "create an item's note in the notes folder and mark the item", NoteAdd,
                   true};
}

}  // namespace pinlet::app
