#include "store/folder_identity.h"

#include "platform/host_error.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

constexpr const char* kDeletedItems = "Deleted Items";

}  // namespace

bool SameFolder(ol::Folder& a, ol::Folder& b) {
  return a.EntryID() == b.EntryID() && a.StoreID() == b.StoreID();
}

bool IsNotesFolder(AddinContext& ctx, const ol::FolderPtr& folder) {
  ol::Folder& f = Must(folder);
  ol::FolderPtr notes = NotesFolder(ctx);
  if (!notes) throw ObjectRequiredError();
  return SameFolder(f, *notes);
}

bool InNotesFolder(AddinContext& ctx, const ol::ItemPtr& item) {
  return IsNotesFolder(ctx, Must(item).Parent());
}

bool IsDeletedItemsFolder(AddinContext& ctx, const ol::FolderPtr& folder) {
  ol::Folder& f = Must(folder);
  if (f.Name().find(kDeletedItems) != std::string::npos) return true;
  if (f.Description().find(kDeletedItems) != std::string::npos) return true;
  ol::FolderPtr deleted = Must(ctx.name_space).GetDefaultFolder(ol::kFolderDeletedItems);
  return SameFolder(f, Must(deleted));
}

bool IsExcludedFolder(AddinContext& ctx, const ol::FolderPtr& folder) {
  return IsDeletedItemsFolder(ctx, folder) || IsNotesFolder(ctx, folder);
}

}  // namespace pinlet
