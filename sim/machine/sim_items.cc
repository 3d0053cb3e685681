// Simulated items with their user properties, and the members that depend
// on an item's class.
#include <algorithm>

#include "platform/host_error.h"
#include "platform/mapi_helpers.h"
#include "sim/machine/boundary.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/object_model_guard.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {
namespace {

bool IsOneOf(std::string_view member, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), member) != names.end();
}

bool IsDateMember(std::string_view member) {
  return IsOneOf(member, {"SentOn", "ReceivedTime", "ReminderTime", "FlagDueBy",
                          "DueDate", "StartDate", "Start", "End"});
}

bool IsBooleanMember(std::string_view member) {
  return IsOneOf(member, {"ReminderSet", "UnRead"});
}

// What a member answers before anything was written to it.
Variant DefaultOf(std::string_view member) {
  if (IsDateMember(member)) return Variant(Date(ol::kOlNoDate));
  if (IsBooleanMember(member)) return Variant(false);
  return Variant("");
}

// The value as the member keeps it; raises 13 for text that is no date.
Variant Converted(std::string_view member, const Variant& value) {
  if (IsDateMember(member)) {
    if (value.IsText() && !Date::Parse(value.text()))
      throw HostError(errors::kTypeMismatch, "Type mismatch",
                      "Item." + std::string(member));
    return Variant(ToDate(value));
  }
  if (IsBooleanMember(member)) return Variant(ToBool(value));
  return value;
}

int RecipientTypeOf(std::string_view member) {
  return member == "To" ? ol::kOlTo : member == "CC" ? ol::kOlCC : ol::kOlBCC;
}

// The user properties an item object shows: its own, or for a document
// those that live only as long as the handle that added them.
struct PropertyList {
  std::shared_ptr<ItemObject> object;
  std::shared_ptr<std::vector<PropNode>> transient;  // documents only

  const std::vector<PropNode>& Read() const {
    return transient ? *transient : object->content().user_props;
  }
  std::vector<PropNode>& Write() {
    return transient ? *transient : object->Edit(ItemObject::kUserProperties).user_props;
  }
  ItemNode& item() const { return *object->stored(); }
};

template <typename Props>
auto Lookup(Props& props, std::string_view name) -> decltype(&props.front()) {
  std::string folded = FoldCase(name);
  for (auto& p : props)
    if (FoldCase(p.name) == folded) return &p;
  return nullptr;
}

class SimUserProperty : public ol::UserProperty {
 public:
  SimUserProperty(World* world, PropertyList list, std::string name)
      : world_(world), list_(std::move(list)), name_(std::move(name)) {}

  std::string Name() override { return Prop("UserProperty.Name").name; }
  int Type() override { return Prop("UserProperty.Type").type; }
  Variant Value() override { return Prop("UserProperty.Value").value; }
  void SetValue(const Variant& value) override {
    int type = Prop("UserProperty.Value").type;
    // A text property keeps text, as the host converts on assignment.
    Lookup(list_.Write(), name_)->value =
        type == ol::kOlText ? Variant(ToText(value)) : value;
  }
  void Delete() override {
    Prop("UserProperty.Delete");
    std::string folded = FoldCase(name_);
    std::erase_if(list_.Write(),
                  [&](const PropNode& p) { return FoldCase(p.name) == folded; });
  }

 private:
  const PropNode& Prop(const char* member) {
    world_->faults.Check(member, list_.item().target());
    if (list_.item().gone) throw ItemGoneError(member);
    if (const PropNode* prop = Lookup(list_.Read(), name_)) return *prop;
    throw HostError(errors::kOperationFailed, "The property has been deleted.", member);
  }
  World* world_;
  PropertyList list_;
  std::string name_;
};

class SimUserProperties : public ol::UserProperties {
 public:
  SimUserProperties(World* world, PropertyList list)
      : world_(world), list_(std::move(list)) {}

