// Simulated items with their user properties and attachments.
#include <algorithm>

#include "platform/host_error.h"
#include "platform/mapi_helpers.h"
#include "platform/sim/sim_outlook.h"

namespace pinlet::sim {
namespace {

HostError ItemGoneError() {
  return HostError(errors::kObjectDeleted, "The item has been moved or deleted.", "Item");
}

class SimItem;

class SimUserProperty : public ol::UserProperty {
 public:
  SimUserProperty(World* world, std::vector<PropNode>* props,
                  std::shared_ptr<ItemNode> owner, std::string name)
      : world_(world), props_(props), owner_(std::move(owner)), name_(std::move(name)) {}

  std::string Name() override { return Prop("UserProperty.Name").name; }
  int Type() override { return Prop("UserProperty.Type").type; }
  Variant Value() override { return Prop("UserProperty.Value").value; }
  void SetValue(const Variant& value) override {
    PropNode& prop = Prop("UserProperty.Value");
    // A text property keeps text, as the host converts on assignment.
    prop.value = prop.type == ol::kOlText ? Variant(ToText(value)) : value;
  }
  void Delete() override {
    Prop("UserProperty.Delete");
    std::string folded = FoldCase(name_);
    props_->erase(
        std::remove_if(props_->begin(), props_->end(),
                       [&](const PropNode& p) { return FoldCase(p.name) == folded; }),
        props_->end());
  }

 private:
  PropNode& Prop(const char* member) {
    world_->faults.Check(member, owner_->target());
    if (owner_->gone) throw ItemGoneError();
    std::string folded = FoldCase(name_);
    for (PropNode& p : *props_)
      if (FoldCase(p.name) == folded) return p;
    throw HostError(errors::kOperationFailed, "The property has been deleted.", member);
  }
  World* world_;
  std::vector<PropNode>* props_;
  std::shared_ptr<ItemNode> owner_;
  std::string name_;
};

class SimUserProperties : public ol::UserProperties {
 public:
  SimUserProperties(World* world, std::vector<PropNode>* props,
                    std::shared_ptr<ItemNode> owner)
      : world_(world), props_(props), owner_(std::move(owner)) {}

