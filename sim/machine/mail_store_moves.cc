// The user's big moves of items: AutoArchive, and the export and import of a
// whole store when moving to a new machine.
#include <algorithm>

#include "platform/outlook_items.h"
#include "sim/machine/mail_store.h"

namespace pinlet::sim {
namespace {

// How old an item is for AutoArchive: for mail the later of its received
// and last modification times, for the others the last modification.
double AgeOf(const ItemNode& item, Date now) {
  double when = item.last_modified.value();
  auto received = item.members.find("ReceivedTime");
  if (received != item.members.end() && received->second.IsDate())
    when = std::max(when, received->second.date_value().value());
  return now.value() - when;
}

// Whether AutoArchive's default settings archive the folder: on for
// Calendar, Tasks, Journal, Sent Items and Deleted Items; off for Inbox,
// Drafts, Outbox and Notes; Contacts have no AutoArchive. A folder the user
// made follows the default folder it lies in, and is off outside them.
bool Archivable(const FolderNode& folder) {
  for (const FolderNode* f = &folder; f; f = f->parent) {
    for (auto& [number, node] : f->store->defaults) {
      if (node != f) continue;
      return number == ol::kFolderCalendar || number == ol::kFolderTasks ||
             number == ol::kFolderJournal || number == ol::kFolderSentMail ||
             number == ol::kFolderDeletedItems;
    }
  }
  return false;
}

void CollectOld(const FolderNode& folder, Date now, double days,
                std::vector<std::shared_ptr<ItemNode>>& old) {
  if (Archivable(folder))
    for (const auto& item : folder.items)
      if (AgeOf(*item, now) > days) old.push_back(item);
  for (const auto& child : folder.children) CollectOld(*child, now, days, old);
}

// The folder of `archive` at the same path below its root as `folder` below
// its own, made where missing with the same kind.
FolderNode& Counterpart(MailStore& store, const FolderNode& folder, StoreNode& archive) {
  if (!folder.parent) return *archive.root;
  FolderNode& parent = Counterpart(store, *folder.parent, archive);
  if (FolderNode* there = parent.Child(folder.name)) return *there;
  return store.AddFolder(parent, folder.name, folder.kind);
}

}  // namespace

std::vector<std::shared_ptr<ItemNode>> MailStore::ArchiveOldItems(Date now, double days) {
  std::vector<std::shared_ptr<ItemNode>> old;
  StoreNode* from = default_store();
  if (!from) return old;
  CollectOld(*from->root, now, days, old);
  if (old.empty()) return old;
  StoreNode* archive = nullptr;
  for (const auto& store : stores_)
    if (store.get() != from && FoldCase(store->name) == "archive") archive = store.get();
  if (!archive) archive = &AddStore("Archive", false);
  for (const auto& item : old)
    MoveItem(item, Counterpart(*this, *item->folder, *archive), now);
  return old;
}

void MailStore::CopyFolderTree(const FolderNode& from, FolderNode& to, Date now) {
  to.views = from.views;
  to.current_view = from.current_view;
  to.custom_views_only = from.custom_views_only;
  to.user_fields = from.user_fields;
  to.description = from.description;
  for (const auto& item : from.items) {
    auto copy = CopyItem(*item, to, now);
    copy->created = item->created;
    copy->last_modified = item->last_modified;
    copy->former_ids = item->former_ids;
    copy->former_ids.push_back(item->entry_id);
  }
  for (const auto& child : from.children) {
    FolderNode& copy = AddFolder(to, child->name, child->kind);
    for (auto& [number, node] : from.store->defaults)
      if (node == child.get()) to.store->defaults[number] = &copy;
    CopyFolderTree(*child, copy, now);
  }
}

StoreNode& MailStore::MigrateStore(StoreNode& store, Date now) {
  const size_t at =
      static_cast<size_t>(std::find_if(stores_.begin(), stores_.end(),
                                       [&](const auto& s) { return s.get() == &store; }) -
                          stores_.begin());
  StoreNode& copy = AddStore(store.name, false);
  copy.kind = store.kind;
  CopyFolderTree(*store.root, *copy.root, now);
  // The new store takes the old one's place; the old one's folders and
  // items are gone, and handles on them raise.
  std::unique_ptr<StoreNode> old = std::move(stores_[at]);
  stores_[at] = std::move(stores_.back());
  stores_.pop_back();
  ForgetFolder(*old->root);
  graveyard.push_back(old->root);
  retired_stores_.push_back(std::move(old));
  return copy;
}

}  // namespace pinlet::sim
