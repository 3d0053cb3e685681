// The COM object of the add-in class Pinlet.Connect, over the add-in.
//
// Office creates it through the class factory and calls the five callbacks of
// IDTExtensibility2 through its vtable; late-bound callers reach the same
// callbacks through IDispatch, which the DLL's embedded type library serves
// (ITypeInfo::Invoke). Each callback converts its arguments to the add-in's
// terms (the host's Application and the COMAddIn as platform objects, custom
// as Custom, com_objects.h and custom_array.h), calls the add-in, and writes
// custom back.
//
// The object's IDispatch also answers two members of its own by name.
// GetConnectors: Office
// publishes the object as COMAddIns("Pinlet.Connect").Object, and code in
// another host calls .Object.GetConnectors() late-bound. Names are resolved
// against our own members first, then against the type information. The
// result is the add-in's connectors when the add-in publishes any (an
// AddInObject, as the add-in's Connect is); otherwise the call raises 438.
// DescribeWindow(window As Long, aspect As String) As String: what the
// add-in says of a window of its own (window_descriptions.h); it raises 5
// for a window that is none of its forms or an aspect it does not know, and
// 438 when the add-in describes no windows.
//
// Every member that runs code of ours does so through the COM firewall: a
// HostError reaches the caller with its number through the thread's error
// object (vtable) or EXCEPINFO (IDispatch); anything else is a defect,
// recorded in the DLL's log and answered with E_UNEXPECTED. The IUnknown
// members and GetTypeInfoCount run nothing that can raise.
#ifndef PINLET_COMSERVER_CONNECT_OBJECT_H_
#define PINLET_COMSERVER_CONNECT_OBJECT_H_

#include <oaidl.h>
#include <objbase.h>

#include <functional>
#include <memory>
#include <string_view>

#include "comserver/pinlet_addin.h"  // generated from pinlet_addin.idl
#include "platform/addin_host.h"
#include "platform/com/com_ptr.h"

namespace pinlet::com {

// The DISPIDs under which the object's IDispatch answers its own members;
// apart from the interface's own (1 to 5) and from those type information
// gives the members of IDispatch.
inline constexpr DISPID kDispidGetConnectors = 0x100;
inline constexpr DISPID kDispidDescribeWindow = 0x101;

class ConnectObject final : public _IDTExtensibility2, public ISupportErrorInfo {
 public:
  // A new object over `addin` (never null), holding one reference, the
  // caller's. Raises a HostError when the DLL's type library cannot be
  // loaded.
  static ComPtr<_IDTExtensibility2> Create(std::shared_ptr<IDTExtensibility2> addin);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                          LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT* arg_error) override;
  // _IDTExtensibility2
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application,
                                         enum ext_ConnectMode connect_mode,
                                         IDispatch* addin_inst,
                                         SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(enum ext_DisconnectMode remove_mode,
                                            SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;
  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

 private:
  ConnectObject(std::shared_ptr<IDTExtensibility2> addin, ComPtr<ITypeInfo> dispatch_info,
                ComPtr<ITypeInfo> vtable_info);
  ~ConnectObject();

  // Runs one callback through the firewall: `call` gets the add-in and
  // `custom` as Custom, which is written back when it completes. Failures
  // reach the caller through the thread's error object.
  HRESULT Callback(std::string_view entry, SAFEARRAY** custom,
                   const std::function<void(IDTExtensibility2&, Custom&)>& call);
  // DescribeWindow through the firewall, its failures in `info`.
  HRESULT InvokeDescribeWindow(WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* info);
  // The add-in's connectors as IDispatch; raises 438 when it has none.
  ComPtr<IDispatch> Connectors();

  LONG refs_ = 1;
  std::shared_ptr<IDTExtensibility2> addin_;
  ComPtr<ITypeInfo> dispatch_info_;  // the dispinterface, given to callers
  ComPtr<ITypeInfo> vtable_info_;    // the interface, through which Invoke calls
};

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_CONNECT_OBJECT_H_
