// How commands name what they act on: folders by path, items by number or
// subject, and the windows of the running Outlook.
#ifndef PINLET_SIM_APP_RESOLVE_H_
#define PINLET_SIM_APP_RESOLVE_H_

#include <memory>
#include <string>

#include "sim/app/driver.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet {
}

namespace pinlet::app {

// A folder by path: "Inbox/Projects" under the default store, or a path
// whose first part names a store ("Archive/2025"). nullptr with `error` set
// when there is none.
sim::FolderNode* ResolveFolder(Driver& d, const std::string& path, std::string& error);
// An item of `folder` by its number in the folder (1-based) or its subject.
std::shared_ptr<sim::ItemNode> ResolveItem(sim::FolderNode& folder,
                                           const std::string& which, std::string& error);
// An item given as a folder path and a number or subject.
std::shared_ptr<sim::ItemNode> ResolveFolderItem(Driver& d,
                                                 const std::string& folder_path,
                                                 const std::string& which,
                                                 std::string& error);
// The running Outlook, or nullptr with `error` set.
sim::SimOutlook* RunningOutlook(Driver& d, std::string& error);
// The main window the user works in (the active one), or nullptr with
// `error` set when Outlook runs without one.
std::shared_ptr<sim::SimExplorer> ActiveExplorer(Driver& d, std::string& error);
// Main window `number` (1-based, in the order they opened), or with an
// empty `number` the active one; nullptr with `error` set when none.
std::shared_ptr<sim::SimExplorer> ResolveExplorer(Driver& d, const std::string& number,
                                                  std::string& error);
// The number of a main window, as ResolveExplorer takes it; 0 when closed.
int ExplorerNumber(Driver& d, const sim::SimExplorer& explorer);
// A control of a window's bars by what the user reads on it: its caption
// ("Add Note"), or a path from a bar through its menus ("Menu Bar/Tools/
// Zarvo Options/Pinlet Options...", "Context Menu/Pinlet/Add Note").
// Captions are compared as Office compares them; a control without a caption
// is found by its tool tip. A caption alone is looked for on the toolbars and
// menus first, then on the shortcut menus. "#ID" (or "BAR/#ID") names a
// control by its Office ID instead ("#354", Reply). nullptr with `error` set
// when none.
std::shared_ptr<sim::ControlNode> ResolveControl(const sim::SimCommandBars& bars,
                                                 const std::string& path,
                                                 std::string& error);

// A control's path as the user reads it: PathOf, with the tool tip of one
// that shows no caption.
std::string UserPathOf(const sim::SimCommandBars& bars, const sim::ControlNode& control);
// Clicks `control` as the user does. False with `error` set ("cannot click
// PATH: it is disabled") when the bars refuse it; `action_ran`, when given,
// says whether Outlook's own command ran.
bool ClickControl(sim::SimCommandBars& bars,
                  const std::shared_ptr<sim::ControlNode>& control, std::string& error,
                  bool* action_ran = nullptr);

// Whether the item is marked as carrying a note ("ZPNHasNote" is "TRUE").
bool HasNote(const sim::ItemNode& item);
// Whether the item has a note: a note item in the notes folder whose subject
// is the item's EntryID. Looking is the machine's own work, not a call of
// the add-in's.
bool ItemHasNote(Driver& d, const sim::ItemNode& item);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_RESOLVE_H_
