#include "sim/machine/sim_mapi_helpers.h"

#include "platform/host_error.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/object_model_guard.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/sim_regexp.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

HostError CannotCreate(const std::string& progid) {
  return HostError(errors::kCannotCreateObject, "ActiveX component can't create object",
                   progid);
}

class SimMapiUtils : public MapiUtils {
 public:
  explicit SimMapiUtils(World* world) : world_(world) {}
  // The item's own MAPI message: what the item object holds.
  Variant HrGetOneProp(const ol::ItemPtr& item, uint32_t tag) override {
    auto node = NodeOf(item);
    world_->faults.Check("MAPIUtils.HrGetOneProp", node ? node->target() : "");
    const auto& props = Object(item)->content().mapi_props;
    auto it = props.find(tag);
    if (it == props.end())
      throw HostError(errors::kNotFound, "MAPI_E_NOT_FOUND", "MAPIUtils.HrGetOneProp");
    return it->second;
  }
  // With `save`, the message's SaveChanges stores the properties written
  // this way; what the object model wrote to the item still waits for the
  // item's own Save.
  void HrSetOneProp(const ol::ItemPtr& item, uint32_t tag, const Variant& value,
                    bool save) override {
    auto node = NodeOf(item);
    world_->faults.Check("MAPIUtils.HrSetOneProp", node ? node->target() : "");
    std::shared_ptr<ItemObject> object = Object(item);
    object->Edit(ItemObject::kMapiProperties).mapi_props[tag] = value;
    if (save && !object->stored()->entry_id.empty())
      object->Commit(world_->store, world_->clock.now(), ItemObject::kMapiProperties);
  }

 private:
  std::shared_ptr<ItemObject> Object(const ol::ItemPtr& item) {
    auto object = ObjectOf(item);
    if (!object || object->stored()->gone)
      throw HostError(errors::kTypeMismatch, "Type mismatch");
    return object;
  }
  World* world_;
};

// CDO keeps a message's changes in its own cache until Update stores them:
// a message is an item object of its own (item_object.h).
class SimCdoField : public CdoField {
 public:
  SimCdoField(World* world, std::shared_ptr<ItemObject> message, std::string name)
      : world_(world), message_(std::move(message)), name_(std::move(name)) {}
  std::string Name() override { return Prop("Field.Name").name; }
  Variant Value() override { return Prop("Field.Value").value; }
  void SetValue(const Variant& value) override {
    Prop("Field.Value");
    Edit().FindProp(name_)->value = ToText(value);
  }
  void Delete() override {
    Prop("Field.Delete");
    std::string folded = FoldCase(name_);
    auto& props = Edit().user_props;
    for (auto it = props.begin(); it != props.end(); ++it) {
      if (FoldCase(it->name) == folded) {
        props.erase(it);
        break;
      }
    }
  }

 private:
  const PropNode& Prop(const char* member) {
    world_->faults.Check(member, message_->stored()->target());
    const PropNode* prop = message_->content().FindProp(name_);
    if (!prop)
      throw HostError(errors::kNotFound,
                      "[Collaboration Data Objects - [MAPI_E_NOT_FOUND]]");
    return *prop;
  }
  ItemContent& Edit() { return message_->Edit(ItemObject::kUserProperties); }
  World* world_;
  std::shared_ptr<ItemObject> message_;
  std::string name_;
};

class SimCdoFields : public CdoFields {
 public:
  SimCdoFields(World* world, std::shared_ptr<ItemObject> message)
      : world_(world), message_(std::move(message)) {}
  int Count() override {
    world_->faults.Check("Fields.Count", message_->stored()->target());
    return static_cast<int>(message_->content().user_props.size());
  }
  std::shared_ptr<CdoField> Item(std::string_view name) override {
    world_->faults.Check("Fields.Item", message_->stored()->target());
    PassCdoGuard(*world_, name);
    if (!message_->content().FindProp(name))
      throw HostError(errors::kNotFound,
                      "[Collaboration Data Objects - [MAPI_E_NOT_FOUND]]", "Fields.Item");
    return std::make_shared<SimCdoField>(world_, message_, std::string(name));
  }
  std::shared_ptr<CdoField> Add(std::string_view name, int,
                                const Variant& value) override {
    world_->faults.Check("Fields.Add", message_->stored()->target());
    ItemContent& content = message_->Edit(ItemObject::kUserProperties);
    if (PropNode* prop = content.FindProp(name)) {
      prop->value = ToText(value);
    } else {
      content.user_props.push_back({std::string(name), 1, ToText(value)});
    }
    return std::make_shared<SimCdoField>(world_, message_, std::string(name));
  }

