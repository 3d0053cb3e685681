// Which folder is which: the notes folder and Deleted Items.
//
// The notes folder is the folder whose EntryID and StoreID are those of the
// add-in's own notes folder (NotesFolder), never whatever folder happens to
// be named "Pinlet": a user's folder of that name is an ordinary folder.
// Deleted Items is the store's default Deleted Items folder by its identity,
// whatever it is called now, or any folder whose name or description
// contains "Deleted Items". Neither kind of folder gets note commands, and no
// item of the notes folder ever gets a note of its own.
#ifndef PINLET_STORE_FOLDER_IDENTITY_H_
#define PINLET_STORE_FOLDER_IDENTITY_H_

#include "addin/context.h"

namespace pinlet {

// Whether `a` and `b` are one folder: the same EntryID and StoreID.
// Raises what the folders' members raise.
bool SameFolder(ol::Folder& a, ol::Folder& b);

// Whether `folder` is the notes folder. Raises what the folder's members
// raise, and ObjectRequiredError when the notes folder cannot be had (so
// that a caller never takes "could not tell" for "no").
bool IsNotesFolder(AddinContext& ctx, const ol::FolderPtr& folder);
// Whether `item` lies in the notes folder (its Parent is that folder).
// Raises as IsNotesFolder, and what the item's Parent raises.
bool InNotesFolder(AddinContext& ctx, const ol::ItemPtr& item);

// Whether `folder` is Deleted Items: by name, by description, or by the
// identity of the default Deleted Items folder. Raises what the members
// raise.
bool IsDeletedItemsFolder(AddinContext& ctx, const ol::FolderPtr& folder);

// The folders where the toolbar is disabled and the context menu gets no
// entry: the notes folder and Deleted Items. Raises as the two tests do.
bool IsExcludedFolder(AddinContext& ctx, const ol::FolderPtr& folder);

}  // namespace pinlet

#endif  // PINLET_STORE_FOLDER_IDENTITY_H_
