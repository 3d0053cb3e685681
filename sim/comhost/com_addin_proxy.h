// The add-in as the test host loads it: the registered COM class
// "Pinlet.Connect", created by its ProgID (registered_class.h: by the user
// or the machine), and its five IDTExtensibility2
// callbacks called through the interface's vtable, as an Office host does.
//
// ComAddinProxy is the platform's IDTExtensibility2 seen from the host's side
// of COM: the simulated host hands it its application and add-in entry, the
// proxy serves them to the DLL as IDispatch and calls the DLL. Whatever the
// DLL answers with a failure is a defect of the add-in, which promises that
// no callback fails: the proxy raises it as a std::runtime_error, which the
// simulated host's boundary records.
//
// The proxy also asks the DLL's object what the add-in says of one of its
// windows (DescribeWindow, comserver/window_descriptions.h), as any program
// in the process may.
#ifndef PINLET_SIM_COMHOST_COM_ADDIN_PROXY_H_
#define PINLET_SIM_COMHOST_COM_ADDIN_PROXY_H_

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "comserver/pinlet_addin.h"  // Office's IDTExtensibility2, as the DLL serves it
#include "platform/addin_host.h"
#include "platform/com/com_ptr.h"

namespace pinlet::comhost {

class ComAddinProxy : public IDTExtensibility2 {
 public:
  // Creates the class registered for `prog_id`. Raises a HostError with the
  // HRESULT's number when it cannot be created (not registered, the DLL
  // missing or refusing).
  explicit ComAddinProxy(const std::string& prog_id);
  ~ComAddinProxy() override;

  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override;
  void OnDisconnection(int remove_mode, Custom& custom) override;
  void OnAddInsUpdate(Custom& custom) override;
  void OnStartupComplete(Custom& custom) override;
  void OnBeginShutdown(Custom& custom) override;

  // The add-in's `aspect` of `window`; nullopt when it does not answer
  // (the window is none of its forms). Asking runs nothing of the host's.
  std::optional<std::string> DescribeWindow(HWND window, std::string_view aspect);

 private:
  // Raises a std::runtime_error naming `callback` when `hr` failed.
  void Check(const char* callback, HRESULT hr);

  com::ComPtr<_IDTExtensibility2> addin_;
  // The Outlook served to the add-in, registered as the running Outlook
  // while it is connected (Word's add-in finds it with GetActiveObject).
  DWORD running_outlook_ = 0;
};

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_COM_ADDIN_PROXY_H_
