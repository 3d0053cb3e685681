// What the user does to items in Outlook itself: moving, copying and
// deleting them, AutoArchive, and carrying a whole store to a new machine
// with Import and Export. Each changes EntryIDs as the store's kind has
// Outlook change them (see the mail store), and the windows that showed a
// moved item see it leave their selection.
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "sim/app/script.h"
#include "platform/display_text.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::app {
namespace {

using sim::FolderNode;
using sim::ItemNode;

// AutoArchive's own default: items older than six months.
constexpr int64_t kDefaultArchiveDays = 180;

// Tells the running Outlook's windows that the item left its folder.
void LeftFolder(Driver& d, const ItemNode& item) {
  if (sim::SimOutlook* outlook = d.world().outlook) outlook->ItemLeftFolder(item);
}

// "EntryID kept" or "new EntryID ...": what the move did to the identifier.
std::string IdentifierNews(const std::string& before, const ItemNode& after) {
  if (after.entry_id == before) return "EntryID kept";
  return "new EntryID " + Printable(after.entry_id);
}

std::string Named(const ItemNode& item) {
  return "'" +
         (item.subject.empty() ? std::string("(no subject)") : Printable(item.subject)) +
         "'";
}

// The item and the destination of "move item" and "copy item" (FOLDER
// N|SUBJECT DEST); false with `error` set when either is not there.
bool ItemAndDestination(Driver& d, const std::vector<std::string>& args,
                        std::shared_ptr<ItemNode>& item, FolderNode*& destination,
                        std::string& error) {
  item = ResolveFolderItem(d, args[0], args[1], error);
  destination = item ? ResolveFolder(d, args[2], error) : nullptr;
  return destination != nullptr;
}

int MoveItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  std::shared_ptr<ItemNode> item;
  FolderNode* destination = nullptr;
  if (args.size() != 3 || !ItemAndDestination(d, args, item, destination, error)) return 2;
  if (destination == item->folder) {
    error = Named(*item) + " is in " + Printable(destination->Path()) + " already";
    return 2;
  }
  std::string before = item->entry_id;
  auto moved = d.world().store.MoveItem(item, *destination, d.world().clock.now());
  LeftFolder(d, *item);
  out << "moved " << Named(*moved) << " to " << Printable(destination->Path()) << ": "
      << IdentifierNews(before, *moved) << "\n";
  return 0;
}

int CopyItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  std::shared_ptr<ItemNode> item;
  FolderNode* destination = nullptr;
  if (args.size() != 3 || !ItemAndDestination(d, args, item, destination, error)) return 2;
  auto copy = d.world().store.CopyItem(*item, *destination, d.world().clock.now());
  out << "copied " << Named(*item) << " to " << Printable(destination->Path())
      << ": the copy's EntryID is " << Printable(copy->entry_id) << "\n";
  return 0;
}

int DeleteItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.size() != 2) return 2;
  std::shared_ptr<ItemNode> item = ResolveFolderItem(d, args[0], args[1], error);
  if (!item) return 2;
  std::string before = item->entry_id;
  auto there = d.world().store.DeleteItem(item, d.world().clock.now());
  LeftFolder(d, *item);
  if (!there) {
    out << "deleted " << Named(*item) << " for good\n";
    return 0;
  }
  out << "deleted " << Named(*there) << " to " << Printable(there->folder->Path()) << ": "
      << IdentifierNews(before, *there) << "\n";
  return 0;
}

int Archive(Driver& d, const std::vector<std::string>& args, std::ostream& out,
            std::string& error) {
  int64_t days = kDefaultArchiveDays;
  if (!args.empty()) {
    std::optional<int64_t> value = args.size() == 2 && args[0] == "--older-than"
                                       ? ParseInteger(args[1], 0, 36500)
                                       : std::nullopt;
    if (!value) {
      error = "expected --older-than DAYS, a number of days from 0 to 36500";
      return 2;
    }
    days = *value;
  }
  std::vector<std::shared_ptr<ItemNode>> old =
      d.world().store.ArchiveOldItems(d.world().clock.now(), static_cast<double>(days));
  out << "AutoArchive: " << old.size() << (old.size() == 1 ? " item" : " items")
      << " older than " << days << (days == 1 ? " day" : " days") << " moved\n";
  for (const auto& item : old) {
    LeftFolder(d, *item);
    out << "  " << Named(*item) << "\n";
  }
  return 0;
}

int MigrateStore(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.size() != 1) return 2;
  if (d.world().outlook) {
    error = "a store is exported and imported with Outlook closed (stop first)";
    return 2;
  }
  sim::StoreNode* store = nullptr;
  for (const auto& s : d.world().store.stores())
    if (sim::FoldCase(s->name) == sim::FoldCase(args[0])) store = s.get();
  if (!store) {
    error = "no store '" + Printable(args[0]) + "' (see show folders)";
    return 2;
  }
  sim::StoreNode& copy = d.world().store.MigrateStore(*store, d.world().clock.now());
  out << "exported '" << Printable(copy.name) << "' and imported it into a new profile: "
      << "every folder and item has a new EntryID; the new StoreID is "
      << Printable(copy.store_id) << "\n";
  return 0;
}

}  // namespace

void AddMoveCommands(std::map<std::string, Command>& c) {
  c["move item"] = {"move item FOLDER N|SUBJECT DEST",
                    "the user moves an item to another folder or store", MoveItem};
  c["copy item"] = {"copy item FOLDER N|SUBJECT DEST",
                    "the user copies an item to a folder", CopyItem};
  c["delete item"] = {
      "delete item FOLDER N|SUBJECT",
      "the user deletes an item: to Deleted Items, or from there for good", DeleteItem};
  c["archive"] = {"archive [--older-than DAYS]",
                  "AutoArchive moves the default store's old items into the \"Archive\" "
                  "store (default: older than 180 days)",
                  Archive};
  c["migrate store"] = {"migrate store NAME",
                        "the store exported and imported into a new profile, as when "
                        "moving to a new PC: new EntryIDs everywhere",
                        MigrateStore};
}

}  // namespace pinlet::app
