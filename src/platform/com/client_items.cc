// Outlook's items and their collection as clients: each member one call of
// the item's member of that name.
#include "platform/com/com_event_ids.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

class ComItem final : public ClientObject, public ol::Item {
 public:
  explicit ComItem(ComPtr<IDispatch> object) : ClientObject(std::move(object), "Item") {}

  int Class() override { return bound_.Long("Class"); }
  std::string MessageClass() override { return bound_.Text("MessageClass"); }
  void SetMessageClass(std::string_view value) override {
    bound_.Put("MessageClass", Arg(value));
  }
  std::string Subject() override { return bound_.Text("Subject"); }
  void SetSubject(std::string_view value) override { bound_.Put("Subject", Arg(value)); }
  std::string EntryID() override { return bound_.Text("EntryID"); }
  ol::FolderPtr Parent() override { return ObjectAs<ol::Folder>(bound_, "Parent"); }
  Date LastModificationTime() override { return bound_.DateOf("LastModificationTime"); }
  bool Saved() override { return bound_.Bool("Saved"); }
  void Save() override { bound_.Call("Save"); }
  void Delete() override { bound_.Call("Delete"); }
  ol::ItemPtr Move(const ol::FolderPtr& folder) override {
    return ObjectAs<ol::Item>(bound_, "Move", {Arg(ToDispatch(folder))});
  }
  void Display() override { bound_.Call("Display"); }
  ol::InspectorPtr GetInspector() override {
    return ObjectAs<ol::Inspector>(bound_, "GetInspector");
  }
  ol::UserPropertiesPtr UserProperties() override {
    return ObjectAs<ol::UserProperties>(bound_, "UserProperties");
  }
  ol::AttachmentsPtr Attachments() override {
    return ObjectAs<ol::Attachments>(bound_, "Attachments");
  }
  ol::RecipientsPtr Recipients() override {
    return ObjectAs<ol::Recipients>(bound_, "Recipients");
  }
  ol::ItemPtr Reply() override { return ObjectAs<ol::Item>(bound_, "Reply"); }
  ol::ItemPtr ReplyAll() override { return ObjectAs<ol::Item>(bound_, "ReplyAll"); }
  ol::ItemPtr Forward() override { return ObjectAs<ol::Item>(bound_, "Forward"); }

  Subscription OnOpen(std::function<void(bool& cancel)> handler) override {
    return HubOf(events_, bound_.object(), kDiidItemEvents10, "Item events")
        ->Subscribe(kDispItemOpen, [handler = std::move(handler)](const DispArgs& args) {
          WithCancel(args, 0, handler);
        });
  }

  // COM's identity rule: the same IUnknown. Handing the other item over
  // (ToDispatch) calls nothing of the host's.
  bool IsSameObject(const ol::ItemPtr& other) override {
    if (!other) return false;
    ComPtr<IDispatch> theirs = ToDispatch(other);
    return theirs && IdentityOf(theirs.get()) == IdentityOf(dispatch());
  }

  Variant Get(std::string_view member) override { return bound_.Value(member); }
  void Put(std::string_view member, const Variant& value) override {
    bound_.Put(member, Arg(value));
  }

 private:
  std::weak_ptr<EventHub> events_;
};

class ComItems final : public ClientObject, public ol::Items {
 public:
  explicit ComItems(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Items") {}

  int Count() override { return bound_.Long("Count"); }
  ol::ItemPtr Item(int index) override {
    return ObjectAs<ol::Item>(bound_, "Item", {Arg(int32_t{index})});
  }
  ol::ItemPtr Item(std::string_view subject) override {
    return ObjectAs<ol::Item>(bound_, "Item", {Arg(subject)});
  }
  ol::ItemPtr Find(std::string_view filter) override {
    return ObjectAs<ol::Item>(bound_, "Find", {Arg(filter)});
  }
  ol::ItemPtr Add(int item_type) override {
    return ObjectAs<ol::Item>(bound_, "Add", {Arg(int32_t{item_type})});
  }
  ol::ItemPtr Add(std::string_view message_class) override {
    return ObjectAs<ol::Item>(bound_, "Add", {Arg(message_class)});
  }
};

}  // namespace

template <>
std::shared_ptr<ol::Item> MakeClient<ol::Item>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComItem>(object);
}

template <>
std::shared_ptr<ol::Items> MakeClient<ol::Items>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComItems>(object);
}

}  // namespace pinlet::com
