// cLibAddin: the extension object the sharing product loads, so that notes
// follow the shared items they belong to.
//
// The product asks it for the add-in's product code and database path and
// calls it for every shared item it adds, changes, deletes, receives or
// resends. Only a deletion matters to the add-in: the note of a deleted item
// records the item's new folder and, when the item went to Deleted Items,
// moves there with it. The other calls keep nothing; those with a result
// answer true. Every member is an entry point of the add-in and never raises.
// The object belongs to the context (ctx.sharing_extension), which outlives
// it.
#ifndef PINLET_SHARING_C_LIB_ADDIN_H_
#define PINLET_SHARING_C_LIB_ADDIN_H_

#include <string>

#include "addin/context.h"
#include "platform/sharing.h"
#include "sharing/bas_relaybook.h"

namespace pinlet {

class cLibAddin : public IRelaybookExt {
 public:
  cLibAddin(AddinContext& ctx, basRelaybook::SharingPlacement placement)
      : ctx_(ctx), placement_(std::move(placement)) {}

  // The personal folder, user name, profile name and "relaybook.mdb", made
  // one safe file name in the personal folder (basRelaybook::DatabasePathFor).
  std::string DatabasePath() override;
  // "Pinlet".
  std::string ProductCode() override;
  void onItemAdded(const ol::ItemPtr& item, bool& result) override;
  void onItemChanged(const ol::ItemPtr& item, bool& result) override;
  // With errors ignored, step by step: an item not marked "ZPNHasNote" =
  // "TRUE" (read through the shared CDO session for a document) is left
  // alone. A marked item's marking is refreshed; its folder, unless it is the
  // default Outbox, Drafts or Deleted Items, is recorded for the product
  // (RecordSharedFolder); its note, looked up a second time when the first
  // lookup finds nothing, records the folder's name and path and moves into
  // the folder when that is a Deleted Items folder. `result` is left as the
  // product set it.
  void onItemDeleted(const ol::ItemPtr& item, bool& result) override;
  void onItemReceived(const ol::ItemPtr& item, const std::string& info,
                      bool& result) override;
  void onItemResend(const ol::ItemPtr& item, const std::string& info,
                    bool& result) override;
  void onFolderReceived(const ol::FolderPtr& folder, const std::string& info) override;
  void onPostprocess(const std::string& info, const std::string& detail) override;

  const basRelaybook::SharingPlacement& placement() const { return placement_; }

 private:
  // Whether the folder is one whose items are never shared: the default
  // Outbox, Drafts or Deleted Items. True also when that cannot be told.
  bool IsUnsharedFolder(const std::string& folder_id);

  AddinContext& ctx_;
  basRelaybook::SharingPlacement placement_;
};

}  // namespace pinlet

#endif  // PINLET_SHARING_C_LIB_ADDIN_H_
