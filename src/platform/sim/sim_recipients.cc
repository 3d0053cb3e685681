// Simulated recipients, for Outlook's items and for the helper library's
// SafeMailItem: the same objects under two sets of host names.
#include <algorithm>

#include "platform/host_error.h"
#include "platform/sim/mail_content.h"
#include "platform/sim/object_model_guard.h"
#include "platform/sim/sim_outlook.h"

namespace pinlet::sim {
namespace {

// The host names of one kind of recipient objects: "Recipient.Name",
// "Recipients.Count", or "SafeRecipient.Name", "SafeRecipients.Count".
struct Names {
  explicit Names(std::string_view kind) : one(kind), many(std::string(kind) + "s") {}
  std::string Of(std::string_view member) const {
    return one + "." + std::string(member);
  }
  std::string OfAll(std::string_view member) const {
    return many + "." + std::string(member);
  }
  std::string one, many;
};

class SimRecipient : public ol::Recipient {
 public:
  SimRecipient(World* world, std::shared_ptr<ItemNode> owner,
               std::shared_ptr<RecipientNode> node, std::shared_ptr<const Names> names)
      : world_(world),
        owner_(std::move(owner)),
        node_(std::move(node)),
        names_(std::move(names)) {}
  std::string Name() override { return Node("Name").name; }
  // Outlook's guard asks before an address is read (Redemption's never does).
  std::string Address() override {
    const RecipientNode& node = Node("Address");
    PassGuard(*world_, names_->Of("Address"), /*trusted=*/true);
    return node.address;
  }
  int Type() override { return Node("Type").type; }
  void SetType(int type) override {
    RecipientNode& node = Node("Type");
    if (type < ol::kOlTo || type > ol::kOlBCC)
      throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                      names_->Of("Type"));
    node.type = type;
    owner_->changed = true;
  }
  bool Resolved() override { return Node("Resolved").resolved; }
  bool Resolve() override {
    RecipientNode& node = Node("Resolve");
    bool resolved = ResolveRecipient(world_->store, node);
    if (resolved) owner_->changed = true;
    return resolved;
  }
  void Delete() override {
    Node("Delete");
    std::erase(owner_->recipients, node_);
    owner_->changed = true;
  }

 private:
  RecipientNode& Node(std::string_view member) {
    std::string name = names_->Of(member);
    world_->faults.Check(name, owner_->target());
    if (owner_->gone) throw ItemGoneError(names_->one.c_str());
    auto& list = owner_->recipients;
    if (std::find(list.begin(), list.end(), node_) == list.end())
      throw HostError(errors::kOperationFailed, "The recipient has been deleted.", name);
    return *node_;
  }
  World* world_;
  std::shared_ptr<ItemNode> owner_;
  std::shared_ptr<RecipientNode> node_;
  std::shared_ptr<const Names> names_;
};

class SimRecipients : public ol::Recipients {
 public:
  SimRecipients(World* world, std::shared_ptr<ItemNode> owner, std::string_view kind)
      : world_(world), owner_(std::move(owner)), names_(std::make_shared<Names>(kind)) {}
  int Count() override {
    Enter("Count");
    return static_cast<int>(owner_->recipients.size());
  }
  ol::RecipientPtr Item(int index) override {
    Enter("Item");
    return Make(At(index, "Item"));
  }
  ol::RecipientPtr Add(std::string_view name) override {
    Enter("Add");
    if (name.find_first_not_of(" \t") == std::string_view::npos)
      throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                      names_->OfAll("Add"));
    auto node = std::make_shared<RecipientNode>(
        RecipientNode{std::string(name), "", ol::kOlTo, false});
    owner_->recipients.push_back(node);
    owner_->changed = true;
    return Make(node);
  }
  void Remove(int index) override {
    Enter("Remove");
    std::erase(owner_->recipients, At(index, "Remove"));
    owner_->changed = true;
  }

 private:
  void Enter(std::string_view member) {
    world_->faults.Check(names_->OfAll(member), owner_->target());
    if (owner_->gone) throw ItemGoneError(names_->many.c_str());
  }
  std::shared_ptr<RecipientNode> At(int index, std::string_view member) {
    if (index < 1 || index > static_cast<int>(owner_->recipients.size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      names_->OfAll(member));
    return owner_->recipients[index - 1];
  }
  ol::RecipientPtr Make(std::shared_ptr<RecipientNode> node) {
    return std::make_shared<SimRecipient>(world_, owner_, std::move(node), names_);
  }
  World* world_;
  std::shared_ptr<ItemNode> owner_;
  std::shared_ptr<const Names> names_;
};

}  // namespace

ol::RecipientsPtr WrapRecipients(World* world, std::shared_ptr<ItemNode> owner,
                                 std::string_view kind) {
  return std::make_shared<SimRecipients>(world, std::move(owner), kind);
}

}  // namespace pinlet::sim
