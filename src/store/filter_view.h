// The "Items with Notes" view and the notes folder's own view.
//
// Filter_On switches an explorer's folder to a table view that lists only the
// items whose "ZPNHasNote" is "TRUE", remembering the view the folder showed
// under "\folders" by the folder's EntryID; Filter_Off goes back to it.
// LoadView gives a folder a view read from a file in the install folder.
#ifndef PINLET_STORE_FILTER_VIEW_H_
#define PINLET_STORE_FILTER_VIEW_H_

#include <string>

#include "addin/context.h"

namespace pinlet {

constexpr const char* kFilterViewName = "Items with Notes";

// The DASL name of the "ZPNHasNote" user property (PS_PUBLIC_STRINGS).
std::string HasNoteDaslName();
// The view-XML filter element that keeps items with notes.
std::string FilterClause();
// A new view's XML with the filter clause put in: before <viewname> when it
// has no filter, in place of its filter when it filters on something else,
// unchanged when it already keeps items with notes.
std::string WithFilterClause(std::string xml);

// Applies the filter view to the explorer's current folder; false on failure
// (reported with the tag "basMainProc(Sub Filter_On)").
bool Filter_On(AddinContext& ctx, const ol::ExplorerPtr& explorer);
// Restores the folder's previous view; false on failure.
bool Filter_Off(AddinContext& ctx, const ol::ExplorerPtr& explorer);
// Replaces the folder's view `view_name` by one built from the install
// folder's file `file_name`. A missing file leaves the folder without that view.
void LoadView(AddinContext& ctx, const ol::FolderPtr& folder,
              const std::string& view_name, const std::string& file_name);

}  // namespace pinlet

#endif  // PINLET_STORE_FILTER_VIEW_H_
