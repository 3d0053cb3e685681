// Registering pinlet.dll, and removing that registration again.
//
// Registration writes the rows of install/registry_rows.h, the list the
// installer package is made from too, for the DLL where it lies: the COM
// class where every COM client finds it, under HKEY_CLASSES_ROOT (as
// regsvr32 does; on Windows XP this needs an administrator, and Wine does
// not look at a user's own classes), the Office add-in keys of the current
// user, and the install folder (the DLL's) and the user's data folder
// (Application Data\Zarvo\Pinlet\, made where missing) among the add-in's
// settings. The type library is never registered (see pinlet_addin.idl).
// Unregistration deletes the owned keys and every parent they leave empty,
// up to but not including CLSID and Software\Microsoft\Office, and of the
// settings only the two folders' values (what the add-in wrote there is the
// user's), and the user's data folder when it is empty.
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