  int Count() override {
    Enter("UserProperties.Count");
    return static_cast<int>(list_.Read().size());
  }
  ol::UserPropertyPtr Item(int index) override {
    Enter("UserProperties.Item");
    if (index < 1 || index > static_cast<int>(list_.Read().size()))
      throw IndexError("UserProperties.Item");
    return Make(list_.Read()[index - 1].name);
  }
  ol::UserPropertyPtr Item(std::string_view name) override {
    Enter("UserProperties.Item");
    const PropNode* prop = Lookup(list_.Read(), name);
    if (!prop) throw NotFoundError("UserProperties.Item");
    return Make(prop->name);
  }
  ol::UserPropertyPtr Find(std::string_view name) override {
    Enter("UserProperties.Find");
    const PropNode* prop = Lookup(list_.Read(), name);
    return prop ? Make(prop->name) : nullptr;
  }
  ol::UserPropertyPtr Add(std::string_view name, int type,
                          bool add_to_folder_fields) override {
    Enter("UserProperties.Add");
    if (name.empty()) throw HostError(errors::kInvalidArgument, "Invalid property name.");
    if (Lookup(list_.Read(), name))
      throw HostError(errors::kOperationFailed,
                      "A property with this name already exists.", "UserProperties.Add");
    list_.Write().push_back(
        {std::string(name), type, type == ol::kOlText ? Variant("") : Variant()});
    // The folder's field definition is the folder's own, made at once.
    if (add_to_folder_fields && list_.item().folder) {
      auto& fields = list_.item().folder->user_fields;
      std::string folded = FoldCase(name);
      if (std::none_of(fields.begin(), fields.end(),
                       [&](const std::string& f) { return FoldCase(f) == folded; }))
        fields.emplace_back(name);
    }
    return Make(std::string(name));
  }
  void Remove(int index) override {
    Enter("UserProperties.Remove");
    if (index < 1 || index > static_cast<int>(list_.Read().size()))
      throw IndexError("UserProperties.Remove");
    auto& props = list_.Write();
    props.erase(props.begin() + (index - 1));
  }

 private:
  void Enter(const char* member) {
    world_->faults.Check(member, list_.item().target());
    if (list_.item().gone) throw ItemGoneError(member);
  }
  ol::UserPropertyPtr Make(std::string name) {
    return std::make_shared<SimUserProperty>(world_, list_, std::move(name));
  }
  World* world_;
  PropertyList list_;
};

class SimItem : public ol::Item {
 public:
  // `trusted`: derived from the Application Outlook handed the add-in (see
  // object_model_guard.h).
  SimItem(World* world, std::shared_ptr<ItemObject> object, bool trusted = true)
      : world_(world), object_(std::move(object)), trusted_(trusted) {}

  int Class() override { return Read("Item.Class").cls; }
  std::string MessageClass() override { return Read("Item.MessageClass").message_class; }
  void SetMessageClass(std::string_view value) override {
    Write("Item.MessageClass", ItemObject::kMessageClass).message_class =
        std::string(value);
  }
  std::string Subject() override { return Read("Item.Subject").subject; }
  void SetSubject(std::string_view value) override {
    // A NoteItem's Subject is read-only, worked out from its body: a put
    // through IDispatch answers DISP_E_MEMBERNOTFOUND, which is 438.
    if (Read("Item.Subject").cls == ol::kNote) throw NotSupportedError("Subject");
    Write("Item.Subject", ItemObject::kSubject).subject = std::string(value);
  }
  std::string EntryID() override { return Enter("Item.EntryID").entry_id; }
  ol::FolderPtr Parent() override {
    return WrapFolder(world_, Enter("Item.Parent").folder);
  }
  Date LastModificationTime() override {
    return Enter("Item.LastModificationTime").last_modified;
  }
  bool Saved() override {
    const ItemNode& node = Enter("Item.Saved");
    return !node.entry_id.empty() && !object_->changed();
  }
  void Save() override {
    Enter("Item.Save");
    object_->Commit(world_->store, world_->clock.now());
    if (world_->outlook) world_->outlook->ItemChanged(*node());
  }
  void Delete() override {
    ItemNode& node = Enter("Item.Delete");
    if (node.entry_id.empty()) {
      node.gone = true;  // never saved: it simply disappears
      return;
    }
    world_->store.DeleteItem(this->node(), world_->clock.now());
    if (world_->outlook) world_->outlook->ItemLeftFolder(node);
  }
  ol::ItemPtr Move(const ol::FolderPtr& folder) override {
    ItemNode& node = Enter("Item.Move");
    FolderNode* destination = NodeOf(folder);
    if (!destination) throw ObjectRequiredError();
    auto moved = world_->store.MoveItem(this->node(), *destination, world_->clock.now());
    if (world_->outlook) world_->outlook->ItemLeftFolder(node);
    return WrapItem(world_, moved);
  }
  void Display() override {
    Enter("Item.Display");
    Outlook("Item.Display").OpenItem(WrapObject(world_, object_));
  }
  std::shared_ptr<ol::Inspector> GetInspector() override {
    Enter("Item.GetInspector");
    SimOutlook& outlook = Outlook("Item.GetInspector");
    for (auto& inspector : outlook.inspectors())
      if (NodeOf(inspector->item()) == node()) return inspector;
    return outlook.MakeInspector(WrapObject(world_, object_), false);
  }
  ol::UserPropertiesPtr UserProperties() override {
    // Outlook's own notes have neither UserProperties nor Attachments.
    if (Read("Item.UserProperties").cls == ol::kNote)
      throw NotSupportedError("UserProperties");
    // Documents keep no user properties through the object model: what is
    // added here lives only as long as this handle.
    PropertyList list{object_, nullptr};
    if (node()->cls == ol::kDocument) list.transient = transient_;
    return std::make_shared<SimUserProperties>(world_, std::move(list));
  }
  ol::AttachmentsPtr Attachments() override {
    if (Read("Item.Attachments").cls == ol::kNote) throw NotSupportedError("Attachments");
    return WrapAttachments(world_, object_);
  }
  ol::RecipientsPtr Recipients() override {
    const ItemContent& content = Read("Item.Recipients");
    if (content.cls != ol::kMail && content.cls != ol::kAppointment &&
        content.cls != ol::kTask && content.cls != ol::kJournal)
      throw NotSupportedError("Recipients");
    PassGuard(*world_, "Item.Recipients", trusted_);
    return WrapRecipients(world_, object_);
  }
  ol::ItemPtr Reply() override { return Answer("Reply", AnswerKind::kReply); }
  ol::ItemPtr ReplyAll() override { return Answer("ReplyAll", AnswerKind::kReplyAll); }
  ol::ItemPtr Forward() override { return Answer("Forward", AnswerKind::kForward); }
  bool IsSameObject(const ol::ItemPtr& other) override {
    return other && NodeOf(other) == node();
  }
  Subscription OnOpen(std::function<void(bool&)> handler) override {
    Enter("Item.Advise");
    return node()->open.Subscribe(AtBoundary(*world_, "Item.Open", std::move(handler)));
  }

