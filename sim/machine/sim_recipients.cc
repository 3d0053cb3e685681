// Simulated recipients, for Outlook's items and for the helper library's
// SafeMailItem: the same objects under two sets of host names.
#include <algorithm>

#include "platform/host_error.h"
#include "sim/machine/item_object.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/object_model_guard.h"
#include "sim/machine/sim_outlook.h"

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
  SimRecipient(World* world, std::shared_ptr<ItemObject> owner,
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
    Node("Type");
    if (type < ol::kOlTo || type > ol::kOlBCC)
      throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                      names_->Of("Type"));
    Edit().type = type;
  }
  bool Resolved() override { return Node("Resolved").resolved; }
  bool Resolve() override {
    RecipientNode resolving = Node("Resolve");
    if (!ResolveRecipient(world_->store, resolving)) return false;
    Edit() = resolving;
    return true;
  }
  void Delete() override {
    Node("Delete");
    auto& list = owner_->Edit(ItemObject::kRecipients).recipients;
    std::erase(list, owner_->Current(node_));
  }

 private:
  const RecipientNode& Node(std::string_view member) {
    std::string name = names_->Of(member);
    const ItemNode& item = *owner_->stored();
    world_->faults.Check(name, item.target());
    if (item.gone) throw ItemGoneError(names_->one.c_str());
    const auto& list = owner_->content().recipients;
    auto current = owner_->Current(node_);
    if (std::find(list.begin(), list.end(), current) == list.end())
      throw HostError(errors::kOperationFailed, "The recipient has been deleted.", name);
    return *current;
  }
  // The object's own copy of the recipient, to change.
  RecipientNode& Edit() {
    owner_->Edit(ItemObject::kRecipients);
    return *owner_->Current(node_);
  }
  World* world_;
  std::shared_ptr<ItemObject> owner_;
  std::shared_ptr<RecipientNode> node_;
  std::shared_ptr<const Names> names_;
};

class SimRecipients : public ol::Recipients {
 public:
  SimRecipients(World* world, std::shared_ptr<ItemObject> owner, std::string_view kind)
      : world_(world), owner_(std::move(owner)), names_(std::make_shared<Names>(kind)) {}
  int Count() override {
    Enter("Count");
    return static_cast<int>(owner_->content().recipients.size());
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
    owner_->Edit(ItemObject::kRecipients).recipients.push_back(node);
    return Make(node);
  }
  void Remove(int index) override {
    Enter("Remove");
    std::shared_ptr<RecipientNode> gone = At(index, "Remove");
    auto& list = owner_->Edit(ItemObject::kRecipients).recipients;
    std::erase(list, owner_->Current(gone));
  }

 private:
  void Enter(std::string_view member) {
    const ItemNode& item = *owner_->stored();
    world_->faults.Check(names_->OfAll(member), item.target());
    if (item.gone) throw ItemGoneError(names_->many.c_str());
  }
  std::shared_ptr<RecipientNode> At(int index, std::string_view member) {
    const auto& list = owner_->content().recipients;
    if (index < 1 || index > static_cast<int>(list.size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      names_->OfAll(member));
    return list[index - 1];
  }
  ol::RecipientPtr Make(std::shared_ptr<RecipientNode> node) {
    return std::make_shared<SimRecipient>(world_, owner_, std::move(node), names_);
  }
  World* world_;
  std::shared_ptr<ItemObject> owner_;
  std::shared_ptr<const Names> names_;
};

}  // namespace

ol::RecipientsPtr WrapRecipients(World* world, std::shared_ptr<ItemObject> owner,
                                 std::string_view kind) {
  return std::make_shared<SimRecipients>(world, std::move(owner), kind);
}

}  // namespace pinlet::sim
