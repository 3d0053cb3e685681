// How commands name what they act on: folders by path, items by number or
// subject, and the windows of the running Outlook.
#ifndef PINLET_APP_RESOLVE_H_
#define PINLET_APP_RESOLVE_H_

#include <memory>
#include <string>

#include "app/driver.h"
#include "platform/sim/sim_outlook.h"

namespace pinlet::app {

// A folder by path: "Inbox/Projects" under the default store, or a path
// whose first part names a store ("Archive/2025"). nullptr with `error` set
// when there is none.
sim::FolderNode* ResolveFolder(Driver& d, const std::string& path, std::string& error);
// An item of `folder` by its number in the folder (1-based) or its subject.
std::shared_ptr<sim::ItemNode> ResolveItem(sim::FolderNode& folder, const std::string& which,
                                           std::string& error);
// An item given as a folder path and a number or subject.
std::shared_ptr<sim::ItemNode> ResolveFolderItem(Driver& d, const std::string& folder_path,
                                                 const std::string& which,
                                                 std::string& error);
// The running Outlook, or nullptr with `error` set.
sim::SimOutlook* RunningOutlook(Driver& d, std::string& error);
// The main window the user works in (the active one), or nullptr with
// `error` set when Outlook runs without one.
std::shared_ptr<sim::SimExplorer> ActiveExplorer(Driver& d, std::string& error);

}  // namespace pinlet::app

#endif  // PINLET_APP_RESOLVE_H_
