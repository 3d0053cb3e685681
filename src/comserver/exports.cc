// The four functions a COM server DLL exports (named in pinlet.def, so that
// they are undecorated on i686 too), and the DLL's entry point.
//
// Each export runs through the COM firewall: nothing C++ leaves the DLL, and
// a defect of ours is written to the DLL's log (defect_log.h) and answered
// with E_UNEXPECTED.
#include <objbase.h>
#include <olectl.h>
#include <windows.h>

#include "comserver/class_factory.h"
#include "comserver/connect_object.h"
#include "comserver/defect_log.h"
#include "comserver/module.h"
#include "comserver/registration.h"
#include "platform/com/com_boundary.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  // Only what is safe under the loader lock: the log's path is looked up
  // when a defect is written, not here.
  HRESULT hr = pinlet::com::AtComBoundary("DllMain", [&] {
    DisableThreadLibraryCalls(instance);
    pinlet::com::SetThisModule(instance);
    pinlet::com::SetDefectRecorder(pinlet::com::AppendDefect);
  });
  return SUCCEEDED(hr);
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  using namespace pinlet::com;
  return AnswerAtBoundary("DllGetClassObject", [&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_Connect) return CLASS_E_CLASSNOTAVAILABLE;
    return ClassFactory::Create()->QueryInterface(iid, out);
  });
}

STDAPI DllCanUnloadNow() {
  using namespace pinlet::com;
  return AnswerAtBoundary("DllCanUnloadNow",
                          [] { return ModuleCanUnload() ? S_OK : S_FALSE; });
}

STDAPI DllRegisterServer() {
  using namespace pinlet::com;
  return AtComBoundary("DllRegisterServer", [] { RegisterServer(ThisModulePath()); });
}

STDAPI DllUnregisterServer() {
  using namespace pinlet::com;
  return AtComBoundary("DllUnregisterServer", [] { UnregisterServer(); });
}
