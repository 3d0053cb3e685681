// The items a folder's current view shows, as Outlook's table view does.
//
// A view's XML may carry a <filter> element: DASL conditions of the form
// "property" = 'value', joined by AND. The simulation understands the
// conditions on a string-named user property (the public-strings property set
// where user properties live) and on the subject; a filter with any other
// condition is not applied, and the view then shows every item, which the
// result says.
#ifndef PINLET_SIM_MACHINE_VIEW_FILTER_H_
#define PINLET_SIM_MACHINE_VIEW_FILTER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sim/machine/mail_store.h"

namespace pinlet::sim {

struct ViewContents {
  std::vector<ItemNode*> items;  // in the folder's order
  bool filtered = false;         // the view's filter was applied
  // The conditions applied, as "ZPNHasNote = TRUE"; joined by " and ".
  std::string conditions;
  // A filter the simulation could not apply (shown as it stands), or "".
  std::string not_understood;
};

// The items the folder's current view shows; at most the first `limit`.
ViewContents ItemsInCurrentView(FolderNode& folder, size_t limit = SIZE_MAX);
// The same for one view's XML.
ViewContents ItemsInView(FolderNode& folder, const std::string& view_xml,
                         size_t limit = SIZE_MAX);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_VIEW_FILTER_H_
