// The add-in host's objects and the add-in's published ones, served by
// member name: any Office application, its COM add-ins, and the add-in's
// Connect object with its connectors, which the DLL hands to Office.
#include "platform/com/client_host.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

const ServedType<HostApplication>& OfficeType() {
  static const ServedType<HostApplication> type = [] {
    ServedType<HostApplication> t("OfficeApplication");
    AddHostMembers(t);
    return t;
  }();
  return type;
}

const ServedType<COMAddIns>& AddInsType() {
  static const ServedType<COMAddIns> type = [] {
    ServedType<COMAddIns> t("COMAddIns");
    t.Get("Count", [](COMAddIns& a, ServedCall& c) { c.Return(a.Count()); })
        .Get("Item",
             [](COMAddIns& a, ServedCall& c) {
               ReturnObject(c, a.Item(c.args().Text(0)));
             },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

const ServedType<COMAddIn>& AddInType() {
  static const ServedType<COMAddIn> type = [] {
    ServedType<COMAddIn> t("COMAddIn");
    t.Get("ProgId", [](COMAddIn& a, ServedCall& c) { c.Return(a.ProgId()); })
        .Get("Description", [](COMAddIn& a, ServedCall& c) { c.Return(a.Description()); })
        .Get("Connect", [](COMAddIn& a, ServedCall& c) { c.Return(a.Connect()); })
        .Property(
            "Object", [](COMAddIn& a, ServedCall& c) { ReturnObject(c, a.Object()); },
            [](COMAddIn& a, ServedCall& c) {
              a.SetObject(ArgumentOf<AddInObject>(c.PutObject()));
            });
    return t;
  }();
  return type;
}

const ServedType<AddInObject>& AddInObjectType() {
  static const ServedType<AddInObject> type = [] {
    ServedType<AddInObject> t("AddInObject");
    t.Get("GetConnectors",
          [](AddInObject& a, ServedCall& c) { ReturnObject(c, a.GetConnectors()); });
    return t;
  }();
  return type;
}

const ServedType<AddInConnectors>& ConnectorsType() {
  static const ServedType<AddInConnectors> type = [] {
    ServedType<AddInConnectors> t("AddInConnectors");
    t.Get("Count", [](AddInConnectors& a, ServedCall& c) { c.Return(a.Count()); })
        .Get("Item",
             [](AddInConnectors& a, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? a.Item(args.Text(0))
                                                       : a.Item(args.Long(0)));
             },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

// The reply/forward objects of GetReplyForms, as a collection.
struct ReplyFormList {
  ReplyForms forms;
};

const ServedType<ReplyFormList>& ReplyFormListType() {
  static const ServedType<ReplyFormList> type = [] {
    ServedType<ReplyFormList> t("ReplyForms");
    t.Get("Count", [](ReplyFormList& l,
                      ServedCall& c) { c.Return(static_cast<int>(l.forms.size())); })
        .Get("Item",
             [](ReplyFormList& l, ServedCall& c) {
               int index = c.args().Long(0);
               if (index < 1 || static_cast<size_t>(index) > l.forms.size())
                 throw InvalidArgumentError(c.what());
               ReturnObject(c, l.forms[index - 1]);
             },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

// PinletClick(Caption, ToolbarClick, Mail, Window, CloseForm,
// SpellCheckImplementer): the window and the spelling checker stay with the
// caller; CloseForm is written back as the connector leaves it.
void PinletClick(AddInConnector& connector, ServedCall& c) {
  const DispArgs& args = c.args();
  bool close_form = args.Has(4) && args.Bool(4);
  connector.PinletClick(args.Text(0), args.Bool(1), ArgumentOf<ol::Item>(args.Object(2)),
                        nullptr, close_form, nullptr);
  args.SetBool(4, close_form);
}

const ServedType<AddInConnector>& ConnectorType() {
  static const ServedType<AddInConnector> type = [] {
    ServedType<AddInConnector> t("AddInConnector");
    t.Get("IsInitialized",
          [](AddInConnector& a, ServedCall& c) { c.Return(a.IsInitialized()); })
        .Get("PinletClick", PinletClick,
             {"Caption", "ToolbarClick", "Mail", "Window", "CloseForm",
              "SpellCheckImplementer"})
        .Get("GetReplyForms", [](AddInConnector& a, ServedCall& c) {
          auto list = std::make_shared<ReplyFormList>();
          list->forms = a.GetReplyForms();
          c.Return(Serve(list, ReplyFormListType()));
        });
    return t;
  }();
  return type;
}

const ServedType<ReplyForwardObject>& ReplyForwardType() {
  static const ServedType<ReplyForwardObject> type = [] {
    ServedType<ReplyForwardObject> t("ReplyForwardObject");
    t.Get("objInspector", [](ReplyForwardObject& r, ServedCall& c) {
       ReturnObject(c, r.objInspector());
     }).Get("objNote", [](ReplyForwardObject& r, ServedCall& c) {
      ReturnObject(c, r.objNote());
    });
    return t;
  }();
  return type;
}

}  // namespace

// Outlook's and Word's applications are served as their own types, which
// also unwrap as HostApplication.
template <>
ComPtr<IDispatch> MakeServed<HostApplication>(
    const std::shared_ptr<HostApplication>& app) {
  if (auto outlook = std::dynamic_pointer_cast<ol::Application>(app))
    return MakeServed<ol::Application>(outlook);
  if (auto word_app = std::dynamic_pointer_cast<word::Application>(app))
    return MakeServed<word::Application>(word_app);
  return Serve(app, OfficeType());
}

template <>
ComPtr<IDispatch> MakeServed<COMAddIns>(const std::shared_ptr<COMAddIns>& object) {
  return Serve(object, AddInsType());
}

template <>
ComPtr<IDispatch> MakeServed<COMAddIn>(const std::shared_ptr<COMAddIn>& object) {
  return Serve(object, AddInType());
}

template <>
ComPtr<IDispatch> MakeServed<AddInObject>(const std::shared_ptr<AddInObject>& object) {
  return Serve(object, AddInObjectType());
}

template <>
ComPtr<IDispatch> MakeServed<AddInConnectors>(
    const std::shared_ptr<AddInConnectors>& object) {
  return Serve(object, ConnectorsType());
}

template <>
ComPtr<IDispatch> MakeServed<AddInConnector>(
    const std::shared_ptr<AddInConnector>& object) {
  return Serve(object, ConnectorType());
}

template <>
ComPtr<IDispatch> MakeServed<ReplyForwardObject>(
    const std::shared_ptr<ReplyForwardObject>& object) {
  return Serve(object, ReplyForwardType());
}

}  // namespace pinlet::com
