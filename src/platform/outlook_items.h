// Outlook's object model, store side: folders, items and what hangs off them.
//
// These are the host's automation objects as the add-in calls them, one
// abstract class per host interface, members named as the host names them.
// Objects are shared pointers; "Nothing" is nullptr. Every member may raise a
// HostError (a failed lookup, a property the item's class lacks, a host
// failure), so callers choose an error regime for each call.
//
// Typed or late-bound: members every item class has, and members that hand
// out objects (Recipients, Reply, the Open event), are typed. Scalar members
// that only some classes have (Body, HTMLBody, To, SentOn, ReminderTime,
// FlagStatus, FullName, ...) are reached through Item::Get and Item::Put by
// their host name, as a late-bound caller reaches them; see Item::Get for the
// list, their types and Outlook's coupling of the three bodies.
#ifndef PINLET_PLATFORM_OUTLOOK_ITEMS_H_
#define PINLET_PLATFORM_OUTLOOK_ITEMS_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/events.h"
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
class Recipient;
class Recipients;
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
using RecipientPtr = std::shared_ptr<Recipient>;
using RecipientsPtr = std::shared_ptr<Recipients>;
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

// Recipient types (OlMailRecipientType).
enum RecipientType : int { kOlTo = 1, kOlCC = 2, kOlBCC = 3 };
// Attachment types (OlAttachmentType): a copy of the file, or a link to it.
enum AttachmentType : int { kOlByValue = 1, kOlByReference = 4 };
// Mail body formats (OlBodyFormat, the BodyFormat member).
enum BodyFormat : int { kOlFormatPlain = 1, kOlFormatHTML = 2, kOlFormatRichText = 3 };
// The date Outlook answers for a date member that holds none: 1/1/4501.
constexpr double kOlNoDate = 949998.0;

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
  // The file's name without its folder ("report.doc").
  virtual std::string FileName() = 0;
  // The name shown under the attachment's icon; the file name unless the
  // attachment was added with another.
  virtual std::string DisplayName() = 0;
  // The linked file's full path for an attachment by reference; "" for an
  // attached copy.
  virtual std::string PathName() = 0;
  virtual int Type() = 0;  // AttachmentType
  virtual int Index() = 0;
  // Writes the attachment's bytes to the file `path`, replacing it; raises
  // when the folder of `path` does not exist (and, for a link, when the
  // linked file is gone).
  virtual void SaveAsFile(std::string_view path) = 0;
  virtual void Delete() = 0;
};

class Attachments {
 public:
  virtual ~Attachments() = default;
  virtual int Count() = 0;
  virtual AttachmentPtr Item(int index) = 0;  // 1-based
  // Attaches the file at `path`: a copy of its bytes (kOlByValue) or a link
  // to it (kOlByReference), shown as `display_name` when that is not empty.
  // Raises when the file does not exist.
  virtual AttachmentPtr Add(std::string_view path, int type = kOlByValue,
                            std::string_view display_name = "") = 0;
  virtual void Remove(int index) = 0;
};

// One addressee of a mail (or of a meeting, task or journal entry).
class Recipient {
 public:
  virtual ~Recipient() = default;
  // The display name; after a successful Resolve the address book's name.
  virtual std::string Name() = 0;
  // The e-mail address; "" until the recipient is resolved.
  virtual std::string Address() = 0;
  virtual int Type() = 0;  // RecipientType
  // Raises for a type other than To, Cc and Bcc.
  virtual void SetType(int type) = 0;
  virtual bool Resolved() = 0;
  // Looks the name up in the address book (the contacts' full names and
  // e-mail addresses); a name that is itself an e-mail address resolves to
  // that address. Returns whether it resolved; failing to resolve is an
  // answer, not an error.
  virtual bool Resolve() = 0;
  // Removes the recipient from its item.
  virtual void Delete() = 0;
};

