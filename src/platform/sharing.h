// The maker's item-sharing product as the add-in reaches it, and the
// extension interface through which the product calls the add-in.
//
// The product replicates Outlook items between users. Its object is created
// by the ProgID "Relaybook.Engine" (ComObjectFactory::CreateSharingProduct,
// error 429 when the product is not installed). The add-in hands it one
// extension object and keeps the engine interface it gets back; through that
// interface it reports the folders whose items carry notes, so that the
// product lets notes follow their items. Releasing the engine interface ends
// the registration.
//
// SharingProduct and SharingEngine are the product's objects: every member
// may raise a HostError. IRelaybookExt is implemented by the add-in: its
// members are entry points of the add-in, which the product calls as it adds,
// changes, deletes, receives and resends shared items; they never raise.
#ifndef PINLET_PLATFORM_SHARING_H_
#define PINLET_PLATFORM_SHARING_H_

#include <memory>
#include <string>
#include <string_view>

#include "platform/outlook_items.h"

namespace pinlet {

// The extension interface of the sharing product. A member with a `result`
// answers through it whether the product may go on with the item.
class IRelaybookExt {
 public:
  virtual ~IRelaybookExt() = default;
  // The file where the product keeps this user's database for the add-in.
  virtual std::string DatabasePath() = 0;
  // The code the product knows the add-in by.
  virtual std::string ProductCode() = 0;
  virtual void onItemAdded(const ol::ItemPtr& item, bool& result) = 0;
  virtual void onItemChanged(const ol::ItemPtr& item, bool& result) = 0;
  // Called after the product deleted a shared item (it lies in Deleted
  // Items then, as any deleted item does).
  virtual void onItemDeleted(const ol::ItemPtr& item, bool& result) = 0;
  virtual void onItemReceived(const ol::ItemPtr& item, const std::string& info,
                              bool& result) = 0;
  virtual void onItemResend(const ol::ItemPtr& item, const std::string& info,
                            bool& result) = 0;
  virtual void onFolderReceived(const ol::FolderPtr& folder, const std::string& info) = 0;
  virtual void onPostprocess(const std::string& info, const std::string& detail) = 0;
};

// The engine interface the product returns for a registered extension.
class SharingEngine {
 public:
  virtual ~SharingEngine() = default;
  // Tells the product that items of the folder (by its EntryID and StoreID)
  // carry notes that must follow them.
  virtual void AddSharedFolder(std::string_view entry_id, std::string_view store_id) = 0;
};

// The product's object ("Relaybook.Engine").
class SharingProduct {
 public:
  virtual ~SharingProduct() = default;
  // Registers `extension` (raises 424 for Nothing) and returns the engine
  // interface of the registration, which lasts while that interface is held.
  virtual std::shared_ptr<SharingEngine> AddExtension(
      std::shared_ptr<IRelaybookExt> extension) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_SHARING_H_
