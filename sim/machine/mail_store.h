// The simulated profile's data: stores, folders, items, views.
//
// This is the state behind the simulated object model (sim_outlook_*.h): the
// host objects handed to the add-in are thin handles on these nodes. It
// enforces the host's rules that do not depend on who asks: an item has no
// EntryID until its first save; EntryIDs and StoreIDs are unique hexadecimal
// strings; Items(subject) and Items.Find on a user field are answered from
// per-folder indexes, never a scan, so folders of 100 000 items are normal;
// deleting moves an item to its store's Deleted Items, and deleting it there
// removes it for good.
//
// Moves and copies follow the store's kind (KB 293152): in a personal
// folders file a move inside the store keeps the EntryID; in an Exchange
// mailbox every move is a copy and a delete, so the moved item is a new item
// with a new EntryID; a move to another store and every copy give a new one.
// What travels is the item's whole content (user properties, flags, MAPI
// properties, attachments); the search key and the creation time are kept
// on a move, and a copy keeps the search key but is created anew.
#ifndef PINLET_SIM_MACHINE_MAIL_STORE_H_
#define PINLET_SIM_MACHINE_MAIL_STORE_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/date.h"
#include "platform/events.h"
#include "platform/variant.h"

namespace pinlet::sim {

struct FolderNode;
struct StoreNode;

struct PropNode {
  std::string name;
  int type = 1;
  Variant value;
};

struct AttachmentNode {
  std::string file_name;
  std::string content;            // the bytes of an attached copy
  std::string display_name = "";  // "" shows the file name
  std::string path_name = "";     // the linked file of an attachment by reference
  int type = 1;                   // OlAttachmentType: 1 by value, 4 by reference
};

struct RecipientNode {
  std::string name;
  std::string address;  // "" until resolved
  int type = 1;         // OlMailRecipientType: 1 To, 2 Cc, 3 Bcc
  bool resolved = false;
};

// What an item holds: the part of an item that a host object of it may
// change and keep unsaved until its Save (item_object.h).
struct ItemContent {
  int cls = 43;
  std::string message_class;
  std::string subject;
  std::vector<PropNode> user_props;
  // Class-specific members by host name (Body, HTMLBody, RTFBody,
  // BodyFormat, SenderName, SenderEmailAddress, SentOnBehalfOfName, SentOn,
  // ReminderTime, ...); mail_content.h keeps the bodies coupled.
  std::map<std::string, Variant, std::less<>> members;
  std::map<uint32_t, Variant> mapi_props;  // MAPI properties by tag
  std::vector<AttachmentNode> attachments;
  // Shared so that a recipient object keeps meaning the same addressee
  // while others are added or removed.
  std::vector<std::shared_ptr<RecipientNode>> recipients;

  PropNode* FindProp(std::string_view name);
  const PropNode* FindProp(std::string_view name) const;
};

// An item as the store keeps it: its stored content, and where and whether
// it is filed.
struct ItemNode : ItemContent, std::enable_shared_from_this<ItemNode> {
  std::string entry_id;  // empty until the first save
  // PR_SEARCH_KEY: given at the first save, kept on a move and copied on a
  // copy, so the original and its copies share it.
  std::string search_key;
  Date created;  // CreationTime: the first save; kept on a move
  // The EntryIDs the item had before moves gave it new ones: the
  // simulation's own record, which Outlook does not keep, for the failure
  // sweeps to follow an item.
  std::vector<std::string> former_ids;
  FolderNode* folder = nullptr;
  bool in_folder = false;  // saved into the folder's item list
  bool gone = false;       // deleted for good
  uint64_t file_seq = 0;   // order of filing into the folder
  Date last_modified;

  // The state of the running host, not kept in the mailbox file: the item's
  // Open event, held on the item, so that every handle on it sees it.
  Event<bool&> open;

