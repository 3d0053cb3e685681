// The add-in host's own objects served by member name: any Office
// application and its COM add-ins.
#include "platform/com/client_host.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"

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

}  // namespace pinlet::com
