// What hangs off an Outlook item, as clients: user properties, attachments
// and recipients with their collections.
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

class ComUserProperty final : public ClientObject, public ol::UserProperty {
 public:
  explicit ComUserProperty(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "UserProperty") {}
  std::string Name() override { return bound_.Text("Name"); }
  int Type() override { return bound_.Long("Type"); }
  Variant Value() override { return bound_.Value("Value"); }
  void SetValue(const Variant& value) override { bound_.Put("Value", Arg(value)); }
  void Delete() override { bound_.Call("Delete"); }
};

class ComUserProperties final : public ClientObject, public ol::UserProperties {
 public:
  explicit ComUserProperties(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "UserProperties") {}
  int Count() override { return bound_.Long("Count"); }
  ol::UserPropertyPtr Item(int index) override {
    return ObjectAs<ol::UserProperty>(bound_, "Item", {Arg(index)});
  }
  ol::UserPropertyPtr Item(std::string_view name) override {
    return ObjectAs<ol::UserProperty>(bound_, "Item", {Arg(name)});
  }
  // Outlook's Find answers Nothing for a name the item lacks.
  ol::UserPropertyPtr Find(std::string_view name) override {
    return ObjectAs<ol::UserProperty>(bound_, "Find", {Arg(name)});
  }
  ol::UserPropertyPtr Add(std::string_view name, int type,
                          bool add_to_folder_fields) override {
    return ObjectAs<ol::UserProperty>(bound_, "Add",
                                      {Arg(name), Arg(type), Arg(add_to_folder_fields)});
  }
  void Remove(int index) override { bound_.Call("Remove", {Arg(index)}); }
};

class ComAttachment final : public ClientObject, public ol::Attachment {
 public:
  explicit ComAttachment(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Attachment") {}
  std::string FileName() override { return bound_.Text("FileName"); }
  std::string DisplayName() override { return bound_.Text("DisplayName"); }
  std::string PathName() override { return bound_.Text("PathName"); }
  int Type() override { return bound_.Long("Type"); }
  int Index() override { return bound_.Long("Index"); }
  void SaveAsFile(std::string_view path) override {
    bound_.Call("SaveAsFile", {Arg(path)});
  }
  void Delete() override { bound_.Call("Delete"); }
};

class ComAttachments final : public ClientObject, public ol::Attachments {
 public:
  explicit ComAttachments(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Attachments") {}
  int Count() override { return bound_.Long("Count"); }
  ol::AttachmentPtr Item(int index) override {
    return ObjectAs<ol::Attachment>(bound_, "Item", {Arg(index)});
  }
  // Outlook's Add(Source, Type, Position, DisplayName); the position is
  // left to Outlook.
  ol::AttachmentPtr Add(std::string_view path, int type,
                        std::string_view display_name) override {
    return ObjectAs<ol::Attachment>(
        bound_, "Add",
        {Arg(path), Arg(type), Arg::Missing(), TextOrMissing(display_name)});
  }
  void Remove(int index) override { bound_.Call("Remove", {Arg(index)}); }
};

class ComRecipient final : public ClientObject, public ol::Recipient {
 public:
  explicit ComRecipient(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Recipient") {}
  std::string Name() override { return bound_.Text("Name"); }
  std::string Address() override { return bound_.Text("Address"); }
  int Type() override { return bound_.Long("Type"); }
  void SetType(int type) override { bound_.Put("Type", Arg(type)); }
  bool Resolved() override { return bound_.Bool("Resolved"); }
  bool Resolve() override { return bound_.Bool("Resolve"); }
  void Delete() override { bound_.Call("Delete"); }
};

class ComRecipients final : public ClientObject, public ol::Recipients {
 public:
  explicit ComRecipients(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Recipients") {}
  int Count() override { return bound_.Long("Count"); }
  ol::RecipientPtr Item(int index) override {
    return ObjectAs<ol::Recipient>(bound_, "Item", {Arg(index)});
  }
  ol::RecipientPtr Add(std::string_view name) override {
    return ObjectAs<ol::Recipient>(bound_, "Add", {Arg(name)});
  }
  void Remove(int index) override { bound_.Call("Remove", {Arg(index)}); }
};

}  // namespace

template <>
std::shared_ptr<ol::UserProperty> MakeClient<ol::UserProperty>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComUserProperty>(object);
}

template <>
std::shared_ptr<ol::UserProperties> MakeClient<ol::UserProperties>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComUserProperties>(object);
}

template <>
std::shared_ptr<ol::Attachment> MakeClient<ol::Attachment>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComAttachment>(object);
}

template <>
std::shared_ptr<ol::Attachments> MakeClient<ol::Attachments>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComAttachments>(object);
}

template <>
std::shared_ptr<ol::Recipient> MakeClient<ol::Recipient>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComRecipient>(object);
}

template <>
std::shared_ptr<ol::Recipients> MakeClient<ol::Recipients>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComRecipients>(object);
}

}  // namespace pinlet::com
