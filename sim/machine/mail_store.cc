#include "sim/machine/mail_store.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cstdio>
#include <utility>

namespace pinlet::sim {

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

PropNode* ItemContent::FindProp(std::string_view name) {
  return const_cast<PropNode*>(std::as_const(*this).FindProp(name));
}

const PropNode* ItemContent::FindProp(std::string_view name) const {
  std::string folded = FoldCase(name);
  for (const PropNode& prop : user_props)
    if (FoldCase(prop.name) == folded) return &prop;
  return nullptr;
}

std::string FolderNode::Path() const {
  std::string path;
  for (const FolderNode* f = this; f; f = f->parent) path = "\\" + f->name + path;
  return "\\" + path;
}

FolderNode* FolderNode::Child(std::string_view child_name) const {
  std::string folded = FoldCase(child_name);
  for (auto& child : children)
    if (FoldCase(child->name) == folded) return child.get();
  return nullptr;
}

ViewNode* FolderNode::FindView(std::string_view view_name) {
  for (ViewNode& view : views)
    if (view.name == view_name) return &view;
  return nullptr;
}

int ClassForMessageClass(std::string_view message_class) {
  static const std::pair<std::string_view, int> kClasses[] = {
      {"ipm.note", 43},     {"ipm.post", 45},     {"ipm.appointment", 26},
      {"ipm.contact", 40},  {"ipm.distlist", 69}, {"ipm.task", 48},
      {"ipm.activity", 42}, {"ipm.document", 41}, {"ipm.stickynote", 44},
  };
  std::string folded = FoldCase(message_class);
  for (auto& [prefix, cls] : kClasses) {
    if (folded == prefix ||
        (folded.rfind(prefix, 0) == 0 && folded[prefix.size()] == '.'))
      return cls;
  }
  return 45;
}

std::string MessageClassForItemType(int item_type) {
  static const char* kTypes[] = {"IPM.Note", "IPM.Appointment", "IPM.Contact",
                                 "IPM.Task", "IPM.Activity",    "IPM.StickyNote",
                                 "IPM.Post", "IPM.DistList"};
  if (item_type < 0 || item_type > 7) return "";
  return kTypes[item_type];
}

MailStore::MailStore() = default;

std::string MailStore::NewEntryId() {
  // Loading refuses counters at the limit; 2^63 saves in one run do not happen.
  assert(next_id_ <= kMaxIdCounter);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "00000000A1B2C3D4E5F60718293A4B5C0700%016llX",
                static_cast<unsigned long long>(next_id_++));
  return buffer;
}

StoreNode& MailStore::AddStore(std::string name, bool with_default_folders) {
  auto store = std::make_unique<StoreNode>();
  store->name = std::move(name);
  // Numbered after the stores there are, skipping a number a loaded store holds.
  for (unsigned long long number = stores_.size() + 1; store->store_id.empty();
       ++number) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer,
                  "0000000038A1BB1005E5101AA1BB08002B2A56C20000%08llX", number);
    bool taken = false;
    for (const auto& existing : stores_) taken = taken || existing->store_id == buffer;
    if (!taken) store->store_id = buffer;
  }
  store->root = std::make_shared<FolderNode>();
  store->root->name = store->name;
  store->root->store = store.get();
  store->root->entry_id = NewEntryId();
  folders_by_id_[store->root->entry_id] = store->root.get();
  StoreNode& ref = *store;
  stores_.push_back(std::move(store));
  if (with_default_folders) {
    static const std::pair<const char*, int> kDefaults[] = {
        {"Deleted Items", 3}, {"Inbox", 6},     {"Outbox", 4},   {"Sent Items", 5},
        {"Calendar", 9},      {"Contacts", 10}, {"Journal", 11}, {"Notes", 12},
        {"Tasks", 13},        {"Drafts", 16}};
    for (auto& [folder_name, number] : kDefaults)
      ref.defaults[number] = &AddFolder(*ref.root, folder_name, number);
  }
  return ref;
}

