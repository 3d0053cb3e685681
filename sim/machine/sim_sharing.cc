#include "sim/machine/sim_sharing.h"

#include "platform/host_error.h"
#include "sim/machine/boundary.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {

namespace {

std::shared_ptr<IRelaybookExt> LiveExtension(const SimSharing::Registration& r) {
  return r.released ? nullptr : r.extension.lock();
}

}  // namespace

// The engine interface of one registration; releasing it ends the
// registration.
class SimSharingEngine : public SharingEngine {
 public:
  SimSharingEngine(SimSharing* sharing, std::shared_ptr<SimSharing::Registration> r)
      : sharing_(sharing), registration_(std::move(r)) {}
  ~SimSharingEngine() override { registration_->released = true; }

  void AddSharedFolder(std::string_view entry_id, std::string_view store_id) override {
    World* world = sharing_->world_;
    world->faults.Check("RelaybookEngine.AddSharedFolder", entry_id);
    SimSharing::ReportedFolder folder{std::string(entry_id), std::string(store_id), ""};
    if (FolderNode* node = world->store.FindFolder(entry_id, store_id))
      folder.folder_path = node->Path();
    sharing_->reported_.push_back(std::move(folder));
  }

 private:
  SimSharing* sharing_;
  std::shared_ptr<SimSharing::Registration> registration_;
};

class SimSharingProduct : public SharingProduct {
 public:
  explicit SimSharingProduct(SimSharing* sharing) : sharing_(sharing) {}

  std::shared_ptr<SharingEngine> AddExtension(
      std::shared_ptr<IRelaybookExt> extension) override {
    World* world = sharing_->world_;
    world->faults.Check("Relaybook.AddExtension");
    if (!extension) throw ObjectRequiredError();
    auto registration = std::make_shared<SimSharing::Registration>();
    registration->extension = extension;
    // The product asks the extension who it is and where its database lies.
    CallAtBoundary(*world, "IRelaybookExt.ProductCode",
                   [&] { registration->product_code = extension->ProductCode(); });
    CallAtBoundary(*world, "IRelaybookExt.DatabasePath",
                   [&] { registration->database_path = extension->DatabasePath(); });
    sharing_->registrations_.push_back(registration);
    return std::make_shared<SimSharingEngine>(sharing_, std::move(registration));
  }

 private:
  SimSharing* sharing_;
};

void SimSharing::Install() {
  installed_ = true;
  world_->files.Store(world_->install_dir + kDatabaseTemplate,
                      "Relaybook database template\r\n");
}

std::shared_ptr<SharingProduct> SimSharing::CreateProduct() {
  if (!installed_)
    throw HostError(errors::kCannotCreateObject, "ActiveX component can't create object",
                    kSharingProgId);
  return std::make_shared<SimSharingProduct>(this);
}

int SimSharing::live_registrations() const {
  int live = 0;
  for (const auto& r : registrations_)
    if (LiveExtension(*r)) ++live;
  return live;
}

std::optional<SimSharing::Deletion> SimSharing::DeleteSharedItem(
    const std::shared_ptr<ItemNode>& item) {
  if (!item || item->gone || item->entry_id.empty() || !item->folder) return std::nullopt;
  // The extensions to tell, taken before any of them runs.
  std::vector<std::shared_ptr<IRelaybookExt>> extensions;
  for (const auto& r : registrations_)
    if (auto extension = LiveExtension(*r)) extensions.push_back(std::move(extension));
  // In an Exchange mailbox the item in Deleted Items is a new one.
  std::shared_ptr<ItemNode> there = world_->store.DeleteItem(item, world_->clock.now());
  if (world_->outlook) world_->outlook->ItemLeftFolder(*item);
  Deletion deletion;
  deletion.subject = item->subject;
  if (there) deletion.folder_path = there->folder->Path();
  for (const auto& extension : extensions) {
    ++deletion.extensions_called;
    CallAtBoundary(*world_, "IRelaybookExt.onItemDeleted", [&] {
      bool result = false;
      extension->onItemDeleted(WrapItem(world_, there ? there : item), result);
      deletion.answers.push_back(result);
    });
  }
  deletions_.push_back(deletion);
  return deletion;
}

}  // namespace pinlet::sim