class Recipients {
 public:
  virtual ~Recipients() = default;
  virtual int Count() = 0;
  virtual RecipientPtr Item(int index) = 0;  // 1-based; raises out of range
  // A new unresolved To recipient of that name; raises for an empty name.
  virtual RecipientPtr Add(std::string_view name) = 0;
  virtual void Remove(int index) = 0;  // 1-based; raises out of range
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
  // Opens the item's window: Inspectors' NewInspector fires, then the
  // item's Open. When a handler of Open cancels it the window closes again
  // before it shows (its Close fires) and Display returns quietly. An item
  // whose window is open already gets that window activated instead.
  virtual void Display() = 0;
  // The item's window, created (not shown) when the item has none open.
  virtual std::shared_ptr<Inspector> GetInspector() = 0;
  virtual UserPropertiesPtr UserProperties() = 0;
  virtual AttachmentsPtr Attachments() = 0;
  // The addressees of a mail, meeting, task or journal entry; raises 438 for
  // other classes.
  virtual RecipientsPtr Recipients() = 0;
  // A new unsaved mail answering this one, as Outlook's commands make it:
  // the subject prefixed "RE: " (Reply, ReplyAll) or "FW: " (Forward) unless
  // it starts so already; the original quoted below a header block, in the
  // original's body format. Reply addresses the sender (the person sent on
  // behalf of, when there is one); ReplyAll adds the original To and Cc
  // recipients except the mailbox's owner; Forward has no recipients and is
  // the only one that keeps the attachments. Raise 438 for classes without
  // the command (Reply and Forward: mail and post; ReplyAll: mail).
  virtual ItemPtr Reply() = 0;
  virtual ItemPtr ReplyAll() = 0;
  virtual ItemPtr Forward() = 0;
  // The Open(Cancel) event, raised when the item's window is about to show;
  // setting `cancel` keeps the window from showing. Held on the item itself,
  // so every handle on the same item sees it.
  virtual Subscription OnOpen(std::function<void(bool& cancel)> handler) = 0;
  // Whether `other` refers to this same item, by COM's identity rule (the
  // two references' IUnknown pointers are equal), which holds for an unsaved
  // item as well. Not a member of the item: it never raises and counts as
  // no call of the host's.
  virtual bool IsSameObject(const ItemPtr& other) = 0;

  // Late-bound members that depend on the item's class, by their host names.
  // A class that lacks the member raises 438, and so does writing a member
  // the host only reads. Types and what an item that never set one answers:
  // - text: Body, HTMLBody, RTFBody, To, CC, BCC, SenderName,
  //   SenderEmailAddress, SentOnBehalfOfName, FlagRequest, FullName, ... ("").
  //   To, CC and BCC are the "; "-joined names of the recipients of that
  //   type; writing one replaces those recipients by the names in the text.
  //   SentOnBehalfOfName is the sender unless the mail was sent on behalf of
  //   someone. RTFBody exists from Outlook 12 on; before, only the helper
  //   library's SafeMailItem reads it.
  // - Boolean: ReminderSet, UnRead (false).
  // - date: SentOn, ReceivedTime, ReminderTime, FlagDueBy, ... (kOlNoDate).
  // - number: BodyFormat (kOlFormatPlain), FlagStatus, FlagIcon (0).
  // Read-only: SenderName, SenderEmailAddress, SentOn, ReceivedTime.
  // The bodies are coupled as in Outlook: writing HTMLBody makes the mail an
  // HTML mail and Body its text; writing Body on an HTML mail replaces the
  // HTML by the plain text (formatting is lost), on a rich-text mail the RTF
  // likewise; HTMLBody of a mail that is not HTML is "".
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
  // The first item that satisfies a Jet filter such as "[Field] = 'value'",
  // or nullptr when none does. A user-defined field in a filter must be a
  // field of the folder; a filter the host cannot use raises.
  virtual ItemPtr Find(std::string_view filter) = 0;
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
  // The folder's description (its properties' "Description"); "" unless set.
  virtual std::string Description() = 0;
  virtual void SetDescription(std::string_view text) = 0;
  // nullptr for a store's root folder. (In Outlook the root's parent is the
  // NameSpace, whose default value is "MAPI"; a backend over COM answers
  // Nothing for it, so "three levels above an item is the namespace" reads
  // as "its folder's parent has no parent".)
  virtual FolderPtr Parent() = 0;
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