 private:
  World* world_;
  std::shared_ptr<ItemObject> message_;
};

class SimCdoMessage : public CdoMessage {
 public:
  SimCdoMessage(World* world, std::shared_ptr<ItemNode> node)
      : world_(world), message_(std::make_shared<ItemObject>(std::move(node))) {}
  std::shared_ptr<CdoFields> Fields() override {
    world_->faults.Check("Message.Fields", message_->stored()->target());
    return std::make_shared<SimCdoFields>(world_, message_);
  }
  void Update() override {
    world_->faults.Check("Message.Update", message_->stored()->target());
    message_->Commit(world_->store, world_->clock.now());
  }

 private:
  World* world_;
  std::shared_ptr<ItemObject> message_;
};

class SimCdoSession : public CdoSession {
 public:
  explicit SimCdoSession(World* world) : world_(world) {}
  void Logon(bool, bool) override {
    world_->faults.Check("Session.Logon");
    logged_on_ = true;
  }
  std::shared_ptr<CdoMessage> GetMessage(std::string_view entry_id,
                                         std::string_view store_id) override {
    world_->faults.Check("Session.GetMessage");
    if (!logged_on_)
      throw HostError(errors::kNotInitialized,
                      "[Collaboration Data Objects - [MAPI_E_NOT_INITIALIZED]]");
    auto node = world_->store.FindItem(entry_id, store_id);
    if (!node)
      throw HostError(errors::kNotFound,
                      "[Collaboration Data Objects - [MAPI_E_NOT_FOUND]]",
                      "Session.GetMessage");
    return std::make_shared<SimCdoMessage>(world_, node);
  }

 private:
  World* world_;
  bool logged_on_ = false;
};

class SimRdoSession : public RdoSession {
 public:
  explicit SimRdoSession(World* world) : world_(world) {}
  void AttachToOutlook() override {
    world_->faults.Check("RDOSession.MAPIOBJECT");
    attached_ = true;
  }
  void Logon(bool, bool) override {
    world_->faults.Check("RDOSession.Logon");
    logged_on_ = true;
  }
  ol::FolderPtr GetFolderFromID(std::string_view entry_id) override {
    world_->faults.Check("RDOSession.GetFolderFromID");
    if (!attached_) throw HostError(errors::kOperationFailed, "Not logged on");
    FolderNode* node = world_->store.FindFolder(entry_id);
    if (!node) throw NotFoundError("RDOSession.GetFolderFromID");
    return WrapFolder(world_, node);
  }
  std::string ProfileName() override {
    world_->faults.Check("RDOSession.ProfileName");
    if (!attached_ && !logged_on_)
      throw HostError(errors::kNotInitialized, "MAPI_E_NOT_INITIALIZED",
                      "RDOSession.ProfileName");
    return world_->profile_name;
  }

 private:
  World* world_;
  bool attached_ = false;
  bool logged_on_ = false;
};