FolderNode& MailStore::AddFolder(FolderNode& parent, std::string name, int kind) {
  auto folder = std::make_shared<FolderNode>();
  folder->name = std::move(name);
  folder->kind = kind;
  folder->store = parent.store;
  folder->parent = &parent;
  folder->entry_id = NewEntryId();
  folder->views = DefaultViews(kind);
  if (!folder->views.empty()) folder->current_view = folder->views.front().name;
  FolderNode& ref = *folder;
  folders_by_id_[folder->entry_id] = folder.get();
  parent.children.push_back(std::move(folder));
  return ref;
}

StoreNode& MailStore::AdoptStore(std::unique_ptr<StoreNode> store) {
  stores_.push_back(std::move(store));
  return *stores_.back();
}

void MailStore::AdoptItem(const std::shared_ptr<ItemNode>& item) {
  items_by_id_[item->entry_id] = item;
  File(item);
}

void MailStore::RegisterFolderId(FolderNode& folder) {
  folders_by_id_[folder.entry_id] = &folder;
}

void MailStore::RegisterItemId(const std::shared_ptr<ItemNode>& item) {
  items_by_id_[item->entry_id] = item;
}

std::shared_ptr<ItemNode> MailStore::NewItem(FolderNode& folder,
                                             std::string_view message_class) {
  auto item = std::make_shared<ItemNode>();
  item->message_class = std::string(message_class);
  item->cls = ClassForMessageClass(message_class);
  item->folder = &folder;
  return item;
}

void MailStore::IndexSubject(ItemNode& item) {
  // Buckets stay in filing order, so the first match is the earliest item.
  auto& list = item.folder->by_subject[FoldCase(item.subject)];
  auto at =
      std::upper_bound(list.begin(), list.end(), item.file_seq,
                       [](uint64_t seq, const ItemNode* p) { return seq < p->file_seq; });
  list.insert(at, &item);
}

void MailStore::UnindexSubject(ItemNode& item, std::string_view subject) {
  auto& index = item.folder->by_subject;
  auto bucket = index.find(FoldCase(subject));
  if (bucket == index.end()) return;
  auto& list = bucket->second;
  list.erase(std::remove(list.begin(), list.end(), &item), list.end());
  if (list.empty()) index.erase(bucket);
}

void MailStore::File(const std::shared_ptr<ItemNode>& item) {
  item->file_seq = next_seq_++;
  item->folder->items.push_back(item);
  IndexSubject(*item);
  item->in_folder = true;
  IndexFields(*item);
}

void MailStore::IndexFields(ItemNode& item) {
  if (!item.in_folder) return;
  for (auto& [field, index] : item.folder->field_index)
    for (const PropNode& prop : item.user_props)
      if (FoldCase(prop.name) == field) index.emplace(ToText(prop.value), &item);
}

void MailStore::UnindexFields(ItemNode& item) {
  if (!item.in_folder) return;
  for (auto& [field, index] : item.folder->field_index) {
    for (const PropNode& prop : item.user_props) {
      if (FoldCase(prop.name) != field) continue;
      auto [first, last] = index.equal_range(ToText(prop.value));
      for (auto it = first; it != last; ++it) {
        if (it->second != &item) continue;
        index.erase(it);
        break;
      }
    }
  }
}

ItemNode* MailStore::FindByField(FolderNode& folder, std::string_view field,
                                 std::string_view value) {
  std::string folded = FoldCase(field);
  auto built = folder.field_index.find(folded);
  if (built == folder.field_index.end()) {
    // The first question about a field indexes the folder once.
    built = folder.field_index.emplace(folded, decltype(built->second)()).first;
    for (auto& item : folder.items)
      for (const PropNode& prop : item->user_props)
        if (FoldCase(prop.name) == folded)
          built->second.emplace(ToText(prop.value), item.get());
  }
  ItemNode* first = nullptr;
  auto [from, to] = built->second.equal_range(std::string(value));
  for (auto it = from; it != to; ++it)
    if (!first || it->second->file_seq < first->file_seq) first = it->second;
  return first;
}

void MailStore::Unfile(ItemNode& item) {
  if (!item.in_folder) return;
  FolderNode& folder = *item.folder;
  auto it = std::find_if(folder.items.begin(), folder.items.end(),
                         [&](const auto& p) { return p.get() == &item; });
  if (it != folder.items.end()) folder.items.erase(it);
  UnindexSubject(item, item.subject);
  UnindexFields(item);
  item.in_folder = false;
}

