#include "platform/com/served_object.h"

#include <olectl.h>

#include <algorithm>

#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/com/com_unknown.h"
#include "platform/wide_text.h"

namespace pinlet::com {

// {6E0C3A51-4B2D-4F0E-9C61-2F7A3D1B8E01}: private to Pinlet's COM layer.
const IID kIidServedObject = {
    0x6e0c3a51, 0x4b2d, 0x4f0e, {0x9c, 0x61, 0x2f, 0x7a, 0x3d, 0x1b, 0x8e, 0x01}};

namespace {

long live = 0;

std::string Folded(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Type information that tells nothing but the type's GUID: enough for a
// caller to cache DISPIDs per type.
class NamingTypeInfo final : public Object<ITypeInfo> {
 public:
  explicit NamingTypeInfo(const GUID& guid)
      : Object<ITypeInfo>({IID_ITypeInfo}), guid_(guid) {}

  HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attr) override {
    if (!attr) return E_POINTER;
    *attr = new TYPEATTR{};
    (*attr)->guid = guid_;
    (*attr)->lcid = LOCALE_NEUTRAL;
    (*attr)->memidConstructor = MEMBERID_NIL;
    (*attr)->memidDestructor = MEMBERID_NIL;
    (*attr)->typekind = TKIND_DISPATCH;
    (*attr)->cbSizeVft = sizeof(void*) * 7;
    return S_OK;
  }
  void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attr) override { delete attr; }
  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID, BSTR*, BSTR*, DWORD*,
                                             BSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*,
                                        WORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override {
    return E_NOTIMPL;
  }
  void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
  void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

 private:
  GUID guid_;
};

}  // namespace

const void* ThisModuleTag() {
  static const char tag = 0;
  return &tag;
}

namespace {
const char another_module = 0;
const void* serving_tag = nullptr;  // ThisModuleTag() unless a test says otherwise
}  // namespace

ServeAsAnotherModule::ServeAsAnotherModule() : previous_(serving_tag) {
  serving_tag = &another_module;
}

ServeAsAnotherModule::~ServeAsAnotherModule() { serving_tag = previous_; }

const void* ServingModuleTag() { return serving_tag ? serving_tag : ThisModuleTag(); }

GUID GuidOfTypeName(std::string_view name) {
  // FNV-1a over the name, spread over the GUID's last eight bytes, under a
  // prefix of our own.
  uint64_t hash = 1469598103934665603ull;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  GUID guid = {0x5d1e7a00, 0x2c4b, 0x4d8f, {}};
  for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<unsigned char>(hash >> (8 * i));
  return guid;
}

void ServedCall::Return(VariantValue value) {
  if (!result_) return;
  VariantClear(result_);
  *result_ = value.Detach();
}

// ---------------------------------------------------------------------------
// Events.

void EventFirer::FireParams(DISPID id, DISPPARAMS& params) {
  // A sink may disconnect while the event runs: fire to those connected now.
  auto sinks = sinks_;
  for (auto& [cookie, sink] : sinks) {
    bool connected = std::any_of(sinks_.begin(), sinks_.end(),
                                 [&](const auto& s) { return s.first == cookie; });
    if (!connected) continue;
    EXCEPINFO info{};
    HRESULT hr = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                              nullptr, &info, nullptr);
    if (hr == DISP_E_EXCEPTION) {
      if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
      std::string source = Utf8OfBstr(info.bstrSource);
      std::string text = Utf8OfBstr(info.bstrDescription);
      SysFreeString(info.bstrSource);
      SysFreeString(info.bstrDescription);
      SysFreeString(info.bstrHelpFile);
      if (source == kDefectSource) RecordDefect(text);
    }
  }
}

void EventFirer::Fire(DISPID id, std::vector<VariantValue> args) {
  std::vector<VARIANT> slots;
  for (size_t i = args.size(); i-- > 0;) slots.push_back(*args[i].get());
  DISPPARAMS params{slots.empty() ? nullptr : slots.data(), nullptr,
                    static_cast<UINT>(slots.size()), 0};
  FireParams(id, params);
}

void EventFirer::FireWithCancel(DISPID id, std::vector<VariantValue> args, bool& cancel) {
  VARIANT_BOOL flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
  std::vector<VARIANT> slots(1);
  VariantInit(&slots[0]);
  slots[0].vt = VT_BYREF | VT_BOOL;
  slots[0].pboolVal = &flag;
  for (size_t i = args.size(); i-- > 0;) slots.push_back(*args[i].get());
  DISPPARAMS params{slots.data(), nullptr, static_cast<UINT>(slots.size()), 0};
  FireParams(id, params);
  cancel = flag != VARIANT_FALSE;
}

// One connection point: a part of its container, whose references it shares.
class ServedBase::Point final : public IConnectionPoint {
 public:
  Point(ServedBase* owner, size_t events) : owner_(owner), events_(events) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
      *out = static_cast<IConnectionPoint*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = owner_->type_.event_iids[events_];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!out) return E_POINTER;
    *out = owner_;
    owner_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    return owner_->Advise(events_, sink, cookie);
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return owner_->Unadvise(events_, cookie);
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  ServedBase* owner_;
  size_t events_;
};

// ---------------------------------------------------------------------------
// The object.

ServedBase::ServedBase(const ServedTypeInfo& type)
    : type_(type), module_tag_(ServingModuleTag()), connections_(type.event_iids.size()) {
  for (size_t i = 0; i < type.event_iids.size(); ++i) {
    points_.push_back(std::make_unique<Point>(this, i));
    connections_[i].firer.name_ = type.name;
  }
  ++live;
}