  // What the fault injector records as the target of a call on this item:
  // its EntryID, or "(new item)" before its first save.
  std::string_view target() const {
    return entry_id.empty() ? std::string_view("(new item)") : std::string_view(entry_id);
  }
};

struct ViewNode {
  std::string name;
  int type = 0;
  std::string xml;
  int save_option = 0;
};

struct FolderNode {
  std::string name;
  std::string entry_id;
  int kind = 6;  // the default-folder number whose kind of items it holds
  StoreNode* store = nullptr;
  FolderNode* parent = nullptr;
  std::vector<std::shared_ptr<FolderNode>> children;
  std::vector<std::shared_ptr<ItemNode>> items;
  std::unordered_map<std::string, std::vector<ItemNode*>> by_subject;  // folded subject
  std::vector<ViewNode> views;
  std::string current_view;
  bool custom_views_only = false;
  std::vector<std::string> user_fields;
  // The user fields Items.Find was asked about: folded field name -> its
  // values' items, kept up to date as items are filed, changed and unfiled.
  std::unordered_map<std::string, std::unordered_multimap<std::string, ItemNode*>>
      field_index;
  std::string description;
  bool forgotten = false;  // deleted for good

  // "\\Store name\Folder\Subfolder", as FolderPath shows it.
  std::string Path() const;
  FolderNode* Child(std::string_view name) const;
  ViewNode* FindView(std::string_view name);
};

// What kind of store: a personal folders file, or an Exchange mailbox.
enum class StoreKind { kPst, kExchange };

struct StoreNode {
  std::string name;
  StoreKind kind = StoreKind::kPst;
  std::string store_id;
  std::shared_ptr<FolderNode> root;
  std::map<int, FolderNode*> defaults;  // default-folder number -> folder
};

// Item class for a message class ("IPM.Contact" -> 40); unknown classes hold posts.
int ClassForMessageClass(std::string_view message_class);
// Message class for an item type of Items.Add (6 -> "IPM.Post"); "" when unknown.
std::string MessageClassForItemType(int item_type);
// The default-folder kind a folder type of Folders.Add stands for.
// The standard views of a folder of that kind, the first one current.
std::vector<ViewNode> DefaultViews(int folder_kind);
// View XML for a new view of a type (table, card, ...) in such a folder.
std::string NewViewXml(int folder_kind, std::string_view view_name, int view_type);

class MailStore {
 public:
  MailStore();

  // A new store; with default folders it gets the standard folder tree
  // (Inbox, Outbox, Sent Items, Deleted Items, Drafts, Calendar, Contacts,
  // Tasks, Journal, Notes), each with its standard views.
  StoreNode& AddStore(std::string name, bool with_default_folders);
  FolderNode& AddFolder(FolderNode& parent, std::string name, int kind);
  // A new unsaved item that will be saved into `folder`.
  std::shared_ptr<ItemNode> NewItem(FolderNode& folder, std::string_view message_class);
  // Saves: assigns the EntryID on the first save, files the item and its subject.
  void SaveItem(const std::shared_ptr<ItemNode>& item, Date now);
  // Moves a saved item into another folder and answers the item there: the
  // same node when the EntryID is kept (inside a personal folders file),
  // otherwise a new node with a new EntryID, the old one gone.
  std::shared_ptr<ItemNode> MoveItem(const std::shared_ptr<ItemNode>& item,
                                     FolderNode& destination, Date now);
  // A saved copy in `destination`, with a new EntryID and creation time.
  std::shared_ptr<ItemNode> CopyItem(const ItemNode& item, FolderNode& destination,
                                     Date now);
  // To Deleted Items, or for good when it is there already; answers the item
  // in Deleted Items, or nullptr when it is gone.
  std::shared_ptr<ItemNode> DeleteItem(const std::shared_ptr<ItemNode>& item, Date now);
  // The user properties of a filed item are about to change, or have changed:
  // keeps the folder's field indexes right.
  void UnindexFields(ItemNode& item);
  void IndexFields(ItemNode& item);
  // The first item of the folder (in filing order) whose user property
  // `field` holds the text `value`, through the folder's index of that field.
  ItemNode* FindByField(FolderNode& folder, std::string_view field,
                        std::string_view value);
  // Keeps the subject index right after an item's subject changed.
  void Reindex(ItemNode& item, std::string_view old_subject);

