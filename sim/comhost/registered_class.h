// Where the test host finds the add-in's class, as Windows finds it.
//
// Windows (2000 and later) reads HKEY_CLASSES_ROOT as a merged view: a key
// under the user's own HKEY_CURRENT_USER\Software\Classes comes first, the
// machine's HKEY_LOCAL_MACHINE\Software\Classes after it. That is how a
// per-user installation (the package installs so) registers a COM class
// without an administrator. Wine's COM reads the machine's classes only, so
// the test host reads the merged view itself and, for a class of the
// user's, loads its in-process server as COM would: the DLL, its
// DllGetClassObject, the class factory's CreateInstance.
#ifndef PINLET_SIM_COMHOST_REGISTERED_CLASS_H_
#define PINLET_SIM_COMHOST_REGISTERED_CLASS_H_

#include <objbase.h>

#include <string>

namespace pinlet::comhost {

struct RegisteredClass {
  CLSID clsid = {};
  std::wstring dll;   // InprocServer32's path
  bool per_user = false;  // found under the user's own classes
};

// The class registered for `prog_id` in the merged view; false when the
// ProgID, its CLSID or the class's InprocServer32 is missing.
bool FindRegisteredClass(const std::wstring& prog_id, RegisteredClass& found);

// Creates an instance of the class registered for `prog_id` and asks it for
// `iid`: through COM for a machine's class, through the DLL's own class
// factory for a user's (the DLL stays loaded for the process, as COM keeps
// it until CoUninitialize). Answers the HRESULT of the step that failed:
// REGDB_E_CLASSNOTREG when the class is not registered.
HRESULT CreateRegisteredInstance(const std::wstring& prog_id, REFIID iid, void** object);

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_REGISTERED_CLASS_H_