void MailStore::SaveItem(const std::shared_ptr<ItemNode>& item, Date now) {
  item->last_modified = now;
  if (item->entry_id.empty()) {
    item->entry_id = NewEntryId();
    items_by_id_[item->entry_id] = item;
    // A search key is 16 bytes, unique like the EntryID it is made from.
    if (item->search_key.empty()) item->search_key = item->entry_id.substr(12);
    if (item->created.value() == 0) item->created = now;
  }
  if (!item->in_folder) File(item);
}

void MailStore::Reindex(ItemNode& item, std::string_view old_subject) {
  if (!item.in_folder) return;
  UnindexSubject(item, old_subject);
  IndexSubject(item);
}

std::shared_ptr<ItemNode> MailStore::MoveItem(const std::shared_ptr<ItemNode>& item,
                                              FolderNode& destination, Date now) {
  StoreNode* from = item->folder->store;
  bool keeps_id = from == destination.store && from->kind == StoreKind::kPst;
  if (keeps_id || item->entry_id.empty()) {
    Unfile(*item);
    item->folder = &destination;
    SaveItem(item, now);
    return item;
  }
  // A copy and a delete: the item there is a new one, which keeps what the
  // moved item was created as.
  std::shared_ptr<ItemNode> moved = CopyItem(*item, destination, now);
  moved->created = item->created;
  moved->last_modified = item->last_modified;
  moved->former_ids = item->former_ids;
  moved->former_ids.push_back(item->entry_id);
  Unfile(*item);
  items_by_id_.erase(item->entry_id);
  item->gone = true;
  return moved;
}

std::shared_ptr<ItemNode> MailStore::CopyItem(const ItemNode& item,
                                              FolderNode& destination, Date now) {
  auto copy = std::make_shared<ItemNode>();
  static_cast<ItemContent&>(*copy) = static_cast<const ItemContent&>(item);
  for (auto& recipient : copy->recipients)
    recipient = std::make_shared<RecipientNode>(*recipient);
  copy->search_key = item.search_key;
  copy->folder = &destination;
  SaveItem(copy, now);
  return copy;
}

std::shared_ptr<ItemNode> MailStore::DeleteItem(const std::shared_ptr<ItemNode>& item,
                                                Date now) {
  StoreNode* store = item->folder->store;
  auto deleted = store->defaults.find(3);
  if (deleted != store->defaults.end() && item->folder != deleted->second)
    return MoveItem(item, *deleted->second, now);
  Unfile(*item);
  if (!item->entry_id.empty()) items_by_id_.erase(item->entry_id);
  item->gone = true;
  return nullptr;
}

FolderNode* MailStore::FindFolder(std::string_view entry_id, std::string_view store_id) {
  auto it = folders_by_id_.find(std::string(entry_id));
  if (it == folders_by_id_.end()) return nullptr;
  if (!store_id.empty() && it->second->store->store_id != store_id) return nullptr;
  return it->second;
}

std::shared_ptr<ItemNode> MailStore::FindItem(std::string_view entry_id,
                                              std::string_view store_id) {
  auto it = items_by_id_.find(std::string(entry_id));
  if (it == items_by_id_.end()) return nullptr;
  if (!store_id.empty() && it->second->folder->store->store_id != store_id)
    return nullptr;
  return it->second;
}

ItemNode* MailStore::FindBySubject(FolderNode& folder, std::string_view subject) {
  auto it = folder.by_subject.find(FoldCase(subject));
  if (it == folder.by_subject.end() || it->second.empty()) return nullptr;
  return it->second.front();
}

void MailStore::ForgetFolder(FolderNode& folder) {
  folder.forgotten = true;
  folders_by_id_.erase(folder.entry_id);
  for (auto& item : folder.items) {
    items_by_id_.erase(item->entry_id);
    item->gone = true;
  }
  for (auto& child : folder.children) ForgetFolder(*child);
}

std::shared_ptr<ItemNode> MailStore::SharedItem(ItemNode* item) {
  return item ? item->shared_from_this() : nullptr;
}

}  // namespace pinlet::sim
