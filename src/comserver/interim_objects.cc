// Minimal clients and served forms of the add-in host's objects
// (com_objects.h) that the add-in class converts: the host's Application,
// its COMAddIns and a COMAddIn as clients; the add-in's published object and
// its connectors as served objects.
//
// They stand in for the complete ones of the COM platform, which belong in
// src/platform/com/ beside the other clients; when those are built, this
// file leaves pinlet_comserver's sources and nothing else changes. What is
// left out: COMAddIn.Object gives only an object this module served (another
// module's object raises 438), and a served connector answers IsInitialized
// only.
#include <memory>
#include <string>

#include "platform/addin_host.h"
#include "platform/addin_object.h"
#include "platform/com/com_objects.h"
#include "platform/host_error.h"

namespace pinlet::com {

template <>
std::shared_ptr<COMAddIns> MakeClient<COMAddIns>(const ComPtr<IDispatch>& object);
template <>
std::shared_ptr<COMAddIn> MakeClient<COMAddIn>(const ComPtr<IDispatch>& object);
template <>
ComPtr<IDispatch> MakeServed<AddInObject>(const std::shared_ptr<AddInObject>& object);
template <>
ComPtr<IDispatch> MakeServed<AddInConnectors>(
    const std::shared_ptr<AddInConnectors>& object);
template <>
ComPtr<IDispatch> MakeServed<AddInConnector>(
    const std::shared_ptr<AddInConnector>& object);

namespace {

class HostApplicationClient final : public HostApplication, public ClientObject {
 public:
  explicit HostApplicationClient(const ComPtr<IDispatch>& object)
      : ClientObject(object, "Application") {}
  std::string Name() override { return bound_.Text("Name"); }
  std::string Version() override { return bound_.Text("Version"); }
  std::shared_ptr<COMAddIns> GetCOMAddIns() override {
    return ToPlatform<COMAddIns>(bound_.Object("COMAddIns"));
  }
};

class COMAddInsClient final : public COMAddIns, public ClientObject {
 public:
  explicit COMAddInsClient(const ComPtr<IDispatch>& object)
      : ClientObject(object, "COMAddIns") {}
  int Count() override { return bound_.Long("Count"); }
  std::shared_ptr<COMAddIn> Item(std::string_view progid) override {
    return ToPlatform<COMAddIn>(bound_.Object("Item", {Arg(progid)}));
  }
};

class COMAddInClient final : public COMAddIn, public ClientObject {
 public:
  explicit COMAddInClient(const ComPtr<IDispatch>& object)
      : ClientObject(object, "COMAddIn") {}
  std::string ProgId() override { return bound_.Text("ProgId"); }
  std::string Description() override { return bound_.Text("Description"); }
  bool Connect() override { return bound_.Bool("Connect"); }
  std::shared_ptr<AddInObject> Object() override {
    ComPtr<IDispatch> object = bound_.Object("Object");
    if (!object) return nullptr;
    if (std::shared_ptr<AddInObject> mine = Unwrap<AddInObject>(object.get()))
      return mine;
    throw NotSupportedError("COMAddIn.Object");
  }
  void SetObject(std::shared_ptr<AddInObject> object) override {
    bound_.PutRef("Object", Arg(ToDispatch<AddInObject>(object)));
  }
};

const ServedType<AddInObject>& AddInObjectType() {
  static const ServedType<AddInObject> type = [] {
    ServedType<AddInObject> t("AddInObject");
    t.Get("GetConnectors", [](AddInObject& object, ServedCall& call) {
      call.Return(ToDispatch<AddInConnectors>(object.GetConnectors()));
    });
    return t;
  }();
  return type;
}

const ServedType<AddInConnectors>& AddInConnectorsType() {
  static const ServedType<AddInConnectors> type = [] {
    ServedType<AddInConnectors> t("AddInConnectors");
    t.Get("Count",
          [](AddInConnectors& connectors, ServedCall& call) {
            call.Return(static_cast<int32_t>(connectors.Count()));
          })
        .Get("Item",
             [](AddInConnectors& connectors, ServedCall& call) {
               // A collection's Item takes a position or a key, as given.
               bool by_key = Dereferenced(call.args().At(0)).vt == VT_BSTR;
               call.Return(ToDispatch<AddInConnector>(
                   by_key ? connectors.Item(call.args().Text(0))
                          : connectors.Item(call.args().Long(0))));
             },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

const ServedType<AddInConnector>& AddInConnectorType() {
  static const ServedType<AddInConnector> type = [] {
    ServedType<AddInConnector> t("AddInConnector");
    t.Get("IsInitialized", [](AddInConnector& connector, ServedCall& call) {
      call.Return(connector.IsInitialized());
    });
    return t;
  }();
  return type;
}

}  // namespace

template <>
std::shared_ptr<HostApplication> MakeClient<HostApplication>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<HostApplicationClient>(object);
}

template <>
std::shared_ptr<COMAddIns> MakeClient<COMAddIns>(const ComPtr<IDispatch>& object) {
  return std::make_shared<COMAddInsClient>(object);
}

template <>
std::shared_ptr<COMAddIn> MakeClient<COMAddIn>(const ComPtr<IDispatch>& object) {
  return std::make_shared<COMAddInClient>(object);
}

template <>
ComPtr<IDispatch> MakeServed<AddInObject>(const std::shared_ptr<AddInObject>& object) {
  return Serve(object, AddInObjectType());
}

template <>
ComPtr<IDispatch> MakeServed<AddInConnectors>(
    const std::shared_ptr<AddInConnectors>& object) {
  return Serve(object, AddInConnectorsType());
}

template <>
ComPtr<IDispatch> MakeServed<AddInConnector>(
    const std::shared_ptr<AddInConnector>& object) {
  return Serve(object, AddInConnectorType());
}

}  // namespace pinlet::com
