// Outlook's object model, store side: folders, items and what hangs off them.
//
// These are the host's automation objects as the add-in calls them, one
// abstract class per host interface, members named as the host names them.
// Objects are shared pointers; "Nothing" is nullptr. Every member may raise a
// HostError (a failed lookup, a property the item's class lacks, a host
// failure), so callers choose an error regime for each call.
#ifndef PINLET_PLATFORM_OUTLOOK_ITEMS_H_
#define PINLET_PLATFORM_OUTLOOK_ITEMS_H_

#include <memory>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/variant.h"

namespace pinlet::ol {

class Item;
class Items;
class Inspector;
class Folder;
class Folders;
class UserProperty;
class UserProperties;
class Attachment;
class Attachments;
class View;
class Views;
using ItemPtr = std::shared_ptr<Item>;
using ItemsPtr = std::shared_ptr<Items>;
using FolderPtr = std::shared_ptr<Folder>;
using FoldersPtr = std::shared_ptr<Folders>;
using UserPropertyPtr = std::shared_ptr<UserProperty>;
using UserPropertiesPtr = std::shared_ptr<UserProperties>;
using AttachmentPtr = std::shared_ptr<Attachment>;
using AttachmentsPtr = std::shared_ptr<Attachments>;
using ViewPtr = std::shared_ptr<View>;
using ViewsPtr = std::shared_ptr<Views>;

// Item classes (the Class property).
enum ObjectClass : int {
  kAppointment = 26,
  kExplorerObject = 34,
  kInspectorObject = 35,
  kContact = 40,
  kDocument = 41,
  kJournal = 42,
  kMail = 43,
  kNote = 44,
  kPost = 45,
  kTask = 48,
  kDistList = 69,
};

// Item types for Items.Add and CreateItem (OlItemType).
enum ItemType : int {
  kMailItem = 0,
  kAppointmentItem = 1,
  kContactItem = 2,
  kTaskItem = 3,
  kJournalItem = 4,
  kNoteItem = 5,
  kPostItem = 6,
  kDistListItem = 7,
};

// Default folders (OlDefaultFolders).
enum DefaultFolder : int {
  kFolderDeletedItems = 3,
  kFolderOutbox = 4,
  kFolderSentMail = 5,
  kFolderInbox = 6,
  kFolderCalendar = 9,
  kFolderContacts = 10,
  kFolderJournal = 11,
  kFolderNotes = 12,
  kFolderTasks = 13,
  kFolderDrafts = 16,
};

constexpr int kOlText = 1;       // user property type: text
constexpr int kOlTableView = 0;  // view types
constexpr int kOlCardView = 1;
constexpr int kOlCalendarView = 2;

class UserProperty {
 public:
  virtual ~UserProperty() = default;
  virtual std::string Name() = 0;
  virtual int Type() = 0;
  virtual Variant Value() = 0;
  virtual void SetValue(const Variant& value) = 0;
  // Removes the property from its item.
  virtual void Delete() = 0;
};

class UserProperties {
 public:
  virtual ~UserProperties() = default;
  virtual int Count() = 0;
  // 1-based; raises for an index out of range.
  virtual UserPropertyPtr Item(int index) = 0;
  // Raises when the item has no property of that name.
  virtual UserPropertyPtr Item(std::string_view name) = 0;
  // nullptr when the item has no property of that name.
  virtual UserPropertyPtr Find(std::string_view name) = 0;
  // Adds the property (raises if it exists); with add_to_folder_fields the
  // name also becomes a user field of the item's folder.
  virtual UserPropertyPtr Add(std::string_view name, int type,
                              bool add_to_folder_fields) = 0;
  virtual void Remove(int index) = 0;
};

class Attachment {
 public:
  virtual ~Attachment() = default;
  virtual std::string FileName() = 0;
  virtual std::string DisplayName() = 0;
  virtual int Index() = 0;
  virtual void SaveAsFile(std::string_view path) = 0;
  virtual void Delete() = 0;
};

class Attachments {
 public:
  virtual ~Attachments() = default;
  virtual int Count() = 0;
  virtual AttachmentPtr Item(int index) = 0;  // 1-based
  // Attaches a copy of the file at `path`; raises when it cannot be read.
  virtual AttachmentPtr Add(std::string_view path) = 0;
  virtual void Remove(int index) = 0;
};

class Item {
 public:
  virtual ~Item() = default;
  virtual int Class() = 0;
  virtual std::string MessageClass() = 0;
  virtual void SetMessageClass(std::string_view value) = 0;
  virtual std::string Subject() = 0;
  virtual void SetSubject(std::string_view value) = 0;
  // Empty until the item is saved for the first time.
  virtual std::string EntryID() = 0;
  virtual FolderPtr Parent() = 0;
  virtual Date LastModificationTime() = 0;
  virtual bool Saved() = 0;
  virtual void Save() = 0;
  // Moves the item to Deleted Items, or deletes it for good from there.
  virtual void Delete() = 0;
  // Moves the item into `folder` and returns it there.
  virtual ItemPtr Move(const FolderPtr& folder) = 0;
  virtual void Display() = 0;
  // The item's window, created (not shown) when the item has none open.
  virtual std::shared_ptr<Inspector> GetInspector() = 0;
  virtual UserPropertiesPtr UserProperties() = 0;
  virtual AttachmentsPtr Attachments() = 0;
  // Late-bound members that depend on the item's class (FlagStatus,
  // FlagIcon, FlagRequest, FullName, Body, ...): raise error 438 when the
  // class lacks the member.
  virtual Variant Get(std::string_view member) = 0;
  virtual void Put(std::string_view member, const Variant& value) = 0;
};

class Items {
 public:
  virtual ~Items() = default;
  virtual int Count() = 0;
  virtual ItemPtr Item(int index) = 0;  // 1-based; raises out of range
  // The item whose Subject equals `subject`; raises when there is none.
  virtual ItemPtr Item(std::string_view subject) = 0;
  // A new unsaved item of an item type (OlItemType) or a message class.
  virtual ItemPtr Add(int item_type) = 0;
  virtual ItemPtr Add(std::string_view message_class) = 0;
};

class View {
 public:
  virtual ~View() = default;
  virtual std::string Name() = 0;
  virtual int ViewType() = 0;
  virtual std::string XML() = 0;
  virtual void SetXML(std::string_view xml) = 0;
  virtual void Save() = 0;
};

class Views {
 public:
  virtual ~Views() = default;
  virtual int Count() = 0;
  virtual ViewPtr Item(int index) = 0;              // 1-based
  virtual ViewPtr Item(std::string_view name) = 0;  // raises when absent
  virtual ViewPtr Add(std::string_view name, int view_type, int save_option) = 0;
  virtual void Remove(int index) = 0;
};

class Folder {
 public:
  virtual ~Folder() = default;
  virtual int Class() = 0;  // 2, olFolder
  virtual std::string Name() = 0;
  virtual void SetName(std::string_view name) = 0;
  virtual std::string EntryID() = 0;
  virtual std::string StoreID() = 0;
  virtual std::string FolderPath() = 0;
  virtual FolderPtr Parent() = 0;  // nullptr for a store's root folder
  virtual FoldersPtr Folders() = 0;
  virtual ItemsPtr Items() = 0;
  virtual ViewsPtr Views() = 0;
  virtual ViewPtr CurrentView() = 0;
  virtual bool CustomViewsOnly() = 0;
  virtual void SetCustomViewsOnly(bool value) = 0;
  virtual void Delete() = 0;
};

class Folders {
 public:
  virtual ~Folders() = default;
  virtual int Count() = 0;
  virtual FolderPtr Item(int index) = 0;              // 1-based
  virtual FolderPtr Item(std::string_view name) = 0;  // raises when absent
  // Creates a subfolder; `type` is a default-folder number giving its kind.
  virtual FolderPtr Add(std::string_view name, int type) = 0;
};

}  // namespace pinlet::ol

#endif  // PINLET_PLATFORM_OUTLOOK_ITEMS_H_