// Redemption's wrapper of an Outlook item: the item's stored message, read
// without Outlook's object model, so what the item object has not saved yet
// is not seen.
class SimSafeMailItem : public SafeMailItem {
 public:
  explicit SimSafeMailItem(World* world) : world_(world) {}
  void SetItem(const ol::ItemPtr& item) override {
    auto node = NodeOf(item);
    world_->faults.Check("SafeMailItem.Item", node ? node->target() : "");
    if (!node)
      throw HostError(errors::kTypeMismatch, "Type mismatch", "SafeMailItem.Item");
    node_ = std::move(node);
    item_ = item;
  }
  ol::ItemPtr Item() override {
    Enter("Item");
    return item_;
  }
  std::string Subject() override { return Enter("Subject").subject; }
  std::string SenderName() override {
    return TextMember(Member("SenderName"), "SenderName");
  }
  std::string SentOnBehalfOfName() override {
    const ItemNode& node = Member("SentOnBehalfOfName");
    std::string principal = TextMember(node, "SentOnBehalfOfName");
    return principal.empty() ? TextMember(node, "SenderName") : principal;
  }
  Date SentOn() override {
    const ItemNode& node = Member("SentOn");
    auto it = node.members.find("SentOn");
    return it != node.members.end() && it->second.IsDate() ? it->second.date_value()
                                                           : Date(ol::kOlNoDate);
  }
  ol::RecipientsPtr Recipients() override {
    const ItemNode& node = Enter("Recipients");
    if (node.cls != ol::kMail && node.cls != ol::kAppointment && node.cls != ol::kTask &&
        node.cls != ol::kJournal)
      throw NotSupportedError("Recipients");
    return WrapRecipients(world_, std::make_shared<ItemObject>(node_), "SafeRecipient");
  }
  std::string Body() override { return BodyOf(Member("Body")); }
  std::string RTFBody() override { return RtfBodyOf(Enter("RTFBody")); }

 private:
  ItemNode& Enter(const char* member) {
    std::string name = std::string("SafeMailItem.") + member;
    world_->faults.Check(name, node_ ? node_->target() : "");
    if (!node_)
      throw HostError(errors::kOperationFailed, "The Item property has not been set.",
                      name);
    if (node_->gone)
      throw HostError(errors::kObjectDeleted, "The item has been moved or deleted.",
                      name);
    return *node_;
  }
  // A member of the wrapped item's class, as the item itself has it.
  const ItemNode& Member(const char* member) {
    const ItemNode& node = Enter(member);
    if (!ClassHasMember(node.cls, member)) throw NotSupportedError(member);
    return node;
  }
  World* world_;
  // The item's stored message, as the library reads it, and the item given.
  std::shared_ptr<ItemNode> node_;
  ol::ItemPtr item_;
};

}  // namespace

std::shared_ptr<SafeMailItem> SimObjectFactory::CreateSafeMailItem() {
  world_->faults.Check("CreateObject Redemption.SafeMailItem");
  if (!redemption_installed) throw CannotCreate("Redemption.SafeMailItem");
  return std::make_shared<SimSafeMailItem>(world_);
}

std::shared_ptr<MapiUtils> SimObjectFactory::CreateMapiUtils() {
  world_->faults.Check("CreateObject Redemption.MAPIUtils");
  if (!redemption_installed) throw CannotCreate("Redemption.MAPIUtils");
  return std::make_shared<SimMapiUtils>(world_);
}

std::shared_ptr<CdoSession> SimObjectFactory::CreateCdoSession() {
  world_->faults.Check("CreateObject MAPI.Session");
  if (!cdo_installed) throw CannotCreate("MAPI.Session");
  ++cdo_sessions_created;
  return std::make_shared<SimCdoSession>(world_);
}

std::shared_ptr<RdoSession> SimObjectFactory::CreateRdoSession() {
  world_->faults.Check("CreateObject Redemption.RDOSession");
  if (!redemption_installed) throw CannotCreate("Redemption.RDOSession");
  return std::make_shared<SimRdoSession>(world_);
}

std::shared_ptr<SharingProduct> SimObjectFactory::CreateSharingProduct() {
  world_->faults.Check("CreateObject Relaybook.Engine");
  return world_->sharing.CreateProduct();
}

RegExpPtr SimObjectFactory::CreateRegExp() {
  world_->faults.Check("CreateObject VBScript.RegExp");
  if (!vbscript_installed) throw CannotCreate("VBScript.RegExp");
  return std::make_shared<SimRegExp>(&world_->faults);
}

}  // namespace pinlet::sim
