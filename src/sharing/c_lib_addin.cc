#include "sharing/c_lib_addin.h"

#include "addin/string_table.h"
#include "platform/host_error.h"
#include "store/note_link.h"
#include "store/note_property.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"
#include "store/shared_folders.h"

namespace pinlet {
namespace {

constexpr std::string_view kDeletedItems = "Deleted Items";

}  // namespace

std::string cLibAddin::DatabasePath() {
  return basRelaybook::DatabasePathFor(placement_);
}

std::string cLibAddin::ProductCode() { return LoadResString(res::kProductName); }

void cLibAddin::onItemAdded(const ol::ItemPtr&, bool& result) { result = true; }

void cLibAddin::onItemChanged(const ol::ItemPtr&, bool& result) { result = true; }

void cLibAddin::onItemReceived(const ol::ItemPtr&, const std::string&, bool& result) {
  result = true;
}

void cLibAddin::onItemResend(const ol::ItemPtr&, const std::string&, bool& result) {
  result = true;
}

void cLibAddin::onFolderReceived(const ol::FolderPtr&, const std::string&) {}

void cLibAddin::onPostprocess(const std::string&, const std::string&) {}

bool cLibAddin::IsUnsharedFolder(const std::string& folder_id) {
  for (int number : {ol::kFolderOutbox, ol::kFolderDrafts, ol::kFolderDeletedItems}) {
    std::string id;
    if (!IgnoreError(
            [&] { id = Must(ctx_.name_space).GetDefaultFolder(number)->EntryID(); }))
      return true;
    if (id == folder_id) return true;
  }
  return false;
}

void cLibAddin::onItemDeleted(const ol::ItemPtr& item, bool&) {
  AddinContext& ctx = ctx_;
  if (!item) return;
  // 1. The item's marker, "FALSE" when it has none or it cannot be read.
  bool document = false;
  IgnoreError([&] { document = item->Class() == ol::kDocument; });
  std::string marker = "FALSE";
  IgnoreError([&] {
    if (document) {
      std::shared_ptr<CdoSession> session = basRelaybook::GetCDOObject(ctx);
      auto message =
          Must(session).GetMessage(item->EntryID(), Must(item->Parent()).StoreID());
      if (auto value = ReadField(message, kHasNoteProperty)) marker = *value;
    } else if (ol::UserPropertyPtr prop =
                   item->UserProperties()->Find(kHasNoteProperty)) {
      marker = ToText(prop->Value());
    }
  });
  if (marker != "TRUE") return;

  // 2. The item keeps its note, so its marking stays; its folder now.
  SetParentItemProperties(ctx, item, true);
  ol::FolderPtr folder;
  std::string folder_id, store_id;
  IgnoreError([&] { folder = item->Parent(); });
  IgnoreError([&] { folder_id = Must(folder).EntryID(); });
  IgnoreError([&] { store_id = Must(folder).StoreID(); });

  // 3. A folder that can hold shared items is recorded for the product.
  if (!folder_id.empty() && !IsUnsharedFolder(folder_id))
    RecordSharedFolder(ctx, folder_id, store_id);

  // 4. The note, looked up once more when the first lookup finds nothing.
  ol::ItemPtr note = FindNoteOf(ctx, item).note;
  if (!note) note = FindNoteOf(ctx, item).note;
  if (!note) return;

  // 5. The note records the folder (only as both were read: a failed read
  // never blanks what the note holds) and follows an item to Deleted Items.
  std::string name, path;
  bool have_name = IgnoreError([&] { name = Must(folder).Name(); });
  bool have_path = IgnoreError([&] { path = Must(folder).FolderPath(); });
  if (have_name && have_path) SetNoteParentItemFolder(ctx, note, name, path);
  if (name.find(kDeletedItems) != std::string::npos ||
      path.find(kDeletedItems) != std::string::npos)
    IgnoreError([&] { note->Move(folder); });
}

}  // namespace pinlet