  Variant Get(std::string_view member) override {
    std::string name = "Item." + std::string(member);
    const ItemContent& item = Read(name);
    if (!HasMember(item.cls, member)) throw NotSupportedError(std::string(member));
    PassGuard(*world_, name, trusted_);
    if (member == "FlagStatus" || member == "FlagIcon") {
      auto it =
          item.mapi_props.find(member == "FlagStatus" ? kPrFlagStatus : kPrFlagIcon);
      return it == item.mapi_props.end() ? Variant(0) : Variant(ToLong(it->second));
    }
    if (member == "Body") return Variant(BodyOf(item));
    if (member == "HTMLBody") return Variant(HtmlBodyOf(item));
    if (member == "RTFBody") return Variant(RtfBodyOf(item));
    if (member == "BodyFormat") return Variant(int32_t{BodyFormatOf(item)});
    if (IsOneOf(member, {"To", "CC", "BCC"}))
      return Variant(RecipientText(item, RecipientTypeOf(member)));
    if (member == "SentOnBehalfOfName") {
      std::string principal = TextMember(item, member);
      return Variant(principal.empty() ? TextMember(item, "SenderName") : principal);
    }
    auto it = item.members.find(member);
    return it == item.members.end() ? DefaultOf(member) : it->second;
  }
  void Put(std::string_view member, const Variant& value) override {
    std::string name = "Item." + std::string(member);
    int cls = Read(name).cls;
    if (!HasMember(cls, member) ||
        IsOneOf(member, {"SenderName", "SenderEmailAddress", "SentOn", "ReceivedTime"}))
      throw NotSupportedError(std::string(member));
    if (member == "FlagStatus" || member == "FlagIcon") {
      int32_t flag = ToLong(value);
      object_->Edit(ItemObject::kMapiProperties)
          .mapi_props[member == "FlagStatus" ? kPrFlagStatus : kPrFlagIcon] = flag;
    } else if (member == "Body") {
      WriteBody(object_->Edit(ItemObject::kMembers), ToText(value));
    } else if (member == "HTMLBody") {
      WriteHtmlBody(object_->Edit(ItemObject::kMembers), ToText(value));
    } else if (member == "RTFBody") {
      WriteRtfBody(object_->Edit(ItemObject::kMembers), ToText(value));
    } else if (member == "BodyFormat") {
      int format = ToLong(value);
      if (format < ol::kOlFormatPlain || format > ol::kOlFormatRichText)
        throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                        "Item.BodyFormat");
      WriteBodyFormat(object_->Edit(ItemObject::kMembers), format);
    } else if (IsOneOf(member, {"To", "CC", "BCC"})) {
      std::string text = ToText(value);
      WriteRecipientText(object_->Edit(ItemObject::kRecipients), RecipientTypeOf(member),
                         text);
    } else {
      Variant converted = Converted(member, value);
      object_->Edit(ItemObject::kMembers).members[std::string(member)] =
          std::move(converted);
    }
  }

  const std::shared_ptr<ItemNode>& node() const { return object_->stored(); }
  const std::shared_ptr<ItemObject>& object() const { return object_; }

 private:
  // The stored item, once the call passed the fault check and the item is
  // still there.
  ItemNode& Enter(const std::string& member) {
    world_->faults.Check(member, node()->target());
    if (node()->gone) throw ItemGoneError(member.c_str());
    return *node();
  }
  // What this object shows of the item.
  const ItemContent& Read(const std::string& member) {
    Enter(member);
    return object_->content();
  }
  ItemContent& Write(const std::string& member, unsigned parts) {
    Enter(member);
    return object_->Edit(parts);
  }
  SimOutlook& Outlook(const char* member) {
    if (!world_->outlook)
      throw HostError(errors::kOperationFailed, "Outlook is not running.", member);
    return *world_->outlook;
  }
  // Members a version lacks (RTFBody before 14) the fault injector refuses.
  bool HasMember(int cls, std::string_view member) const {
    return ClassHasMember(cls, member);
  }
  ol::ItemPtr Answer(const char* command, AnswerKind kind) {
    const ItemNode& node = Enter("Item." + std::string(command));
    const ItemContent& shown = object_->content();
    if (!HasAnswer(shown.cls, kind)) throw NotSupportedError(command);
    // An answer to an item outside the trust is outside it too.
    return std::make_shared<SimItem>(
        world_,
        std::make_shared<ItemObject>(MakeAnswer(world_->store, node, kind, &shown)),
        trusted_);
  }
  World* world_;
  std::shared_ptr<ItemObject> object_;
  bool trusted_;
  std::shared_ptr<std::vector<PropNode>> transient_ =
      std::make_shared<std::vector<PropNode>>();
};

}  // namespace

