#include "sim/comhost/com_addin_proxy.h"

#include <stdexcept>

#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/com/com_objects.h"
#include "platform/com/com_values.h"
#include "platform/com/late_bound.h"
#include "platform/host_error.h"
#include "platform/outlook_app.h"
#include "platform/wide_text.h"
#include "sim/comhost/host_class_objects.h"
#include "sim/comhost/registered_class.h"

namespace pinlet::comhost {

namespace {

// The custom array handed to a callback and what the add-in left in it.
class CustomArray {
 public:
  explicit CustomArray(const Custom& custom) : array_(com::ArrayOfValues(custom)) {}
  ~CustomArray() {
    if (array_) SafeArrayDestroy(array_);
  }
  CustomArray(const CustomArray&) = delete;
  CustomArray& operator=(const CustomArray&) = delete;
  SAFEARRAY** get() { return &array_; }
  void CopyTo(Custom& custom) const {
    if (array_) custom = com::ValuesOfArray(array_, "custom");
  }

 private:
  SAFEARRAY* array_;
};

}  // namespace

ComAddinProxy::ComAddinProxy(const std::string& prog_id) {
  HRESULT hr =
      CreateRegisteredInstance(Wide(prog_id), IID__IDTExtensibility2, addin_.PutVoid());
  if (FAILED(hr)) throw com::ErrorOfCall(hr, prog_id);
}

ComAddinProxy::~ComAddinProxy() {
  if (running_outlook_) RevokeActiveObject(running_outlook_, nullptr);
}

void ComAddinProxy::Check(const char* callback, HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  std::string what;
  if (com::TakeDefectOfErrorInfo(&what))
    throw std::runtime_error(std::string(callback) + ": " + what);
  throw std::runtime_error(std::string(callback) + " failed with error " +
                           std::to_string(com::HostNumberOf(hr)));
}

void ComAddinProxy::OnConnection(HostApplicationPtr application, int connect_mode,
                                 std::shared_ptr<COMAddIn> addin_inst, Custom& custom) {
  com::ComPtr<IDispatch> app = com::ToDispatch<HostApplication>(application);
  com::ComPtr<IDispatch> inst = com::ToDispatch<COMAddIn>(addin_inst);
  if (std::dynamic_pointer_cast<ol::Application>(application) && !running_outlook_ && app)
    RegisterActiveObject(app.get(), kClsidOutlookApplication, ACTIVEOBJECT_STRONG,
                         &running_outlook_);
  CustomArray array(custom);
  Check("OnConnection",
        addin_->OnConnection(app.get(), static_cast<ext_ConnectMode>(connect_mode),
                             inst.get(), array.get()));
  array.CopyTo(custom);
}

void ComAddinProxy::OnDisconnection(int remove_mode, Custom& custom) {
  CustomArray array(custom);
  HRESULT hr =
      addin_->OnDisconnection(static_cast<ext_DisconnectMode>(remove_mode), array.get());
  if (running_outlook_) {
    RevokeActiveObject(running_outlook_, nullptr);
    running_outlook_ = 0;
  }
  Check("OnDisconnection", hr);
  array.CopyTo(custom);
}

void ComAddinProxy::OnAddInsUpdate(Custom& custom) {
  CustomArray array(custom);
  Check("OnAddInsUpdate", addin_->OnAddInsUpdate(array.get()));
  array.CopyTo(custom);
}

void ComAddinProxy::OnStartupComplete(Custom& custom) {
  CustomArray array(custom);
  Check("OnStartupComplete", addin_->OnStartupComplete(array.get()));
  array.CopyTo(custom);
}

void ComAddinProxy::OnBeginShutdown(Custom& custom) {
  CustomArray array(custom);
  Check("OnBeginShutdown", addin_->OnBeginShutdown(array.get()));
  array.CopyTo(custom);
}

std::optional<std::string> ComAddinProxy::DescribeWindow(HWND window,
                                                         std::string_view aspect) {
  com::ComPtr<IDispatch> object;
  if (FAILED(addin_->QueryInterface(IID_IDispatch, object.PutVoid())))
    return std::nullopt;
  std::optional<std::string> text;
  // A window is a 32-bit value in both of Windows' widths.
  auto handle = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
  if (Attempt([&] {
        text = com::LateBound(object, "Connect")
                   .Text("DescribeWindow", {com::Arg(handle), com::Arg(aspect)});
      }))
    return std::nullopt;
  return text;
}

}  // namespace pinlet::comhost
