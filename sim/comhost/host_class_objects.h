// The helper libraries' classes as the test host offers them to the add-in
// in its process.
//
// The add-in creates the MAPI helper objects, VBScript's regular expression
// object and the sharing product's object by their ProgIDs. In the test host
// each of these ProgIDs is mapped, for this user only (HKEY_CURRENT_USER's
// Software\Classes, which takes precedence over the machine's), to a class of
// the test host, whose class object (CoRegisterClassObject) asks the
// simulated machine's factory for the object and serves it. A library the
// simulated machine has not installed refuses, as a missing one does. The
// mappings are made in HKEY_CLASSES_ROOT, where every COM client looks (Wine
// does not merge a user's Software\Classes into it). Every mapping and
// registration is undone when the object goes: a ProgID the machine mapped
// before (Wine's own VBScript.RegExp) gets its CLSID back.
#ifndef PINLET_SIM_COMHOST_HOST_CLASS_OBJECTS_H_
#define PINLET_SIM_COMHOST_HOST_CLASS_OBJECTS_H_

#include <objbase.h>

#include <string>
#include <vector>

#include "platform/mapi_helpers.h"

namespace pinlet::comhost {

class HostClassObjects {
 public:
  // `objects` (the simulated machine's factory) must outlive this.
  explicit HostClassObjects(ComObjectFactory* objects);
  ~HostClassObjects();
  HostClassObjects(const HostClassObjects&) = delete;
  HostClassObjects& operator=(const HostClassObjects&) = delete;

  // "" when every class was registered, else what could not be.
  const std::string& error() const { return error_; }

 private:
  struct Entry {
    std::wstring prog_id;
    bool mapped = false;    // the ProgID's key was written by us
    std::wstring previous;  // the CLSID it mapped to before, if any
    DWORD cookie = 0;       // CoRegisterClassObject's
  };
  void Map(Entry& entry, const CLSID& clsid);
  std::vector<Entry> entries_;
  std::string error_;
};

// "Outlook.Application" is mapped too, to Outlook's own CLSID, under which
// the served Outlook registers as running (see ComAddinProxy).
extern const CLSID kClsidOutlookApplication;

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_HOST_CLASS_OBJECTS_H_
