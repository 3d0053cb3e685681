#include "comserver/connect_object.h"

#include "comserver/custom_array.h"
#include "comserver/module.h"
#include "comserver/window_descriptions.h"
#include "platform/addin_object.h"
#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/com/com_objects.h"
#include "platform/com/com_values.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

// The type information of _IDTExtensibility2 from the type library embedded
// in this DLL, loaded without registering it: the dispinterface, and the
// vtable interface of the dual (the dispinterface itself if it has none).
void LoadTypeInfo(ComPtr<ITypeInfo>* dispatch_info, ComPtr<ITypeInfo>* vtable_info) {
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadTypeLibEx(ThisModulePath().c_str(), REGKIND_NONE, library.Put());
  if (FAILED(hr)) throw ErrorOfCall(hr, "LoadTypeLibEx");
  hr = library->GetTypeInfoOfGuid(IID__IDTExtensibility2, dispatch_info->Put());
  if (FAILED(hr)) throw ErrorOfCall(hr, "ITypeLib.GetTypeInfoOfGuid");
  HREFTYPE vtable = 0;
  if (SUCCEEDED((*dispatch_info)->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)) &&
      SUCCEEDED((*dispatch_info)->GetRefTypeInfo(vtable, vtable_info->Put())))
    return;
  *vtable_info = *dispatch_info;
}

}  // namespace

ComPtr<_IDTExtensibility2> ConnectObject::Create(
    std::shared_ptr<IDTExtensibility2> addin) {
  ComPtr<ITypeInfo> dispatch_info, vtable_info;
  LoadTypeInfo(&dispatch_info, &vtable_info);
  return ComPtr<_IDTExtensibility2>::Adopt(new ConnectObject(
      std::move(addin), std::move(dispatch_info), std::move(vtable_info)));
}

ConnectObject::ConnectObject(std::shared_ptr<IDTExtensibility2> addin,
                             ComPtr<ITypeInfo> dispatch_info,
                             ComPtr<ITypeInfo> vtable_info)
    : addin_(std::move(addin)),
      dispatch_info_(std::move(dispatch_info)),
      vtable_info_(std::move(vtable_info)) {
  ObjectCreated();
}

ConnectObject::~ConnectObject() {
  // The add-in goes first: it may release host objects as it goes.
  addin_.reset();
  ObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE ConnectObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__IDTExtensibility2)
    *out = static_cast<_IDTExtensibility2*>(this);
  else if (iid == IID_ISupportErrorInfo)
    *out = static_cast<ISupportErrorInfo*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE ConnectObject::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE ConnectObject::Release() {
  LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ConnectObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  *info = ComPtr<ITypeInfo>(dispatch_info_).Detach();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectObject::GetIDsOfNames(REFIID iid, LPOLESTR* names,
                                                       UINT count, LCID, DISPID* ids) {
  return AnswerAtBoundary("Connect.GetIDsOfNames", [&]() -> HRESULT {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0) return E_INVALIDARG;
    DISPID ours = !names[0]                                     ? DISPID_UNKNOWN
                  : lstrcmpiW(names[0], L"GetConnectors") == 0  ? kDispidGetConnectors
                  : lstrcmpiW(names[0], L"DescribeWindow") == 0 ? kDispidDescribeWindow
                                                                : DISPID_UNKNOWN;
    if (ours != DISPID_UNKNOWN) {
      // Neither member has named arguments.
      ids[0] = ours;
      for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    return dispatch_info_->GetIDsOfNames(names, count, ids);
  });
}

HRESULT STDMETHODCALLTYPE ConnectObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                                DISPPARAMS* params, VARIANT* result,
                                                EXCEPINFO* info, UINT* arg_error) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (id == kDispidDescribeWindow)
    return InvokeDescribeWindow(flags, params, result, info);
  if (id != kDispidGetConnectors) {
    // The callbacks: the type information calls them through the vtable,
    // whose firewall reports their failures; Wine's and Windows' oleaut32
    // turn those into DISP_E_EXCEPTION with the error object's contents.
    return AnswerAtBoundary(
        "Connect.Invoke",
        [&] {
          return vtable_info_->Invoke(static_cast<_IDTExtensibility2*>(this), id, flags,
                                      params, result, info, arg_error);
        },
        Report::kInvoke, info);
  }
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (result) VariantInit(result);
  return AtComBoundary(
      "Connect.GetConnectors",
      [&] {
        ComPtr<IDispatch> connectors = Connectors();
        if (!result) return;
        result->vt = VT_DISPATCH;
        result->pdispVal = connectors.Detach();
      },
      Report::kInvoke, info);
}