  int Count() override {
    Enter("UserProperties.Count");
    return static_cast<int>(props_->size());
  }
  ol::UserPropertyPtr Item(int index) override {
    Enter("UserProperties.Item");
    if (index < 1 || index > static_cast<int>(props_->size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      "UserProperties.Item");
    return Make((*props_)[index - 1].name);
  }
  ol::UserPropertyPtr Item(std::string_view name) override {
    Enter("UserProperties.Item");
    if (!Lookup(name)) throw NotFoundError("UserProperties.Item");
    return Make(Lookup(name)->name);
  }
  ol::UserPropertyPtr Find(std::string_view name) override {
    Enter("UserProperties.Find");
    PropNode* prop = Lookup(name);
    return prop ? Make(prop->name) : nullptr;
  }
  ol::UserPropertyPtr Add(std::string_view name, int type,
                          bool add_to_folder_fields) override {
    Enter("UserProperties.Add");
    if (name.empty()) throw HostError(errors::kInvalidArgument, "Invalid property name.");
    if (Lookup(name))
      throw HostError(errors::kOperationFailed,
                      "A property with this name already exists.", "UserProperties.Add");
    props_->push_back(
        {std::string(name), type, type == ol::kOlText ? Variant("") : Variant()});
    if (add_to_folder_fields && owner_->folder) {
      auto& fields = owner_->folder->user_fields;
      std::string folded = FoldCase(name);
      if (std::none_of(fields.begin(), fields.end(),
                       [&](const std::string& f) { return FoldCase(f) == folded; }))
        fields.emplace_back(name);
    }
    return Make(std::string(name));
  }
  void Remove(int index) override {
    Enter("UserProperties.Remove");
    if (index < 1 || index > static_cast<int>(props_->size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      "UserProperties.Remove");
    props_->erase(props_->begin() + (index - 1));
  }

 private:
  void Enter(const char* member) {
    world_->faults.Check(member, owner_->target());
    if (owner_->gone) throw ItemGoneError();
  }
  PropNode* Lookup(std::string_view name) {
    std::string folded = FoldCase(name);
    for (PropNode& p : *props_)
      if (FoldCase(p.name) == folded) return &p;
    return nullptr;
  }
  ol::UserPropertyPtr Make(std::string name) {
    return std::make_shared<SimUserProperty>(world_, props_, owner_, std::move(name));
  }
  World* world_;
  std::vector<PropNode>* props_;
  std::shared_ptr<ItemNode> owner_;
};

class SimAttachment : public ol::Attachment {
 public:
  SimAttachment(World* world, std::shared_ptr<ItemNode> owner, int index)
      : world_(world), owner_(std::move(owner)), index_(index) {}
  std::string FileName() override { return Node("Attachment.FileName").file_name; }
  std::string DisplayName() override { return Node("Attachment.DisplayName").file_name; }
  int Index() override {
    Node("Attachment.Index");
    return index_;
  }
  void SaveAsFile(std::string_view path) override {
    const AttachmentNode& node = Node("Attachment.SaveAsFile");
    // Outlook writes the file itself; its folder must exist.
    if (world_->files.Put(path, node.content) != FsError::kNone)
      throw HostError(errors::kOperationFailed,
                      "Cannot save the attachment. Path does not exist. Verify the path "
                      "is correct.",
                      "Attachment.SaveAsFile");
  }
  void Delete() override {
    Node("Attachment.Delete");
    owner_->attachments.erase(owner_->attachments.begin() + (index_ - 1));
  }

 private:
  AttachmentNode& Node(const char* member) {
    world_->faults.Check(member, owner_->target());
    if (owner_->gone) throw ItemGoneError();
    if (index_ < 1 || index_ > static_cast<int>(owner_->attachments.size()))
      throw HostError(errors::kOperationFailed, "The attachment no longer exists.",
                      member);
    return owner_->attachments[index_ - 1];
  }
  World* world_;
  std::shared_ptr<ItemNode> owner_;
  int index_;
};

class SimAttachments : public ol::Attachments {
 public:
  SimAttachments(World* world, std::shared_ptr<ItemNode> owner)
      : world_(world), owner_(std::move(owner)) {}
  int Count() override {
    Enter("Attachments.Count");
    return static_cast<int>(owner_->attachments.size());
  }
  ol::AttachmentPtr Item(int index) override {
    Enter("Attachments.Item");
    if (index < 1 || index > static_cast<int>(owner_->attachments.size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      "Attachments.Item");
    return std::make_shared<SimAttachment>(world_, owner_, index);
  }
  ol::AttachmentPtr Add(std::string_view path) override {
    Enter("Attachments.Add");
    auto content = world_->files.Peek(path);
    if (!content)
      throw HostError(errors::kFileNotFound, "Cannot find this file.", "Attachments.Add");
    size_t slash = path.find_last_of("\\/");
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    owner_->attachments.push_back({name, *content});
    return std::make_shared<SimAttachment>(world_, owner_,
                                           static_cast<int>(owner_->attachments.size()));
  }
  void Remove(int index) override {
    Enter("Attachments.Remove");
    if (index < 1 || index > static_cast<int>(owner_->attachments.size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      "Attachments.Remove");
    owner_->attachments.erase(owner_->attachments.begin() + (index - 1));
  }

 private:
  void Enter(const char* member) {
    world_->faults.Check(member, owner_->target());
    if (owner_->gone) throw ItemGoneError();
  }
  World* world_;
  std::shared_ptr<ItemNode> owner_;
};

class SimItem : public ol::Item {
 public:
  SimItem(World* world, std::shared_ptr<ItemNode> node)
      : world_(world), node_(std::move(node)) {}

  int Class() override { return Enter("Item.Class").cls; }
  std::string MessageClass() override { return Enter("Item.MessageClass").message_class; }
  void SetMessageClass(std::string_view value) override {
    Enter("Item.MessageClass").message_class = std::string(value);
  }
  std::string Subject() override { return Enter("Item.Subject").subject; }
  void SetSubject(std::string_view value) override {
    ItemNode& node = Enter("Item.Subject");
    std::string old = node.subject;
    node.subject = std::string(value);
    world_->store.Reindex(node, old);
  }
  std::string EntryID() override { return Enter("Item.EntryID").entry_id; }
  ol::FolderPtr Parent() override {
    return WrapFolder(world_, Enter("Item.Parent").folder);
  }
  Date LastModificationTime() override {
    return Enter("Item.LastModificationTime").last_modified;
  }
  bool Saved() override { return !Enter("Item.Saved").entry_id.empty() && !dirty_; }
  void Save() override {
    Enter("Item.Save");
    world_->store.SaveItem(node_, world_->clock.now());
    dirty_ = false;
  }
  void Delete() override {
    Enter("Item.Delete");
    if (node_->entry_id.empty()) {
      node_->gone = true;  // never saved: it simply disappears
      return;
    }
    world_->store.DeleteItem(node_, world_->clock.now());
  }
  ol::ItemPtr Move(const ol::FolderPtr& folder) override {
    Enter("Item.Move");
    FolderNode* destination = NodeOf(folder);
    if (!destination) throw ObjectRequiredError();
    world_->store.MoveItem(node_, *destination, world_->clock.now());
    return WrapItem(world_, node_);
  }
  void Display() override;
  std::shared_ptr<ol::Inspector> GetInspector() override;
  ol::UserPropertiesPtr UserProperties() override {
    Enter("Item.UserProperties");
    // Documents keep no user properties through the object model: what is
    // added here lives only as long as this handle.
    std::vector<PropNode>* props =
        node_->cls == ol::kDocument ? &transient_ : &node_->user_props;
    return std::make_shared<SimUserProperties>(world_, props, node_);
  }
  ol::AttachmentsPtr Attachments() override {
    Enter("Item.Attachments");
    return std::make_shared<SimAttachments>(world_, node_);
  }
  Variant Get(std::string_view member) override {
    ItemNode& node = Enter("Item." + std::string(member));
    if (!ClassHasMember(node.cls, member)) throw NotSupportedError(std::string(member));
    if (member == "FlagStatus" || member == "FlagIcon") {
      auto it =
          node.mapi_props.find(member == "FlagStatus" ? kPrFlagStatus : kPrFlagIcon);
      return it == node.mapi_props.end() ? Variant(0) : Variant(ToLong(it->second));
    }
    auto it = node.members.find(member);
    return it == node.members.end() ? Variant("") : it->second;
  }
  void Put(std::string_view member, const Variant& value) override {
    ItemNode& node = Enter("Item." + std::string(member));
    if (!ClassHasMember(node.cls, member)) throw NotSupportedError(std::string(member));
    dirty_ = true;
    if (member == "FlagStatus" || member == "FlagIcon") {
      node.mapi_props[member == "FlagStatus" ? kPrFlagStatus : kPrFlagIcon] =
          ToLong(value);
      return;
    }
    node.members[std::string(member)] = value;
  }

  const std::shared_ptr<ItemNode>& node() const { return node_; }

 private:
  ItemNode& Enter(const std::string& member) {
    world_->faults.Check(member, node_->target());
    if (node_->gone) throw ItemGoneError();
    return *node_;
  }
  World* world_;
  std::shared_ptr<ItemNode> node_;
  std::vector<PropNode> transient_;
  bool dirty_ = false;
};

void SimItem::Display() {
  Enter("Item.Display");
  SimOutlook* outlook = world_->outlook;
  if (!outlook)
    throw HostError(errors::kOperationFailed, "Outlook is not running.", "Item.Display");
  outlook->OpenInspector(WrapItem(world_, node_));
}

std::shared_ptr<ol::Inspector> SimItem::GetInspector() {
  Enter("Item.GetInspector");
  SimOutlook* outlook = world_->outlook;
  if (!outlook)
    throw HostError(errors::kOperationFailed, "Outlook is not running.",
                    "Item.GetInspector");
  for (auto& inspector : outlook->inspectors())
    if (NodeOf(inspector->item()) == node_) return inspector;
  return std::make_shared<SimInspector>(outlook, WrapItem(world_, node_), 0);
}

}  // namespace

bool ClassHasMember(int cls, std::string_view member) {
  static const std::pair<int, std::string_view> kMembers[] = {
      {ol::kMail, "FlagStatus"},
      {ol::kMail, "FlagIcon"},
      {ol::kMail, "FlagRequest"},
      {ol::kMail, "FlagDueBy"},
      {ol::kMail, "To"},
      {ol::kMail, "CC"},
      {ol::kMail, "SenderName"},
      {ol::kMail, "ReceivedTime"},
      {ol::kMail, "HTMLBody"},
      {ol::kMail, "ReminderSet"},
      {ol::kMail, "ReminderTime"},
      {ol::kMail, "UnRead"},
      {ol::kPost, "SenderName"},
      {ol::kPost, "ReceivedTime"},
      {ol::kPost, "HTMLBody"},
      {ol::kContact, "FullName"},
      {ol::kContact, "FlagRequest"},
      {ol::kContact, "CompanyName"},
      {ol::kContact, "Email1Address"},
      {ol::kTask, "DueDate"},
      {ol::kTask, "StartDate"},
      {ol::kTask, "Status"},
      {ol::kTask, "ReminderSet"},
      {ol::kTask, "ReminderTime"},
      {ol::kAppointment, "Start"},
      {ol::kAppointment, "End"},
      {ol::kAppointment, "Location"},
      {ol::kAppointment, "ReminderSet"},
      {ol::kAppointment, "ReminderMinutesBeforeStart"},
      {ol::kJournal, "Type"},
      {ol::kJournal, "Start"},
      {ol::kJournal, "Duration"},
      {ol::kDistList, "DLName"},
      {ol::kDistList, "MemberCount"},
  };
  if (member == "Body" || member == "Categories")
    return cls != ol::kDistList || member == "Body";
  for (auto& [c, m] : kMembers)
    if (c == cls && m == member) return true;
  return false;
}

ol::ItemPtr WrapItem(World* world, std::shared_ptr<ItemNode> node) {
  if (!node) return nullptr;
  return std::make_shared<SimItem>(world, std::move(node));
}

std::shared_ptr<ItemNode> NodeOf(const ol::ItemPtr& item) {
  auto sim = std::dynamic_pointer_cast<SimItem>(item);
  return sim ? sim->node() : nullptr;
}

}  // namespace pinlet::sim