  // AutoArchive with its default settings (mail_store_moves.cc): moves
  // every item of the default store's Calendar, Tasks, Journal, Sent Items
  // and Deleted Items (and the folders below them) whose age, the later of
  // its received and last modification times, is more than `days`, into the
  // store named "Archive" (a personal folders file, made when missing)
  // under the same folder path, making folders where missing. Answers each
  // moved item's old node.
  std::vector<std::shared_ptr<ItemNode>> ArchiveOldItems(Date now, double days);
  // Export to a file and import into a new profile: a new store of the same
  // name and kind takes the old one's place, holding a copy of every folder
  // and item with new EntryIDs (search keys and creation times kept); the
  // old store is gone. Answers the new store.
  StoreNode& MigrateStore(StoreNode& store, Date now);

  FolderNode* FindFolder(std::string_view entry_id, std::string_view store_id = "");
  std::shared_ptr<ItemNode> FindItem(std::string_view entry_id,
                                     std::string_view store_id = "");
  // The first item of the folder whose subject equals `subject` (folded case).
  ItemNode* FindBySubject(FolderNode& folder, std::string_view subject);
  std::shared_ptr<ItemNode> SharedItem(ItemNode* item);

  const std::vector<std::unique_ptr<StoreNode>>& stores() const { return stores_; }
  StoreNode* default_store() { return stores_.empty() ? nullptr : stores_.front().get(); }
  // Used by loading, to keep identifiers stable across runs.
  StoreNode& AdoptStore(std::unique_ptr<StoreNode> store);
  // Files a loaded, saved item (with its EntryID) into its folder.
  void AdoptItem(const std::shared_ptr<ItemNode>& item);
  // New EntryIDs end in the counter's value as 16 hexadecimal digits, counting
  // up from 1. The counter never passes kMaxIdCounter, which leaves more
  // identifiers than any run can use, so identifiers never wrap and never repeat.
  static constexpr uint64_t kMaxIdCounter = 0x7FFFFFFFFFFFFFFF;
  uint64_t id_counter() const { return next_id_; }
  void RegisterFolderId(FolderNode& folder);
  void RegisterItemId(const std::shared_ptr<ItemNode>& item);
  // Makes the counter count on after `in_use`, an identifier's counter value
  // already taken. False (and nothing changes) when `in_use` is kMaxIdCounter or
  // more: no identifier is left after it.
  bool BumpIdCounter(uint64_t in_use) {
    if (in_use >= kMaxIdCounter) return false;
    if (next_id_ <= in_use) next_id_ = in_use + 1;
    return true;
  }
  std::string NewEntryId();
  // Drops a folder deleted for good, with its subfolders and items, from the
  // identifier maps; handles on it then raise.
  void ForgetFolder(FolderNode& folder);
  bool IsForgotten(const FolderNode& folder) const { return folder.forgotten; }
  // Folders deleted for good, kept alive for handles that still point at them.
  std::vector<std::shared_ptr<FolderNode>> graveyard;

 private:
  void Unfile(ItemNode& item);
  void File(const std::shared_ptr<ItemNode>& item);
  void IndexSubject(ItemNode& item);
  void CopyFolderTree(const FolderNode& from, FolderNode& to, Date now);
  void UnindexSubject(ItemNode& item, std::string_view subject);

  std::vector<std::unique_ptr<StoreNode>> stores_;
  // Stores removed by a migration, kept for the folders that point at them.
  std::vector<std::unique_ptr<StoreNode>> retired_stores_;
  std::unordered_map<std::string, FolderNode*> folders_by_id_;
  std::unordered_map<std::string, std::shared_ptr<ItemNode>> items_by_id_;
  uint64_t next_id_ = 1;
  uint64_t next_seq_ = 1;
};

std::string FoldCase(std::string_view text);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_MAIL_STORE_H_
