// The add-in host's objects and the add-in's published ones, as clients:
// any Office application, its COM add-ins, and the connectors that code in
// another host reaches through COMAddIns("Pinlet.Connect").Object.
#include "platform/com/client_host.h"
#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"

namespace pinlet::com {
namespace {

class ComCOMAddIns final : public ClientObject, public COMAddIns {
 public:
  explicit ComCOMAddIns(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "COMAddIns") {}
  int Count() override { return bound_.Long("Count"); }
  std::shared_ptr<COMAddIn> Item(std::string_view progid) override {
    return ObjectAs<COMAddIn>(bound_, "Item", {Arg(progid)});
  }
};

class ComCOMAddIn final : public ClientObject, public COMAddIn {
 public:
  explicit ComCOMAddIn(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "COMAddIn") {}
  std::string ProgId() override { return bound_.Text("ProgId"); }
  std::string Description() override { return bound_.Text("Description"); }
  bool Connect() override { return bound_.Bool("Connect"); }
  std::shared_ptr<AddInObject> Object() override {
    return ObjectAs<AddInObject>(bound_, "Object");
  }
  void SetObject(std::shared_ptr<AddInObject> object) override {
    PutObject(bound_, "Object", ToDispatch(object));
  }
};

class ComAddInObject final : public ClientObject, public AddInObject {
 public:
  explicit ComAddInObject(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "AddInObject") {}
  std::shared_ptr<AddInConnectors> GetConnectors() override {
    return ObjectAs<AddInConnectors>(bound_, "GetConnectors");
  }
};

class ComConnectors final : public ClientObject, public AddInConnectors {
 public:
  explicit ComConnectors(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "AddInConnectors") {}
  int Count() override { return bound_.Long("Count"); }
  std::shared_ptr<AddInConnector> Item(int index) override {
    return ObjectAs<AddInConnector>(bound_, "Item", {Arg(index)});
  }
  std::shared_ptr<AddInConnector> Item(std::string_view key) override {
    return ObjectAs<AddInConnector>(bound_, "Item", {Arg(key)});
  }
};

class ComConnector final : public ClientObject, public AddInConnector {
 public:
  explicit ComConnector(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "AddInConnector") {}
  bool IsInitialized() override { return bound_.Bool("IsInitialized"); }
  // The window and the spelling checker are opaque to the connector and do
  // not cross: Nothing goes in their places.
  void PinletClick(const std::string& caption, bool toolbar_click,
                   const ol::ItemPtr& mail, const std::shared_ptr<void>&,
                   bool& close_form, const std::shared_ptr<void>&) override {
    bound_.Call("PinletClick",
                {Arg(caption), Arg(toolbar_click), Arg(ToDispatch(mail)),
                 Arg(static_cast<IDispatch*>(nullptr)), Arg::ByRef(&close_form),
                 Arg(static_cast<IDispatch*>(nullptr))});
  }
  // A collection with Count and Item(1..Count).
  ReplyForms GetReplyForms() override {
    LateBound forms(bound_.Object("GetReplyForms"), "ReplyForms");
    ReplyForms result;
    if (!forms) return result;
    int count = forms.Long("Count");
    for (int i = 1; i <= count; ++i)
      result.push_back(ObjectAs<ReplyForwardObject>(forms, "Item", {Arg(i)}));
    return result;
  }
};

class ComReplyForward final : public ClientObject, public ReplyForwardObject {
 public:
  explicit ComReplyForward(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "ReplyForwardObject") {}
  ol::InspectorPtr objInspector() override {
    return ObjectAs<ol::Inspector>(bound_, "objInspector");
  }
  ol::ItemPtr objNote() override { return ObjectAs<ol::Item>(bound_, "objNote"); }
};

}  // namespace

// Outlook and Word are told by the interfaces their applications answer,
// and share the client of their own type.
template <>
std::shared_ptr<HostApplication> MakeClient<HostApplication>(
    const ComPtr<IDispatch>& object) {
  if (object.As<IDispatch>(kIidOutlookApplication))
    return ToPlatform<ol::Application>(object);
  if (object.As<IDispatch>(kIidWordApplication))
    return ToPlatform<word::Application>(object);
  return std::make_shared<HostApplicationClient<HostApplication>>(object);
}

template <>
std::shared_ptr<COMAddIns> MakeClient<COMAddIns>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCOMAddIns>(object);
}

template <>
std::shared_ptr<COMAddIn> MakeClient<COMAddIn>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCOMAddIn>(object);
}

template <>
std::shared_ptr<AddInObject> MakeClient<AddInObject>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComAddInObject>(object);
}

template <>
std::shared_ptr<AddInConnectors> MakeClient<AddInConnectors>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComConnectors>(object);
}

template <>
std::shared_ptr<AddInConnector> MakeClient<AddInConnector>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComConnector>(object);
}

template <>
std::shared_ptr<ReplyForwardObject> MakeClient<ReplyForwardObject>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComReplyForward>(object);
}

}  // namespace pinlet::com