bool ClassHasMember(int cls, std::string_view member) {
  static const std::pair<int, std::string_view> kMembers[] = {
      {ol::kMail, "FlagStatus"},
      {ol::kMail, "FlagIcon"},
      {ol::kMail, "FlagRequest"},
      {ol::kMail, "FlagDueBy"},
      {ol::kMail, "To"},
      {ol::kMail, "CC"},
      {ol::kMail, "BCC"},
      {ol::kMail, "SenderName"},
      {ol::kMail, "SenderEmailAddress"},
      {ol::kMail, "SentOnBehalfOfName"},
      {ol::kMail, "SentOn"},
      {ol::kMail, "BodyFormat"},
      {ol::kMail, "RTFBody"},
      {ol::kMail, "ReceivedTime"},
      {ol::kMail, "HTMLBody"},
      {ol::kMail, "ReminderSet"},
      {ol::kMail, "ReminderTime"},
      {ol::kMail, "UnRead"},
      {ol::kPost, "SenderName"},
      {ol::kPost, "SenderEmailAddress"},
      {ol::kPost, "SentOn"},
      {ol::kPost, "ReceivedTime"},
      {ol::kPost, "HTMLBody"},
      {ol::kPost, "BodyFormat"},
      {ol::kPost, "RTFBody"},
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
  return std::make_shared<SimItem>(world, std::make_shared<ItemObject>(std::move(node)));
}

ol::ItemPtr WrapObject(World* world, std::shared_ptr<ItemObject> object) {
  if (!object) return nullptr;
  return std::make_shared<SimItem>(world, std::move(object));
}

ol::ItemPtr WrapUntrustedObject(World* world, std::shared_ptr<ItemObject> object) {
  if (!object) return nullptr;
  return std::make_shared<SimItem>(world, std::move(object), /*trusted=*/false);
}

std::shared_ptr<ItemNode> NodeOf(const ol::ItemPtr& item) {
  auto sim = std::dynamic_pointer_cast<SimItem>(item);
  return sim ? sim->node() : nullptr;
}

std::shared_ptr<ItemObject> ObjectOf(const ol::ItemPtr& item) {
  auto sim = std::dynamic_pointer_cast<SimItem>(item);
  return sim ? sim->object() : nullptr;
}

}  // namespace pinlet::sim
