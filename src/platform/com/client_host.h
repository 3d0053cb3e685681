// The members every Office application has, as a client: Outlook's, Word's
// and any other host's application objects share them.
//
// Internal to the COM layer.
#ifndef PINLET_PLATFORM_COM_CLIENT_HOST_H_
#define PINLET_PLATFORM_COM_CLIENT_HOST_H_

#include <memory>
#include <string>

#include "platform/addin_host.h"
#include "platform/com/com_office.h"
#include "platform/com/com_support.h"

namespace pinlet::com {

// A client of an Office application seen as `Base` (HostApplication or one
// derived from it).
template <typename Base>
class HostApplicationClient : public ClientObject, public Base {
 public:
  explicit HostApplicationClient(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Application") {}
  std::string Name() override { return bound_.Text("Name"); }
  std::string Version() override { return bound_.Text("Version"); }
  std::shared_ptr<COMAddIns> GetCOMAddIns() override {
    return ObjectAs<COMAddIns>(bound_, "COMAddIns");
  }
};

// The same served: adds Name, Version and COMAddIns to `type`.
template <typename T>
ServedType<T>& AddHostMembers(ServedType<T>& type) {
  return type.Get("Name", [](T& app, ServedCall& c) { c.Return(app.Name()); })
      .Get("Version", [](T& app, ServedCall& c) { c.Return(app.Version()); })
      .Get("COMAddIns",
           [](T& app, ServedCall& c) { ReturnObject(c, app.GetCOMAddIns()); });
}

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_CLIENT_HOST_H_
