// The add-in's published objects, served by member name: its Connect
// object with its connectors and its reply-and-forward object, which the
// DLL hands to Office.
#include "platform/com/client_host.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

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
