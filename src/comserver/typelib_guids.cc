// The GUIDs of the type library's header (LIBID, IID, CLSID), defined once.
// The system headers come first, so that only the type library's own GUIDs
// are defined here.
#include <initguid.h>
#include <oaidl.h>
#include <objbase.h>

#include "comserver/pinlet_addin.h"
