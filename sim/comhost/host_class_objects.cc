#include "sim/comhost/host_class_objects.h"

#include <functional>

#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/com/com_objects.h"
#include "platform/com/com_unknown.h"
#include "platform/com/served_object.h"
#include "platform/host_error.h"
#include "platform/sharing.h"
#include "platform/wide_text.h"

namespace pinlet::comhost {
namespace {

using Make = std::function<com::ComPtr<IDispatch>(ComObjectFactory&)>;

// One class of the test host: asks the simulated machine's factory for the
// object and serves it.
class ClassObject final : public com::Object<IClassFactory> {
 public:
  ClassObject(ComObjectFactory* objects, std::string name, Make make)
      : com::Object<IClassFactory>({IID_IClassFactory}),
        objects_(objects),
        name_(std::move(name)),
        make_(std::move(make)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                           void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    com::ComPtr<IDispatch> object;
    HRESULT hr =
        com::AtComBoundary(name_ + ".CreateInstance", [&] { object = make_(*objects_); });
    if (FAILED(hr)) return hr;
    if (!object) return REGDB_E_CLASSNOTREG;
    return object->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ComObjectFactory* objects_;
  std::string name_;
  Make make_;
};

struct HostClass {
  const wchar_t* prog_id;
  Make make;
};

const std::vector<HostClass>& HostClasses() {
  static const std::vector<HostClass> classes = {
      {L"Redemption.MAPIUtils",
       [](ComObjectFactory& f) { return com::ToDispatch(f.CreateMapiUtils()); }},
      {L"MAPI.Session",
       [](ComObjectFactory& f) { return com::ToDispatch(f.CreateCdoSession()); }},
      {L"Redemption.RDOSession",
       [](ComObjectFactory& f) { return com::ToDispatch(f.CreateRdoSession()); }},
      {L"Redemption.SafeMailItem",
       [](ComObjectFactory& f) { return com::ToDispatch(f.CreateSafeMailItem()); }},
      {L"VBScript.RegExp",
       [](ComObjectFactory& f) { return com::ToDispatch(f.CreateRegExp()); }},
      {L"Relaybook.Engine",
       [](ComObjectFactory& f) { return com::ToDispatch(f.CreateSharingProduct()); }},
  };
  return classes;
}

// Each class's CLSID, made from its ProgID: the test host's own.
CLSID ClassIdOf(const std::wstring& prog_id) {
  return com::GuidOfTypeName("test host class " + Narrow(prog_id));
}

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace

namespace {

// The default value of HKEY_CLASSES_ROOT\PROGID\CLSID; "" when absent.
std::wstring MappedClass(const std::wstring& prog_id) {
  wchar_t text[64] = {};
  LONG size = sizeof text;
  std::wstring path = prog_id + L"\\CLSID";
  if (RegQueryValueW(HKEY_CLASSES_ROOT, path.c_str(), text, &size) != ERROR_SUCCESS)
    return L"";
  return text;
}

bool SetMappedClass(const std::wstring& prog_id, const std::wstring& clsid) {
  HKEY key = nullptr;
  std::wstring path = prog_id + L"\\CLSID";
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  LONG set = RegSetValueExW(key, nullptr, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(clsid.c_str()),
                            static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return set == ERROR_SUCCESS;
}

}  // namespace

// {0006F03A-0000-0000-C000-000000000046}: Microsoft Outlook's type library,
// coclass Application.
const CLSID kClsidOutlookApplication = {
    0x0006f03a, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void HostClassObjects::Map(Entry& entry, const CLSID& clsid) {
  entry.previous = MappedClass(entry.prog_id);
  entry.mapped = SetMappedClass(entry.prog_id, GuidText(clsid));
  if (!entry.mapped)
    error_ += (error_.empty() ? "" : "; ") + std::string("cannot map ") +
              Narrow(entry.prog_id);
}

HostClassObjects::HostClassObjects(ComObjectFactory* objects) {
  for (const HostClass& host_class : HostClasses()) {
    Entry entry;
    entry.prog_id = host_class.prog_id;
    CLSID clsid = ClassIdOf(entry.prog_id);
    Map(entry, clsid);
    com::ComPtr<IClassFactory> factory = com::ComPtr<IClassFactory>::Adopt(
        new ClassObject(objects, Narrow(entry.prog_id), host_class.make));
    if (FAILED(CoRegisterClassObject(clsid, factory.get(),
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                     REGCLS_MULTIPLEUSE, &entry.cookie)))
      error_ += (error_.empty() ? "" : "; ") + std::string("cannot offer ") +
                Narrow(entry.prog_id);
    entries_.push_back(std::move(entry));
  }
  Entry outlook;
  outlook.prog_id = L"Outlook.Application";
  Map(outlook, kClsidOutlookApplication);
  entries_.push_back(std::move(outlook));
}

HostClassObjects::~HostClassObjects() {
  for (const Entry& entry : entries_) {
    if (entry.cookie) CoRevokeClassObject(entry.cookie);
    if (!entry.mapped) continue;
    if (!entry.previous.empty()) {
      SetMappedClass(entry.prog_id, entry.previous);
    } else {
      RegDeleteKeyW(HKEY_CLASSES_ROOT, (entry.prog_id + L"\\CLSID").c_str());
      RegDeleteKeyW(HKEY_CLASSES_ROOT, entry.prog_id.c_str());
    }
  }
}

}  // namespace pinlet::comhost
