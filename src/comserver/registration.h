// Registering pinlet.dll, and removing that registration again.
//
// Registration writes the COM class where every COM client finds it, under
// HKEY_CLASSES_ROOT (as regsvr32 does; on Windows XP this needs an
// administrator, and Wine does not look at a user's own classes):
//   CLSID\{01425611-89AD-454B-9F43-92F7B98B88FC}  = "Pinlet.Connect"
//     InprocServer32  = the DLL's full path, ThreadingModel = "Apartment"
//     ProgID          = "Pinlet.Connect"
//   Pinlet.Connect\CLSID = "{01425611-89AD-454B-9F43-92F7B98B88FC}"
// and, for the current user, the add-in keys under
// HKEY_CURRENT_USER\Software\Microsoft\Office:
//   Outlook\Addins\Pinlet.Connect and Word\Addins\Pinlet.Connect:
//     FriendlyName = "Pinlet", Description (one line), LoadBehavior = 3
// and nothing else; the type library is never registered (see
// pinlet_addin.idl). Unregistration deletes exactly these keys and every
// parent they leave empty, up to but not including CLSID and
// Software\Microsoft\Office.
#ifndef PINLET_COMSERVER_REGISTRATION_H_
#define PINLET_COMSERVER_REGISTRATION_H_

#include <string_view>

namespace pinlet::com {

// Writes the registration for the DLL at `dll_path`. Raises a HostError with
// the registry's failure; what was written before it is removed again.
void RegisterServer(std::wstring_view dll_path);

// Removes the registration; nothing happens where it is absent. Raises a
// HostError when a key cannot be deleted.
void UnregisterServer();

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_REGISTRATION_H_
