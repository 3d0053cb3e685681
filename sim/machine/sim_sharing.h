// The stand-in for the maker's item-sharing product, as the simulated
// machine has it installed or not.
//
// Installed, it leaves its database template "relaybook.mdb" in the add-in's
// install folder and its engine can be created by ProgID; not installed,
// creating the engine raises error 429. The engine keeps each extension
// registered with it and records what it was told: the product code and
// database path the extension answered when it was registered, and every
// folder reported through the engine interface. A registration ends when the
// add-in releases that interface (or the extension object itself).
//
// Like the real product, the stand-in can delete a shared item: it deletes
// the item as Outlook does (to Deleted Items) and then calls onItemDeleted
// of every registered extension, each call at the host boundary. What the
// stand-in does itself is the machine's work, not a call of the add-in's;
// only the members the add-in calls (AddExtension, AddSharedFolder) pass the
// fault injector.
#ifndef PINLET_SIM_MACHINE_SIM_SHARING_H_
#define PINLET_SIM_MACHINE_SIM_SHARING_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sharing.h"
#include "sim/machine/mail_store.h"

namespace pinlet::sim {

class World;

constexpr const char* kSharingProgId = "Relaybook.Engine";
constexpr const char* kDatabaseTemplate = "relaybook.mdb";

class SimSharing {
 public:
  struct Registration {
    std::string product_code;   // what the extension answered
    std::string database_path;  // what the extension answered
    bool released = false;      // the add-in let go of the engine interface
    std::weak_ptr<IRelaybookExt> extension;
  };
  struct ReportedFolder {
    std::string entry_id, store_id;
    std::string folder_path;  // as the folder was found when reported; "" if not
  };
  struct Deletion {
    std::string subject;
    std::string folder_path;  // where the item lies afterwards
    int extensions_called = 0;
    std::vector<bool> answers;  // the result each extension left
  };

  explicit SimSharing(World* world) : world_(world) {}

  // What the product's installer does: the engine can be created, and the
  // database template lies in the add-in's install folder.
  void Install();
  bool installed() const { return installed_; }

  // Creating "Relaybook.Engine": raises 429 when the product is not
  // installed. (The factory's side; it has passed the fault injector.)
  std::shared_ptr<SharingProduct> CreateProduct();

  // Deletes a saved item as the product does and tells every registered
  // extension. nullopt when the item is not in the store (deleted for good).
  std::optional<Deletion> DeleteSharedItem(const std::shared_ptr<ItemNode>& item);

  // Every extension registered, in order (a registration is shared with
  // the engine interface the add-in holds).
  const std::vector<std::shared_ptr<Registration>>& registrations() const {
    return registrations_;
  }
  // The number of registrations still in force.
  int live_registrations() const;
  const std::vector<ReportedFolder>& reported_folders() const { return reported_; }
  const std::vector<Deletion>& deletions() const { return deletions_; }

 private:
  friend class SimSharingProduct;
  friend class SimSharingEngine;
  World* world_;
  bool installed_ = false;
  std::vector<std::shared_ptr<Registration>> registrations_;
  std::vector<ReportedFolder> reported_;
  std::vector<Deletion> deletions_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_SHARING_H_