ServedBase::~ServedBase() { --live; }

long ServedBase::live_objects() { return live; }

HRESULT STDMETHODCALLTYPE ServedBase::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else if (iid == kIidServedObject) {
    *out = static_cast<IServedObject*>(this);
  } else if (iid == IID_IConnectionPointContainer && !type_.event_iids.empty()) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else if (iid == IID_IOleWindow && type_.has_window) {
    *out = static_cast<IOleWindow*>(this);
  } else if (std::find(type_.also_answers.begin(), type_.also_answers.end(), iid) !=
             type_.also_answers.end()) {
    *out = static_cast<IDispatch*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE ServedBase::AddRef() { return static_cast<ULONG>(++refs_); }

ULONG STDMETHODCALLTYPE ServedBase::Release() {
  long left = --refs_;
  if (left == 0) {
    // Hold the object while its subscriptions and sinks go: releasing them
    // may call back into it.
    refs_ = 1;
    Forget();
    for (Connection& connection : connections_) {
      connection.subscriptions.clear();
      connection.firer.sinks_.clear();
    }
    delete this;
  }
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ServedBase::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ServedBase::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  *info = new NamingTypeInfo(type_.guid);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ServedBase::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count,
                                                    LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  std::string member = Folded(Narrow(names[0]));
  const ServedTypeInfo::Entry* entry = nullptr;
  for (size_t i = 0; i < type_.members.size(); ++i) {
    if (Folded(type_.members[i].name) == member) {
      ids[0] = static_cast<DISPID>(i + 1);
      entry = &type_.members[i];
      break;
    }
  }
  if (!entry) return DISP_E_UNKNOWNNAME;
  HRESULT hr = S_OK;
  for (UINT i = 1; i < count; ++i) {
    std::string param = Folded(Narrow(names[i]));
    for (size_t p = 0; p < entry->params.size(); ++p)
      if (Folded(entry->params[p]) == param) ids[i] = static_cast<DISPID>(p);
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT STDMETHODCALLTYPE ServedBase::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                             DISPPARAMS* params, VARIANT* result,
                                             EXCEPINFO* info, UINT*) {
  if (id == DISPID_VALUE) id = type_.default_id;
  if (id < 1 || static_cast<size_t>(id) > type_.members.size())
    return DISP_E_MEMBERNOTFOUND;
  size_t member = static_cast<size_t>(id - 1);
  const ServedTypeInfo::Entry& entry = type_.members[member];
  bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  if (put ? !entry.has_put : !entry.has_get) return DISP_E_MEMBERNOTFOUND;
  if (result) VariantInit(result);
  // Keep the object alive while its member runs, whatever the member does.
  ComPtr<IDispatch> hold(static_cast<IDispatch*>(this));
  return AtComBoundary(
      What(type_.name, entry.name),
      [&] {
        ServedCall call(params, flags, result, What(type_.name, entry.name));
        if (put)
          RunPut(member, call);
        else
          RunGet(member, call);
      },
      Report::kInvoke, info);
}

HRESULT STDMETHODCALLTYPE ServedBase::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = nullptr;
  if (!type_.has_window) return E_NOTIMPL;
  ComPtr<IDispatch> hold(static_cast<IDispatch*>(this));
  WindowHandle handle = 0;
  HRESULT hr = AtComBoundary(
      type_.name + ".GetWindow", [&] { handle = RunWindow(); }, Report::kErrorInfo,
      nullptr, IID_IOleWindow);
  if (SUCCEEDED(hr)) *window = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
  return hr;
}

HRESULT STDMETHODCALLTYPE ServedBase::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ServedBase::FindConnectionPoint(REFIID iid,
                                                          IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (size_t i = 0; i < type_.event_iids.size(); ++i) {
    if (type_.event_iids[i] == iid) {
      *out = points_[i].get();
      (*out)->AddRef();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT ServedBase::Advise(size_t events, IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IDispatch> dispatch;
  if (FAILED(sink->QueryInterface(type_.event_iids[events], dispatch.PutVoid())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, dispatch.PutVoid())))
    return CONNECT_E_CANNOTCONNECT;
  Connection& connection = connections_[events];
  ComPtr<IDispatch> hold(static_cast<IDispatch*>(this));
  // The first sink connects the object's own events; a failure to do so is
  // the host's answer to Advise.
  if (connection.firer.sinks_.empty()) {
    std::vector<Subscription> subscriptions;
    HRESULT hr = AtComBoundary(
        type_.name + ".Advise",
        [&] { subscriptions = Subscribe(events, connection.firer); }, Report::kErrorInfo,
        nullptr, IID_IConnectionPoint);
    if (FAILED(hr)) return hr;
    connection.subscriptions = std::move(subscriptions);
  }
  *cookie = next_cookie_++;
  connection.firer.sinks_.emplace_back(*cookie, std::move(dispatch));
  return S_OK;
}

HRESULT ServedBase::Unadvise(size_t events, DWORD cookie) {
  Connection& connection = connections_[events];
  auto& sinks = connection.firer.sinks_;
  auto it = std::find_if(sinks.begin(), sinks.end(),
                         [&](const auto& s) { return s.first == cookie; });
  if (it == sinks.end()) return CONNECT_E_NOCONNECTION;
  ComPtr<IDispatch> hold(static_cast<IDispatch*>(this));
  ComPtr<IDispatch> sink = std::move(it->second);
  sinks.erase(it);
  if (sinks.empty()) connection.subscriptions.clear();
  return S_OK;
}

}  // namespace pinlet::com
