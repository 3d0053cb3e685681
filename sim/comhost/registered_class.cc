#include "sim/comhost/registered_class.h"

#include <windows.h>

#include <optional>

#include "comserver/registry_tree.h"

namespace pinlet::comhost {
namespace {

constexpr std::wstring_view kUserClasses = L"Software\\Classes\\";

// A default value in the merged view: the user's classes first.
std::optional<std::wstring> ReadClassesValue(const std::wstring& key, bool& per_user) {
  if (auto value = com::ReadTextValue(HKEY_CURRENT_USER, std::wstring(kUserClasses) + key,
                                      L"")) {
    per_user = true;
    return value;
  }
  per_user = false;
  return com::ReadTextValue(HKEY_CLASSES_ROOT, key, L"");
}

}  // namespace

bool FindRegisteredClass(const std::wstring& prog_id, RegisteredClass& found) {
  bool user_prog_id = false;
  std::optional<std::wstring> clsid = ReadClassesValue(prog_id + L"\\CLSID", user_prog_id);
  if (!clsid || FAILED(CLSIDFromString(clsid->c_str(), &found.clsid))) return false;
  std::optional<std::wstring> dll =
      ReadClassesValue(L"CLSID\\" + *clsid + L"\\InprocServer32", found.per_user);
  if (!dll || dll->empty()) return false;
  found.dll = *dll;
  return true;
}

HRESULT CreateRegisteredInstance(const std::wstring& prog_id, REFIID iid, void** object) {
  *object = nullptr;
  RegisteredClass found;
  if (!FindRegisteredClass(prog_id, found)) return REGDB_E_CLASSNOTREG;
  if (!found.per_user)
    return CoCreateInstance(found.clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
  HMODULE dll = LoadLibraryW(found.dll.c_str());
  if (!dll) return HRESULT_FROM_WIN32(GetLastError());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get_class_object = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  if (!get_class_object) return CO_E_ERRORINDLL;
  IClassFactory* factory = nullptr;
  HRESULT hr = get_class_object(found.clsid, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  return hr;
}

}  // namespace pinlet::comhost
