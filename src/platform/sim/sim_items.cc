// Simulated items with their user properties, and the members that depend
// on an item's class.
#include <algorithm>

#include "platform/host_error.h"
#include "platform/mapi_helpers.h"
#include "platform/sim/boundary.h"
#include "platform/sim/mail_content.h"
#include "platform/sim/sim_outlook.h"

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
    owner_->changed = true;
  }
  void Delete() override {
    Prop("UserProperty.Delete");
    owner_->changed = true;
    std::string folded = FoldCase(name_);
    props_->erase(
        std::remove_if(props_->begin(), props_->end(),
                       [&](const PropNode& p) { return FoldCase(p.name) == folded; }),
        props_->end());
  }

 private:
  PropNode& Prop(const char* member) {
    world_->faults.Check(member, owner_->target());
    if (owner_->gone) throw ItemGoneError(member);
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
      throw IndexError("UserProperties.Item");
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
    owner_->changed = true;
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
      throw IndexError("UserProperties.Remove");
    props_->erase(props_->begin() + (index - 1));
    owner_->changed = true;
  }

 private:
  void Enter(const char* member) {
    world_->faults.Check(member, owner_->target());
    if (owner_->gone) throw ItemGoneError(member);
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

class SimItem : public ol::Item {
 public:
  SimItem(World* world, std::shared_ptr<ItemNode> node)
      : world_(world), node_(std::move(node)) {}

  int Class() override { return Enter("Item.Class").cls; }
  std::string MessageClass() override { return Enter("Item.MessageClass").message_class; }
  void SetMessageClass(std::string_view value) override {
    Changed("Item.MessageClass").message_class = std::string(value);
  }
  std::string Subject() override { return Enter("Item.Subject").subject; }
  void SetSubject(std::string_view value) override {
    // A NoteItem's Subject is read-only, worked out from its body: a put
    // through IDispatch answers DISP_E_MEMBERNOTFOUND, which is 438.
    if (Enter("Item.Subject").cls == ol::kNote) throw NotSupportedError("Subject");
    ItemNode& node = Changed("Item.Subject");
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
  bool Saved() override {
    const ItemNode& node = Enter("Item.Saved");
    return !node.entry_id.empty() && !node.changed;
  }
  void Save() override {
    Enter("Item.Save");
    world_->store.SaveItem(node_, world_->clock.now());
    node_->changed = false;
    if (world_->outlook) world_->outlook->ItemChanged(*node_);
  }
  void Delete() override {
    Enter("Item.Delete");
    if (node_->entry_id.empty()) {
      node_->gone = true;  // never saved: it simply disappears
      return;
    }
    world_->store.DeleteItem(node_, world_->clock.now());
    if (world_->outlook) world_->outlook->ItemLeftFolder(*node_);
  }
  ol::ItemPtr Move(const ol::FolderPtr& folder) override {
    Enter("Item.Move");
    FolderNode* destination = NodeOf(folder);
    if (!destination) throw ObjectRequiredError();
    world_->store.MoveItem(node_, *destination, world_->clock.now());
    if (world_->outlook) world_->outlook->ItemLeftFolder(*node_);
    return WrapItem(world_, node_);
  }
  void Display() override {
    Enter("Item.Display");
    Outlook("Item.Display").OpenItem(node_);
  }
  std::shared_ptr<ol::Inspector> GetInspector() override {
    Enter("Item.GetInspector");
    SimOutlook& outlook = Outlook("Item.GetInspector");
    for (auto& inspector : outlook.inspectors())
      if (NodeOf(inspector->item()) == node_) return inspector;
    return outlook.MakeInspector(node_, false);
  }
  ol::UserPropertiesPtr UserProperties() override {
    // Outlook's own notes have neither UserProperties nor Attachments.
    if (Enter("Item.UserProperties").cls == ol::kNote)
      throw NotSupportedError("UserProperties");
    // Documents keep no user properties through the object model: what is
    // added here lives only as long as this handle.
    std::vector<PropNode>* props =
        node_->cls == ol::kDocument ? &transient_ : &node_->user_props;
    return std::make_shared<SimUserProperties>(world_, props, node_);
  }
  ol::AttachmentsPtr Attachments() override {
    if (Enter("Item.Attachments").cls == ol::kNote)
      throw NotSupportedError("Attachments");
    return WrapAttachments(world_, node_);
  }
  ol::RecipientsPtr Recipients() override {
    const ItemNode& node = Enter("Item.Recipients");
    if (node.cls != ol::kMail && node.cls != ol::kAppointment && node.cls != ol::kTask &&
        node.cls != ol::kJournal)
      throw NotSupportedError("Recipients");
    return WrapRecipients(world_, node_);
  }
  ol::ItemPtr Reply() override { return Answer("Reply", AnswerKind::kReply); }
  ol::ItemPtr ReplyAll() override { return Answer("ReplyAll", AnswerKind::kReplyAll); }
  ol::ItemPtr Forward() override { return Answer("Forward", AnswerKind::kForward); }
  bool IsSameObject(const ol::ItemPtr& other) override {
    return other && NodeOf(other) == node_;
  }
  Subscription OnOpen(std::function<void(bool&)> handler) override {
    Enter("Item.Advise");
    return node_->open.Subscribe(AtBoundary(*world_, "Item.Open", std::move(handler)));
  }

  Variant Get(std::string_view member) override {
    ItemNode& node = Enter("Item." + std::string(member));
    if (!HasMember(node.cls, member)) throw NotSupportedError(std::string(member));
    if (member == "FlagStatus" || member == "FlagIcon") {
      auto it =
          node.mapi_props.find(member == "FlagStatus" ? kPrFlagStatus : kPrFlagIcon);
      return it == node.mapi_props.end() ? Variant(0) : Variant(ToLong(it->second));
    }
    if (member == "Body") return Variant(BodyOf(node));
    if (member == "HTMLBody") return Variant(HtmlBodyOf(node));
    if (member == "RTFBody") return Variant(RtfBodyOf(node));
    if (member == "BodyFormat") return Variant(int32_t{BodyFormatOf(node)});
    if (IsOneOf(member, {"To", "CC", "BCC"}))
      return Variant(RecipientText(node, RecipientTypeOf(member)));
    if (member == "SentOnBehalfOfName") {
      std::string principal = TextMember(node, member);
      return Variant(principal.empty() ? TextMember(node, "SenderName") : principal);
    }
    auto it = node.members.find(member);
    return it == node.members.end() ? DefaultOf(member) : it->second;
  }
  void Put(std::string_view member, const Variant& value) override {
    ItemNode& node = Enter("Item." + std::string(member));
    if (!HasMember(node.cls, member) ||
        IsOneOf(member, {"SenderName", "SenderEmailAddress", "SentOn", "ReceivedTime"}))
      throw NotSupportedError(std::string(member));
    if (member == "FlagStatus" || member == "FlagIcon") {
      node.mapi_props[member == "FlagStatus" ? kPrFlagStatus : kPrFlagIcon] =
          ToLong(value);
    } else if (member == "Body") {
      WriteBody(node, ToText(value));
    } else if (member == "HTMLBody") {
      WriteHtmlBody(node, ToText(value));
    } else if (member == "RTFBody") {
      WriteRtfBody(node, ToText(value));
    } else if (member == "BodyFormat") {
      int format = ToLong(value);
      if (format < ol::kOlFormatPlain || format > ol::kOlFormatRichText)
        throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                        "Item.BodyFormat");
      WriteBodyFormat(node, format);
    } else if (IsOneOf(member, {"To", "CC", "BCC"})) {
      WriteRecipientText(node, RecipientTypeOf(member), ToText(value));
    } else {
      node.members[std::string(member)] = Converted(member, value);
    }
    node.changed = true;
  }

  const std::shared_ptr<ItemNode>& node() const { return node_; }

 private:
  ItemNode& Enter(const std::string& member) {
    world_->faults.Check(member, node_->target());
    if (node_->gone) throw ItemGoneError(member.c_str());
    return *node_;
  }
  ItemNode& Changed(const std::string& member) {
    ItemNode& node = Enter(member);
    node.changed = true;
    return node;
  }
  SimOutlook& Outlook(const char* member) {
    if (!world_->outlook)
      throw HostError(errors::kOperationFailed, "Outlook is not running.", member);
    return *world_->outlook;
  }
  // RTFBody came to Outlook's object model with version 12.
  bool HasMember(int cls, std::string_view member) const {
    if (member == "RTFBody" &&
        (!world_->outlook || world_->outlook->major_version() < 12))
      return false;
    return ClassHasMember(cls, member);
  }
  ol::ItemPtr Answer(const char* command, AnswerKind kind) {
    const ItemNode& node = Enter("Item." + std::string(command));
    if (!HasAnswer(node.cls, kind)) throw NotSupportedError(command);
    return WrapItem(world_, MakeAnswer(world_->store, node, kind));
  }
  World* world_;
  std::shared_ptr<ItemNode> node_;
  std::vector<PropNode> transient_;
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
  return std::make_shared<SimItem>(world, std::move(node));
}

std::shared_ptr<ItemNode> NodeOf(const ol::ItemPtr& item) {
  auto sim = std::dynamic_pointer_cast<SimItem>(item);
  return sim ? sim->node() : nullptr;
}

}  // namespace pinlet::sim
