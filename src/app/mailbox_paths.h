// How the pinlet command's arguments name folders and items of the mail
// store: a folder as a path ("Inbox/Projects" in the default store, or a
// path whose first part names a store, "Archive/2025"), an item of a folder
// by its number in the folder or its subject. The lookups are the
// machine's own, at the node level, never calls of the add-in's.
#ifndef PINLET_APP_MAILBOX_PATHS_H_
#define PINLET_APP_MAILBOX_PATHS_H_

#include <memory>
#include <string>

#include "app/driver.h"

namespace pinlet::app {

// The folder at `path`, or nullptr with `error` set.
sim::FolderNode* ResolveFolder(Driver& d, const std::string& path, std::string& error);
// The item of `folder` numbered `which` (from 1) or with that subject, or
// nullptr with `error` set.
std::shared_ptr<sim::ItemNode> ResolveItem(sim::FolderNode& folder,
                                           const std::string& which, std::string& error);
// Both in one: an item given as a folder path and a number or subject; its
// folder is item->folder.
std::shared_ptr<sim::ItemNode> ResolveFolderItem(Driver& d,
                                                 const std::string& folder_path,
                                                 const std::string& which,
                                                 std::string& error);

}  // namespace pinlet::app

#endif  // PINLET_APP_MAILBOX_PATHS_H_