HRESULT ConnectObject::InvokeDescribeWindow(WORD flags, DISPPARAMS* params,
                                            VARIANT* result, EXCEPINFO* info) {
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
  if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (result) VariantInit(result);
  return AtComBoundary(
      "Connect.DescribeWindow",
      [&] {
        auto* describes = dynamic_cast<DescribesWindows*>(addin_.get());
        if (!describes) throw NotSupportedError("Connect.DescribeWindow");
        // The arguments come last to first.
        int32_t window = LongOf(params->rgvarg[1], "Connect.DescribeWindow");
        std::string aspect = TextOf(params->rgvarg[0], "Connect.DescribeWindow");
        std::optional<std::string> text = describes->DescribeWindow(
            reinterpret_cast<HWND>(static_cast<intptr_t>(window)), aspect);
        if (!text) throw InvalidArgumentError("Connect.DescribeWindow");
        if (result) *result = TextVariant(*text).Detach();
      },
      Report::kInvoke, info);
}

HRESULT ConnectObject::Callback(
    std::string_view entry, SAFEARRAY** custom,
    const std::function<void(IDTExtensibility2&, Custom&)>& call) {
  return AtComBoundary(
      entry,
      [&] {
        std::shared_ptr<IDTExtensibility2> addin = addin_;  // held while it runs
        CustomArray values(custom);
        call(*addin, values.values());
        values.WriteBack();
      },
      Report::kErrorInfo, nullptr, IID__IDTExtensibility2);
}

ComPtr<IDispatch> ConnectObject::Connectors() {
  auto* published = dynamic_cast<AddInObject*>(addin_.get());
  if (!published) throw NotSupportedError("Connect.GetConnectors");
  return ToDispatch<AddInConnectors>(published->GetConnectors());
}

HRESULT STDMETHODCALLTYPE ConnectObject::OnConnection(IDispatch* application,
                                                      enum ext_ConnectMode connect_mode,
                                                      IDispatch* addin_inst,
                                                      SAFEARRAY** custom) {
  return Callback(
      "Connect.OnConnection", custom, [&](IDTExtensibility2& addin, Custom& values) {
        addin.OnConnection(ToPlatform<HostApplication>(ComPtr<IDispatch>(application)),
                           static_cast<int>(connect_mode),
                           ToPlatform<COMAddIn>(ComPtr<IDispatch>(addin_inst)), values);
      });
}

HRESULT STDMETHODCALLTYPE
ConnectObject::OnDisconnection(enum ext_DisconnectMode remove_mode, SAFEARRAY** custom) {
  return Callback("Connect.OnDisconnection", custom,
                  [&](IDTExtensibility2& addin, Custom& values) {
                    addin.OnDisconnection(static_cast<int>(remove_mode), values);
                  });
}

HRESULT STDMETHODCALLTYPE ConnectObject::OnAddInsUpdate(SAFEARRAY** custom) {
  return Callback(
      "Connect.OnAddInsUpdate", custom,
      [](IDTExtensibility2& addin, Custom& values) { addin.OnAddInsUpdate(values); });
}

HRESULT STDMETHODCALLTYPE ConnectObject::OnStartupComplete(SAFEARRAY** custom) {
  return Callback(
      "Connect.OnStartupComplete", custom,
      [](IDTExtensibility2& addin, Custom& values) { addin.OnStartupComplete(values); });
}

HRESULT STDMETHODCALLTYPE ConnectObject::OnBeginShutdown(SAFEARRAY** custom) {
  return Callback(
      "Connect.OnBeginShutdown", custom,
      [](IDTExtensibility2& addin, Custom& values) { addin.OnBeginShutdown(values); });
}

HRESULT STDMETHODCALLTYPE ConnectObject::InterfaceSupportsErrorInfo(REFIID iid) {
  return iid == IID__IDTExtensibility2 ? S_OK : S_FALSE;
}

}  // namespace pinlet::com
